# Functions shared by the end-to-end tests under Wine (tests/e2e/test_*.sh),
# by tests/e2e/run and by scripts/demo. Source it; it defines functions and
# variables only. See tests/e2e/README.md for the API.
#
# Inputs (environment):
#   E2E_BUILD    the Windows build folder (required by e2e_begin)
#   E2E_WORK     runtime folder: cached prefix, test prefixes, screenshots
#                (default: $E2E_BUILD/e2e)
#   E2E_RESULTS  file collecting PASS/FAIL lines (default: $E2E_WORK/results.txt)
#   E2E_KEEP     1 keeps every test prefix; by default only failing ones stay
#   DISPLAY      an X display to use; without one e2e_begin starts Xvfb

E2E_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
E2E_SOURCE_ROOT=$(cd "$E2E_DIR/../.." && pwd)
E2E_DATA="$E2E_SOURCE_ROOT/tests/data"     # shared real EDID samples (tests/data/edid)
E2E_OWN_DATA="$E2E_DIR/data"               # samples only these tests need
E2E_EXPECTED="$E2E_DIR/expected"

# Bumped whenever e2e_prepare_base_prefix changes what it puts in the prefix,
# so that a cached prefix of an older kind is not reused.
E2E_PREFIX_REVISION=3

# Monitor setup class, as the device registry spells it.
E2E_MONITOR_CLASS='{4d36e96e-e325-11ce-bfc1-08002be10318}'
# Test-only REG_DWORD under an instance key read by the fake setupapi.dll.
E2E_NOT_PRESENT_VALUE='E2E_NotPresent'
# Where programs are copied inside a prefix (C:\e2e).
E2E_WIN_DIR='C:\e2e'

# Wine settings for every wine call; exported before the first one.
e2e_setup_env() {
    export WINEARCH=win64
    export WINEDEBUG=-all
    # No Mono or Gecko installer; no crash debugger, whose dialog would wait
    # for a click until the test's time limit: a crash ends the program.
    export WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d"
    # Same texts (system captions, button labels) whatever the caller's locale.
    export LANG=C.UTF-8 LC_ALL=C.UTF-8
    # Absolute paths: programs run from inside the prefix.
    if [ -n "${E2E_BUILD:-}" ]; then
        E2E_BUILD=$(cd "$E2E_BUILD" && pwd) || return 1
        export E2E_BUILD
    fi
    E2E_WORK=${E2E_WORK:-${E2E_BUILD:+$E2E_BUILD/e2e}}
    E2E_WORK=${E2E_WORK:-/tmp/e2e-work}
    mkdir -p "$E2E_WORK" && E2E_WORK=$(cd "$E2E_WORK" && pwd) || return 1
    E2E_RESULTS=${E2E_RESULTS:-$E2E_WORK/results.txt}
    E2E_SHOTS=${E2E_SHOTS:-$E2E_WORK/screenshots}
    if [ -n "${E2E_BUILD:-}" ]; then
        E2E_CLI="$E2E_BUILD/cli/moniquet-cli.exe"
        E2E_APP="$E2E_BUILD/ui/Moniquet.exe"
        E2E_DRIVER="$E2E_BUILD/tests/e2e/driver/driver.exe"
        E2E_FAKE_SETUPAPI="$E2E_BUILD/tests/e2e/fake_setupapi/setupapi.dll"
        E2E_STRINGS_PROBE="$E2E_BUILD/tests/e2e/strings_probe.exe"
    fi
    mkdir -p "$E2E_WORK" "$E2E_SHOTS"
    export E2E_WORK E2E_RESULTS E2E_SHOTS
}

e2e_log() { printf '%s\n' "$*" >&2; }

# ---------------------------------------------------------------- X server

# e2e_start_xvfb [DISPLAY-NUMBER]: starts Xvfb on the first free display from
# 90 (or on the one given), exports DISPLAY and sets E2E_XVFB_PID. A display
# taken by someone else meanwhile makes it try the next one.
e2e_start_xvfb() {
    local n=${1:-90} attempt
    for attempt in $(seq 10); do
        while [ -z "${1:-}" ] && { [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; }; do
            n=$((n + 1))
        done
        if e2e_try_xvfb "$n"; then
            export DISPLAY=":$n" E2E_XVFB_PID
            return 0
        fi
        [ -z "${1:-}" ] || break
        n=$((n + 1))
    done
    e2e_log "Xvfb did not start:"
    cat "$E2E_WORK/xvfb-$n.log" >&2
    return 1
}

e2e_try_xvfb() {
    local n=$1 i
    Xvfb ":$n" -screen 0 "${E2E_SCREEN:-1280x1024x24}" -nolisten tcp >"$E2E_WORK/xvfb-$n.log" 2>&1 &
    E2E_XVFB_PID=$!
    for i in $(seq 100); do
        if ! kill -0 "$E2E_XVFB_PID" 2>/dev/null; then
            wait "$E2E_XVFB_PID" 2>/dev/null
            return 1
        fi
        # Ours once the socket exists and the server still runs.
        if [ -e "/tmp/.X11-unix/X$n" ] && [ "$(cat "/tmp/.X$n-lock" 2>/dev/null | tr -d ' ')" = "$E2E_XVFB_PID" ]; then
            return 0
        fi
        sleep 0.05
    done
    kill "$E2E_XVFB_PID" 2>/dev/null
    wait "$E2E_XVFB_PID" 2>/dev/null
    return 1
}

# e2e_stop_xvfb: stops the Xvfb that e2e_start_xvfb started, by its PID.
e2e_stop_xvfb() {
    if [ -n "${E2E_XVFB_PID:-}" ]; then
        kill "$E2E_XVFB_PID" 2>/dev/null || true
        wait "$E2E_XVFB_PID" 2>/dev/null || true
        E2E_XVFB_PID=
    fi
}

# ---------------------------------------------------------------- prefixes

# Runs a command with a time limit, so that a hung wine call fails the test
# instead of the whole run.
e2e_timeout() {
    local seconds=$1
    shift
    timeout -k 5 "$seconds" "$@"
}

# e2e_prepare_base_prefix: boots the clean prefix every test copies, once per
# wine version (kept in $E2E_WORK/base-*). Prints its path.
e2e_prepare_base_prefix() {
    local version key base tmp
    version=$(wine --version 2>/dev/null | tr -c 'A-Za-z0-9.\n-' '_')
    key="${version}-r$E2E_PREFIX_REVISION"
    base="$E2E_WORK/base-$key"
    if [ -f "$base/.e2e-ready" ]; then
        printf '%s\n' "$base"
        return 0
    fi
    # Only one clean prefix is ever needed: drop those of other versions.
    rm -rf "$E2E_WORK"/base-*
    tmp=$(mktemp -d "$E2E_WORK/base-boot.XXXXXX")
    (
        export WINEPREFIX="$tmp/prefix"
        e2e_timeout 300 wineboot -i >"$tmp/boot.log" 2>&1 &&
        # The report's fixed-pitch font: a fresh prefix has no Courier New.
        e2e_timeout 60 wine reg add 'HKCU\Software\Wine\Fonts\Replacements' \
            /v 'Courier New' /t REG_SZ /d 'Liberation Mono' /f >>"$tmp/boot.log" 2>&1 &&
        # No window manager runs on Xvfb: let Wine draw the frames and title
        # bars itself, so that screenshots show the captions.
        e2e_timeout 60 wine reg add 'HKCU\Software\Wine\X11 Driver' \
            /v Managed /t REG_SZ /d N /f >>"$tmp/boot.log" 2>&1 &&
        e2e_timeout 60 wineserver -w &&
        # Wine's own fonts (Tahoma for "MS Shell Dlg", Marlett for the
        # title-bar buttons) are not where Debian's wine looks for them.
        cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
    ) || {
        e2e_log "booting the base prefix failed:"; cat "$tmp/boot.log" >&2
        WINEPREFIX="$tmp/prefix" wineserver -k 2>/dev/null
        rm -rf "$tmp"
        return 1
    }
    mv "$tmp/prefix" "$base"
    rm -rf "$tmp"
    touch "$base/.e2e-ready"
    printf '%s\n' "$base"
}

# e2e_new_prefix [NAME]: a private copy of the clean prefix for this test,
# exported as WINEPREFIX. A second call in one test ends the previous prefix's
# wine processes first.
e2e_new_prefix() {
    local name=${1:-$E2E_TEST}
    local base
    base=$(e2e_prepare_base_prefix) || return 1
    if [ -n "${WINEPREFIX:-}" ] && [ -d "$WINEPREFIX" ]; then
        e2e_stop_prefix
        # Each copy takes some 700 MB: keep the previous one only when
        # something has failed, to look at it afterwards.
        if [ "${E2E_FAILED:-0}" -eq 0 ] && [ "${E2E_KEEP:-0}" != 1 ]; then
            rm -rf "$WINEPREFIX"
        fi
    fi
    export WINEPREFIX="$E2E_WORK/prefixes/$name"
    rm -rf "$WINEPREFIX"
    mkdir -p "$E2E_WORK/prefixes"
    cp -a "$base" "$WINEPREFIX"
    rm -f "$WINEPREFIX/.e2e-ready"
    mkdir -p "$WINEPREFIX/drive_c/e2e"
    E2E_PREFIXES+=("$WINEPREFIX")
    E2E_PENDING_REG="$WINEPREFIX/e2e-seed.reg"
    : >"$E2E_PENDING_REG"
}

# e2e_stop_prefix: ends the programs this test started and the prefix's
# wineserver.
e2e_stop_prefix() {
    local pid
    for pid in "${E2E_PIDS[@]}"; do
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    E2E_PIDS=()
    if [ -n "${WINEPREFIX:-}" ] && [ -d "$WINEPREFIX" ]; then
        e2e_timeout 30 wineserver -k 2>/dev/null || true
        e2e_timeout 30 wineserver -w 2>/dev/null || true
    fi
}

# Windows path of a file copied into the prefix's C:\e2e.
e2e_win_path() {
    printf '%s\\%s' "$E2E_WIN_DIR" "$(basename "$1")"
}

# e2e_install_exe FILE...: copies programs (or DLLs) into C:\e2e, where
# e2e_run and e2e_start_program run them. Each test prefix gets its own copy,
# so a DLL put beside one never reaches the build folder.
e2e_install_exe() {
    local file
    for file in "$@"; do
        if [ ! -f "$file" ]; then
            e2e_log "not built: $file"
            return 1
        fi
        cp "$file" "$WINEPREFIX/drive_c/e2e/"
    done
}

# e2e_use_fake_setupapi EXE-NAME...: the named programs (e.g. moniquet-cli.exe,
# Moniquet.exe) load the test setupapi.dll from C:\e2e instead of Wine's, so
# that devices marked --not-present are left out of DIGCF_PRESENT sets. Only
# those programs are affected (AppDefaults), and "native" alone makes a
# missing DLL fail loudly instead of falling back to Wine's.
e2e_use_fake_setupapi() {
    e2e_install_exe "$E2E_FAKE_SETUPAPI" || return 1
    local exe
    for exe in "$@"; do
        e2e_timeout 60 wine reg add "HKCU\\Software\\Wine\\AppDefaults\\$exe\\DllOverrides" \
            /v setupapi /t REG_SZ /d native /f >/dev/null || return 1
    done
}

# ---------------------------------------------------------------- seeding

# Bytes of a file as .reg hex: "aa,bb,...", wrapped so that every continuation
# line starts with a hex digit (reg import drops a value whose continuation
# line starts with a comma).
e2e_reg_hex() {
    od -An -v -tx1 "$1" | tr -s ' \n' ' ' | sed 's/^ //; s/ $//' |
        tr ' ' '\n' | awk 'NF { printf "%s%s", (n ? (n % 24 ? "," : ",\\\r\n  ") : ""), $1; n++ }'
}

# .reg string escaping: backslash and double quote.
e2e_reg_string() {
    local s=${1//\\/\\\\}
    printf '"%s"' "${s//\"/\\\"}"
}

# e2e_seed_monitor INSTANCE-PATH EDID-FILE [options]
#   INSTANCE-PATH  "<enumerator>\<device>\<instance>" below
#                  HKLM\System\CurrentControlSet\Enum, e.g. 'DISPLAY\AOC2367\4&1a2b&0&UID256'
#   EDID-FILE      the value's bytes; /dev/null gives a zero-length value;
#                  "none" gives a hardware key without it
# Options:
#   --not-present        mark the device installed but absent (fake setupapi)
#   --value-name NAME    name of the EDID value (default "EDID"), e.g. "edid"
#   --class GUID         setup class of the device (default: the monitor class)
#   --value NAME=FILE    another binary value in the hardware key (repeatable);
#                        Wine lists values by name, whatever the order here
#   --no-device-key      no "Device Parameters" key at all
# Seeds are collected and imported in one go before the next program runs
# (e2e_seed_flush). Devices are enumerated in registry order, which in Wine is
# by name: choose instance paths accordingly.
e2e_seed_monitor() {
    local path=$1 edid=$2
    shift 2 || { e2e_log "usage: e2e_seed_monitor INSTANCE-PATH EDID-FILE [options]"; return 2; }
    local not_present=0 value_name=EDID class=$E2E_MONITOR_CLASS device_key=1
    local extra=()
    while [ $# -gt 0 ]; do
        case $1 in
        --not-present) not_present=1 ;;
        --value-name) value_name=$2; shift ;;
        --class) class=$2; shift ;;
        --value) extra+=("$2"); shift ;;
        --no-device-key) device_key=0 ;;
        *) e2e_log "e2e_seed_monitor: unknown option $1"; return 2 ;;
        esac
        shift
    done
    if [ "$edid" != none ] && [ ! -r "$edid" ]; then
        e2e_log "e2e_seed_monitor: cannot read $edid"
        return 1
    fi
    local key="HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Enum\\$path"
    {
        printf '[%s]\r\n' "$key"
        printf '"ClassGUID"=%s\r\n' "$(e2e_reg_string "$class")"
        if [ "$not_present" = 1 ]; then
            printf '"%s"=dword:00000001\r\n' "$E2E_NOT_PRESENT_VALUE"
        fi
        printf '\r\n'
        if [ "$device_key" = 1 ]; then
            printf '[%s\\Device Parameters]\r\n' "$key"
            local item
            for item in "${extra[@]}"; do
                printf '%s=hex:%s\r\n' "$(e2e_reg_string "${item%%=*}")" "$(e2e_reg_hex "${item#*=}")"
            done
            if [ "$edid" != none ]; then
                printf '%s=hex:%s\r\n' "$(e2e_reg_string "$value_name")" "$(e2e_reg_hex "$edid")"
            fi
            printf '\r\n'
        fi
    } >>"$E2E_PENDING_REG"
}

# e2e_seed_flush: imports the pending seeds (as UTF-16LE with a BOM, which
# reg import needs for any non-ASCII text). Called by e2e_run and
# e2e_start_program; call it yourself before reading the registry.
e2e_seed_flush() {
    [ -s "$E2E_PENDING_REG" ] || return 0
    local reg="$WINEPREFIX/drive_c/e2e/seed.reg"
    {
        printf '\xff\xfe'
        { printf 'Windows Registry Editor Version 5.00\r\n\r\n'; cat "$E2E_PENDING_REG"; } |
            iconv -f UTF-8 -t UTF-16LE
    } >"$reg"
    if ! e2e_timeout 60 wine reg import 'C:\e2e\seed.reg' >"$WINEPREFIX/e2e-seed.log" 2>&1; then
        e2e_log "reg import failed:"; cat "$WINEPREFIX/e2e-seed.log" >&2
        return 1
    fi
    : >"$E2E_PENDING_REG"
}

# e2e_remove_wine_monitors: deletes the monitor that Wine's display driver
# registers in a fresh prefix (DISPLAY\Default_Monitor, holding only an empty
# "BAD_EDID" value, so it never yields a monitor). For tests that want
# nothing but their own devices in the registry.
e2e_remove_wine_monitors() {
    e2e_timeout 60 wine reg delete \
        'HKLM\System\CurrentControlSet\Enum\DISPLAY\Default_Monitor' /f >/dev/null 2>&1 || true
}

# e2e_reg_delete KEY: deletes KEY and all below it, and returns once a query
# no longer finds it. A running program's display set-up may reopen or
# rewrite keys under Enum\DISPLAY while reg walks the tree, which makes one
# delete fail now and then; a few tries ride that out, and a key that stays
# is logged with reg's last words.
e2e_reg_delete() {
    local key=$1 try
    for try in 1 2 3 4 5; do
        e2e_timeout 60 wine reg delete "$key" /f >"$WINEPREFIX/e2e-reg-delete.log" 2>&1
        e2e_timeout 60 wine reg query "$key" >/dev/null 2>&1 || return 0
        sleep 0.5
    done
    e2e_log "reg delete $key: the key stays:"
    cat "$WINEPREFIX/e2e-reg-delete.log" >&2
    return 1
}

# ---------------------------------------------------------------- programs

# e2e_run EXE [ARGS...]: copies EXE into the prefix, imports pending seeds,
# runs it from C:\e2e (its current folder) and waits (at most E2E_RUN_TIMEOUT seconds, default 60). Its
# standard output and status are the command's.
e2e_run() {
    local exe=$1
    shift
    e2e_install_exe "$exe" && e2e_seed_flush || return 1
    (cd "$WINEPREFIX/drive_c/e2e" &&
        e2e_timeout "${E2E_RUN_TIMEOUT:-60}" wine "$(e2e_win_path "$exe")" "$@")
}

# e2e_start_program EXE [ARGS...]: like e2e_run but in the background; sets
# E2E_PID (remembered for cleanup) and E2E_PROGRAM_OUT (its output file).
e2e_start_program() {
    local exe=$1
    shift
    e2e_install_exe "$exe" && e2e_seed_flush || return 1
    E2E_PROGRAM_OUT="$WINEPREFIX/e2e-$(basename "$exe").out"
    # Started from C:\e2e, so that its current folder (where the save dialog
    # opens) is inside the prefix, not the caller's folder.
    local caller=$PWD
    cd "$WINEPREFIX/drive_c/e2e" || return 1
    wine "$(e2e_win_path "$exe")" "$@" >"$E2E_PROGRAM_OUT" 2>&1 &
    E2E_PID=$!
    cd "$caller" || return 1
    E2E_PIDS+=("$E2E_PID")
}

# e2e_wait_exit [SECONDS] [PID]: waits for the program (default E2E_PID) to
# end; returns its status, or 124 if it is still running after SECONDS
# (default 20).
e2e_wait_exit() {
    local seconds=${1:-20} pid=${2:-$E2E_PID}
    local ticks=$((seconds * 10))
    while kill -0 "$pid" 2>/dev/null; do
        if [ "$ticks" -le 0 ]; then
            return 124
        fi
        ticks=$((ticks - 1))
        sleep 0.1
    done
    wait "$pid"
}

# e2e_driver SUBCOMMAND ARGS...: runs driver.exe in the current prefix (see
# README.md for the subcommands). Prints what the driver prints.
e2e_driver() {
    if [ ! -f "$WINEPREFIX/drive_c/e2e/driver.exe" ]; then
        e2e_install_exe "$E2E_DRIVER" || return 1
    fi
    e2e_timeout 60 wine 'C:\e2e\driver.exe' "$@"
}

# e2e_screenshot NAME: the whole screen as $E2E_SHOTS/<test>-NAME.png; prints
# the file's path.
e2e_screenshot() {
    local file="$E2E_SHOTS/${E2E_TEST}-$1.png"
    if import -window root "$file" 2>"$E2E_WORK/import.log"; then
        printf '%s\n' "$file"
    else
        e2e_log "screenshot failed: $(cat "$E2E_WORK/import.log")"
        return 1
    fi
}

# e2e_report_box SAMPLE: the text the report box shows for
# tests/data/edid/SAMPLE.bin, made from the report beside it (SAMPLE.report)
# with each zero byte shown as a space; writes it to a file of the test
# prefix and prints that file's path.
e2e_report_box() {
    local file="$WINEPREFIX/report-box-$1.txt"
    tr '\0' ' ' <"$E2E_DATA/edid/$1.report" >"$file" && printf '%s\n' "$file"
}

# ---------------------------------------------------------------- results

e2e_record() {
    local verdict=$1 message=$2
    printf '%s: %s: %s\n' "$verdict" "$E2E_TEST" "$message"
    printf '%s\t%s\t%s\n' "$verdict" "$E2E_TEST" "$message" >>"$E2E_RESULTS"
    if [ "$verdict" = FAIL ]; then
        E2E_FAILED=$((E2E_FAILED + 1))
    fi
}

# e2e_skip MESSAGE: records why the test cannot run here and ends it.
e2e_skip() {
    e2e_record SKIP "$1"
    exit 0
}

# Shows a value on failure: quoted, with control characters made visible.
e2e_show() {
    printf '%s' "$1" | od -An -c | sed 's/^/      /' | head -n 40
}

# assert_eq EXPECTED ACTUAL MESSAGE
assert_eq() {
    if [ "$1" == "$2" ]; then
        e2e_record PASS "$3"
    else
        e2e_record FAIL "$3"
        printf '    expected:\n'; e2e_show "$1"
        printf '    actual:\n'; e2e_show "$2"
    fi
}

# assert_file_eq EXPECTED-FILE ACTUAL-FILE MESSAGE: byte for byte.
assert_file_eq() {
    if [ ! -f "$1" ] || [ ! -f "$2" ]; then
        e2e_record FAIL "$3 (missing file: $([ -f "$1" ] || echo "$1") $([ -f "$2" ] || echo "$2"))"
    elif cmp -s "$1" "$2"; then
        e2e_record PASS "$3"
    else
        e2e_record FAIL "$3"
        diff -u "$1" "$2" | head -n 40 | sed 's/^/    /'
    fi
}

# assert_contains HAYSTACK NEEDLE MESSAGE
assert_contains() {
    if [[ "$1" == *"$2"* ]]; then
        e2e_record PASS "$3"
    else
        e2e_record FAIL "$3"
        printf '    looked for:\n'; e2e_show "$2"
        printf '    in:\n'; e2e_show "$1"
    fi
}

# assert_ok MESSAGE COMMAND [ARGS...]: the command succeeds.
assert_ok() {
    local message=$1
    shift
    local status=0
    "$@" || status=$?
    if [ "$status" -eq 0 ]; then
        e2e_record PASS "$message"
    else
        e2e_record FAIL "$message (status $status from: $*)"
    fi
}

# assert_status EXPECTED-STATUS MESSAGE COMMAND [ARGS...]
assert_status() {
    local expected=$1 message=$2
    shift 2
    local status=0
    "$@" || status=$?
    if [ "$status" -eq "$expected" ]; then
        e2e_record PASS "$message"
    else
        e2e_record FAIL "$message (status $status, expected $expected, from: $*)"
    fi
}

# ---------------------------------------------------------------- test life

# e2e_begin: call first in every test script. Names the test after its file,
# sets up Wine's environment, starts Xvfb when there is no DISPLAY, and ends
# everything the test started when the script exits.
e2e_begin() {
    E2E_TEST=$(basename "${BASH_SOURCE[1]:-$0}" .sh)
    E2E_FAILED=0
    E2E_PIDS=()
    E2E_PREFIXES=()
    E2E_OWN_XVFB=0
    if [ -z "${E2E_BUILD:-}" ]; then
        e2e_log "E2E_BUILD is not set (the Windows build folder); run tests through tests/e2e/run"
        exit 2
    fi
    e2e_setup_env
    if [ -z "${DISPLAY:-}" ]; then
        e2e_start_xvfb || exit 1
        E2E_OWN_XVFB=1
    fi
    E2E_STARTED=$SECONDS
    trap e2e_end EXIT
}

# e2e_session NAME: the set-up of e2e_begin for a script that is not a test
# (scripts/demo): no traps, no Xvfb; end with e2e_stop_prefix.
e2e_session() {
    E2E_TEST=$1
    E2E_FAILED=0
    E2E_PIDS=()
    E2E_PREFIXES=()
    e2e_setup_env
}

e2e_end() {
    local status=$?
    e2e_stop_prefix
    if [ "$E2E_FAILED" -eq 0 ] && [ "${E2E_KEEP:-0}" != 1 ]; then
        local p
        for p in "${E2E_PREFIXES[@]}"; do rm -rf "$p"; done
    elif [ "${#E2E_PREFIXES[@]}" -gt 0 ]; then
        printf 'kept: %s\n' "${E2E_PREFIXES[@]}"
    fi
    if [ "$E2E_OWN_XVFB" = 1 ]; then
        e2e_stop_xvfb
    fi
    printf 'time: %s: %ds\n' "$E2E_TEST" $((SECONDS - E2E_STARTED))
    if [ "$E2E_FAILED" -gt 0 ] && [ "$status" -eq 0 ]; then
        status=1
    fi
    exit "$status"
}
