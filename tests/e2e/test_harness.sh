#!/usr/bin/env bash
# The pieces the other tests stand on: the report font, seeding that survives
# reg import, the DLL override kept to the programs named, and the driver's
# keys going through the real dialog manager of Moniquet.exe.
source "$(dirname "$0")/lib.sh"
e2e_begin
e2e_new_prefix

# A fresh prefix has no Courier New: the report's font must come out as a
# fixed-pitch Liberation face, or the report's columns drift.
assert_eq $'Courier New\tLiberation Mono\tfixed' "$(e2e_driver font 'Courier New')" \
    "Courier New is replaced by Liberation Mono"
# The dialogs' font, as in any Wine prefix.
assert_eq $'MS Shell Dlg\tTahoma\tvariable' "$(e2e_driver font 'MS Shell Dlg')" \
    "MS Shell Dlg is drawn with Wine's Tahoma"

# Seeding: long values wrapped over many lines, non-ASCII instance names and
# the presence flag all arrive as written.
e2e_seed_monitor 'DISPLAY\AOC2460\é&1' "$E2E_DATA/edid/aoc2460-three-blocks.bin" --not-present
e2e_seed_flush
query=$(wine reg query 'HKLM\System\CurrentControlSet\Enum\DISPLAY\AOC2460\é&1\Device Parameters' /v EDID)
assert_contains "$query" "$(od -An -v -tx1 "$E2E_DATA/edid/aoc2460-three-blocks.bin" | tr -d ' \n' | tr a-f A-F)" \
    "a 512-byte EDID is imported whole"
query=$(wine reg query 'HKLM\System\CurrentControlSet\Enum\DISPLAY\AOC2460\é&1' /v "$E2E_NOT_PRESENT_VALUE")
assert_contains "$query" "0x1" "the not-present mark is imported"

# The override reaches only the programs named: driver.exe still runs on
# Wine's own setupapi, so the test DLL cannot leak into other processes.
e2e_use_fake_setupapi moniquet-cli.exe
override=$(wine reg query 'HKCU\Software\Wine\AppDefaults\moniquet-cli.exe\DllOverrides' /v setupapi)
assert_contains "$override" "native" "setupapi override set for moniquet-cli.exe"
assert_status 1 "no override for other programs" \
    wine reg query 'HKCU\Software\Wine\AppDefaults\driver.exe\DllOverrides' /v setupapi 2>/dev/null

if [ ! -f "$E2E_APP" ]; then
    e2e_skip "Moniquet.exe is not built"
fi
# Esc and Enter posted to the focused control are turned into IDCANCEL and
# IDOK by the dialog's modal loop, so Moniquet.exe ends either way.
title='Moniquet (français)'
for key in esc enter; do
    e2e_start_program "$E2E_APP"
    assert_ok "Moniquet.exe shows \"$title\"" e2e_driver wait "$title" 20000
    if [ "$key" = esc ]; then
        e2e_screenshot started >/dev/null
    fi
    e2e_driver key "$title" "$key"
    e2e_wait_exit 10
    assert_eq 0 "$?" "$key ends Moniquet.exe"
done

# The test setupapi.dll in a real run of Moniquet.exe: loaded from C:\e2e as
# the native DLL, serving presence to the dialog too, and no DLL that the
# program loads (the save dialog's included) misses a setupapi function that
# it does not export.
e2e_new_prefix fake-setupapi
e2e_use_fake_setupapi Moniquet.exe
e2e_seed_monitor 'DISPLAY\ACR06B4\5&1&0&UID1' "$E2E_DATA/edid/acr06b4-data-string.bin" --not-present
e2e_seed_monitor 'DISPLAY\AOC2367\5&1&0&UID2' "$E2E_DATA/edid/aoc2367-plain.bin"
WINEDEBUG=+loaddll,warn+module e2e_start_program "$E2E_APP"
assert_ok "Moniquet.exe starts with the test setupapi" e2e_driver wait "$title" 20000
assert_eq $'AOC2367\nACR06B4' "$(e2e_driver items "$title" 1001)" \
    "the dialog lists the present monitor first"
e2e_driver click "$title" 1006 post
assert_ok "the save dialog opens" e2e_driver wait "Save As" 10000
e2e_screenshot save-dialog >/dev/null
e2e_driver key "Save As" esc
e2e_driver gone "Save As" 10000
e2e_driver key "$title" esc
e2e_wait_exit 10
assert_eq 0 "$?" "Moniquet.exe ends normally"
log=$(cat "$E2E_PROGRAM_OUT")
# The name is as the program asks for it: Windows file names ignore case.
assert_contains "${log,,}" 'loaded l"c:\\e2e\\setupapi.dll"' "setupapi.dll comes from C:\\e2e"
assert_eq "" "$(grep -a 'No implementation for' <<<"$log")" "no import left unresolved"

# The start-up yardstick's timed start: the time to the started program's own
# window, which is closed and gone afterwards; no start while a window of that
# caption is already there, since the time would be that window's.
e2e_install_exe "$E2E_BUILD/tests/e2e/driver/plain_window.exe"
assert_ok "a timed start prints milliseconds" \
    grep -Eq '^[0-9]+\.[0-9]$' <<<"$(e2e_driver launch plain_window.exe 'Plain window')"
assert_ok "the timed program is closed" e2e_driver gone 'Plain window' 500
e2e_start_program "$E2E_BUILD/tests/e2e/driver/plain_window.exe"
e2e_driver wait 'Plain window' 20000 >/dev/null
stale=$(e2e_driver launch plain_window.exe 'Plain window' 2>&1)
assert_contains "$stale" "stale: plain_window.exe is still running" "no timed start beside a running copy"
e2e_driver close 'Plain window'
e2e_wait_exit 10
assert_eq 0 "$?" "the plain window ends when closed"
assert_contains "$(E2E_WAIT_MS=1000 e2e_driver launch plain_window.exe 'Other caption' 2>&1)" \
    'timed out waiting for "Other caption"' "a window of another caption is not the one timed"
