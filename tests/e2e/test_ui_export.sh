#!/usr/bin/env bash
# Copy and Save as a person uses them: the clipboard gets the report shown in
# the box, whole; Save writes the raw 256-byte block through the common save
# dialog, proposes the last path the next time, asks before overwriting, and
# on a failing target shows the error box and leaves the old file whole; a
# replaced file keeps its attributes. moniquet-cli's save, the same code,
# refuses what is not a regular file and writes through a symbolic link.
# Without the save dialog's library, Save shows the failure box.
source "$(dirname "$0")/lib.sh"
e2e_begin

edid="$E2E_DATA/edid"
fr='Moniquet (français)'
en='Moniquet (english)'

# Polls a control until it shows TEXT (a box may still be on its way);
# prints what it last read.
wait_text() { # CAPTION ID TEXT
    local i text=
    for i in $(seq 20); do
        text=$(e2e_driver text "$1" "$2" 2>/dev/null) && [ "$text" == "$3" ] && break
        sleep 0.2
    done
    printf '%s' "$text"
}
# Presses Save in the main dialog and confirms PATH in the save dialog.
save_as() { # MAIN-CAPTION PATH
    e2e_driver click "$1" 1006 post
    e2e_driver wait "Save As" 10000 || return 1
    e2e_driver settext "Save As" 1148 "$2"
    e2e_driver click "Save As" 1 post
}
# The save dialog's overwrite prompt (a box without a caption of its own).
confirm_overwrite() {
    assert_contains "$(wait_text Error -1 $'File already exists.\nDo you want to replace it?')" \
        "already exists" "$1: the save dialog asks before overwriting"
    e2e_driver click Error 6 post
}
# The file is written once the save dialog has gone: give it a moment.
wait_file_eq() { # EXPECTED-FILE ACTUAL-FILE
    local i
    for i in $(seq 50); do
        cmp -s "$1" "$2" && return 0
        sleep 0.1
    done
}
leftovers() { # FOLDER: files other than those named after it
    local folder=$1
    shift
    (cd "$folder" && ls -A | grep -vxF -f <(printf '%s\n' "$@") || true)
}

e2e_new_prefix
out="$WINEPREFIX/drive_c/e2e/out"
mkdir -p "$out"
e2e_use_fake_setupapi Moniquet.exe
e2e_remove_wine_monitors
e2e_seed_monitor 'DISPLAY\A1GSM5662\1' "$edid/gsm5662-nul-in-name.bin"
e2e_seed_monitor 'DISPLAY\A2AOC2367\1' "$edid/aoc2367-plain.bin"
e2e_seed_monitor 'DISPLAY\A3ATV0001\1' "$edid/at-tv0001-at-maker.bin"
e2e_seed_monitor 'DISPLAY\A4AOC2460\1' "$E2E_OWN_DATA/aoc2460-384.bin"
e2e_start_program "$E2E_APP"
assert_ok "main dialog shows" e2e_driver wait "$fr" 30000

# --- Copy: the clipboard holds the text of the box, all of it, although the
# product name holds a zero byte.
e2e_driver click "$fr" 1005
e2e_driver clipboard >"$WINEPREFIX/clipboard.txt"
e2e_driver text "$fr" 1002 >"$WINEPREFIX/box.txt"
assert_file_eq "$WINEPREFIX/box.txt" "$WINEPREFIX/clipboard.txt" "clipboard equals the box's text"
assert_file_eq "$(e2e_report_box gsm5662-nul-in-name)" "$WINEPREFIX/clipboard.txt" \
    "clipboard holds the whole report, timings after the zero byte included"

# --- Save of a 128-byte EDID: "edid.bin" proposed, the 128 bytes written,
# no phantom extension block after them.
e2e_driver select "$fr" 1001 1
e2e_driver click "$fr" 1006 post
e2e_driver wait "Save As" 10000
assert_eq "edid.bin" "$(e2e_driver text "Save As" 1148)" "first Save proposes edid.bin"
e2e_driver settext "Save As" 1148 'C:\e2e\out\first.bin'
e2e_driver click "Save As" 1 post
assert_ok "save dialog closes" e2e_driver gone "Save As" 10000
wait_file_eq "$edid/aoc2367-plain.bin" "$out/first.bin"
assert_file_eq "$edid/aoc2367-plain.bin" "$out/first.bin" "128-byte EDID saved as its 128 bytes"

# --- A 384-byte EDID is saved whole, not cut to 256 bytes.
e2e_driver select "$fr" 1001 3
save_as "$fr" 'C:\e2e\out\long.bin'
assert_ok "save dialog closes" e2e_driver gone "Save As" 10000
wait_file_eq "$E2E_OWN_DATA/aoc2460-384.bin" "$out/long.bin"
assert_file_eq "$E2E_OWN_DATA/aoc2460-384.bin" "$out/long.bin" "384-byte EDID saved whole"

# --- The next Save proposes the last path; saving over the first file asks
# first, then replaces it with the 256-byte EDID of another monitor.
e2e_driver select "$fr" 1001 2
e2e_driver click "$fr" 1006 post
e2e_driver wait "Save As" 10000
assert_eq "out" "$(e2e_driver text "Save As" 1137)" "next Save opens in the folder saved to"
assert_eq "long.bin" "$(e2e_driver text "Save As" 1148)" "next Save proposes the name saved to"
e2e_driver settext "Save As" 1148 'C:\e2e\out\first.bin'
e2e_driver click "Save As" 1 post
confirm_overwrite "existing file"
assert_ok "save dialog closes after the overwrite" e2e_driver gone "Save As" 10000
wait_file_eq "$edid/at-tv0001-at-maker.bin" "$out/first.bin"
assert_file_eq "$edid/at-tv0001-at-maker.bin" "$out/first.bin" "256-byte EDID saved byte for byte"
assert_eq "" "$(leftovers "$out" first.bin long.bin)" "no temporary file left beside the saved one"

# --- Cancel writes nothing.
e2e_driver click "$fr" 1006 post
e2e_driver wait "Save As" 10000
e2e_driver settext "Save As" 1148 'C:\e2e\out\cancelled.bin'
e2e_driver click "Save As" 2 post
assert_ok "Cancel closes the save dialog" e2e_driver gone "Save As" 10000
assert_eq "" "$(leftovers "$out" first.bin long.bin)" "Cancel writes nothing"

# --- A read-only target: the save-failure box, the old file untouched.
printf 'old content\n' >"$out/locked.bin"
chmod a-w "$out/locked.bin"
save_as "$fr" 'C:\e2e\out\locked.bin'
confirm_overwrite "read-only file"
assert_eq "Impossible de sauvegarder le fichier!" \
    "$(wait_text Error -1 'Impossible de sauvegarder le fichier!')" "read-only target: French error box"
e2e_driver key Error enter
assert_ok "error box closes" e2e_driver gone Error 10000
assert_eq "old content" "$(cat "$out/locked.bin")" "read-only target: old file whole"
assert_eq "" "$(leftovers "$out" first.bin long.bin locked.bin)" "read-only target: no temporary file left"

# --- A hidden file stays hidden once replaced (Wine's ReplaceFileW carries
# no attribute over).
printf 'old content\n' >"$out/hidden.bin"
e2e_timeout 60 wine attrib +h 'C:\e2e\out\hidden.bin' >/dev/null
save_as "$fr" 'C:\e2e\out\hidden.bin'
confirm_overwrite "hidden file"
assert_ok "save dialog closes over the hidden file" e2e_driver gone "Save As" 10000
wait_file_eq "$edid/at-tv0001-at-maker.bin" "$out/hidden.bin"
assert_file_eq "$edid/at-tv0001-at-maker.bin" "$out/hidden.bin" "hidden file replaced"
assert_eq 'A   H        C:\e2e\out\hidden.bin' \
    "$(e2e_timeout 60 wine attrib 'C:\e2e\out\hidden.bin' | tr -d '\r')" "hidden file: still hidden"

# --- The same save through moniquet-cli: a device, a pipe or a folder is
# refused and left as it is; a symbolic link is written through to the file
# it names, in that file's folder, and stays a link.
cli="$WINEPREFIX/drive_c/e2e/cli"
mkdir -p "$cli/real" "$cli/folder"
mkfifo "$cli/fifo"
targets=('cli\fifo' 'cli\folder' 'NUL')
if mknod "$cli/null" c 1 3 2>/dev/null; then # a copy of /dev/null, made by root only
    targets+=('cli\null')
fi
printf 'old content\n' >"$cli/real/linked.bin"
ln -s real/linked.bin "$cli/link.bin"
entries() { (cd "$cli" && find . -printf '%y %p\n' | sort); }
before=$(entries)
for target in "${targets[@]}"; do
    assert_contains "$(e2e_run "$E2E_CLI" save 2 "C:\\e2e\\$target" 2>&1)" \
        "cannot write: not a regular file" "moniquet-cli refuses $target"
done
assert_ok "moniquet-cli saves through a link" e2e_run "$E2E_CLI" save 2 'C:\e2e\cli\link.bin'
assert_eq "$before" "$(entries)" "nothing refused was replaced, the link is still a link"
assert_file_eq "$edid/at-tv0001-at-maker.bin" "$cli/real/linked.bin" "the linked file has the new bytes"

# --- A full disk (a tiny file system mounted for the test): the write fails,
# the box tells it in English, the old file keeps its content and no
# temporary file stays.
e2e_driver select "$fr" 1007 1
e2e_driver wait "$en" 5000
full=$(mktemp -d /tmp/ui-full.XXXXXX)
if mount -t tmpfs -o size=8k tmpfs "$full" 2>/dev/null; then
    trap 'status=$?; umount "$full"; rmdir "$full"; (exit $status); e2e_end' EXIT
    head -c 256 "$edid/aoc2367-plain.bin" >"$full/old.bin"
    cp "$full/old.bin" "$WINEPREFIX/old-copy.bin"
    dd if=/dev/zero of="$full/filler" bs=1k 2>/dev/null || true
    save_as "$en" "Z:${full//\//\\}\\old.bin"
    confirm_overwrite "full disk"
    assert_eq "Impossible to save file!" "$(wait_text Error -1 'Impossible to save file!')" \
        "full disk: English error box"
    e2e_driver key Error enter
    e2e_driver gone Error 10000
    assert_file_eq "$WINEPREFIX/old-copy.bin" "$full/old.bin" "full disk: old file whole"
    assert_eq "" "$(leftovers "$full" old.bin filler)" "full disk: no temporary file left"
else
    rmdir "$full"
    e2e_record SKIP "full disk: cannot mount a small file system here"
fi

# --- With no monitor listed, Copy leaves the clipboard alone and Save writes
# nothing after its dialog.
e2e_reg_delete 'HKLM\System\CurrentControlSet\Enum\DISPLAY'
e2e_driver click "$en" 1003
assert_eq "" "$(e2e_driver items "$en" 1001)" "every monitor removed"
e2e_driver click "$en" 1005
e2e_driver clipboard >"$WINEPREFIX/clipboard-after.txt"
assert_file_eq "$(e2e_report_box gsm5662-nul-in-name)" "$WINEPREFIX/clipboard-after.txt" \
    "no monitor: Copy leaves the clipboard as it was"
save_as "$en" 'C:\e2e\out\nothing.bin'
assert_ok "no monitor: the save dialog still shows and closes" e2e_driver gone "Save As" 10000
sleep 0.5
assert_eq "" "$(leftovers "$out" first.bin long.bin locked.bin hidden.bin)" "no monitor: Save writes nothing"

e2e_driver close "$en"
assert_status 0 "the close box ends the program" e2e_wait_exit 20

# --- Without the common dialogs' library (disabled for this program alone),
# every Save shows the failure box instead of nothing.
e2e_timeout 60 wine reg add 'HKCU\Software\Wine\AppDefaults\Moniquet.exe\DllOverrides' \
    /v comdlg32 /t REG_SZ /d '' /f >/dev/null
e2e_start_program "$E2E_APP"
e2e_driver wait "$fr" 30000
for attempt in first second; do
    e2e_driver click "$fr" 1006 post
    assert_eq "Impossible de sauvegarder le fichier!" \
        "$(wait_text Error -1 'Impossible de sauvegarder le fichier!')" \
        "no save dialog library, $attempt Save: the failure box"
    assert_eq $'Error\t#32770' "$(e2e_driver windows Error | grep -v "^$fr")" \
        "no save dialog library, $attempt Save: no other window"
    e2e_driver key Error enter
    e2e_driver gone Error 10000
done
e2e_driver close "$fr"
assert_status 0 "the program ends after the failed saves" e2e_wait_exit 20
