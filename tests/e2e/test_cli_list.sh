#!/usr/bin/env bash
# `moniquet-cli list` and `save` under Wine against monitors seeded in the
# device registry: the real scan, list and merge code, on Wine's setupapi and
# on the test setupapi.dll that honours "not present".
source "$(dirname "$0")/lib.sh"
e2e_begin

edid="$E2E_DATA/edid"
lines() { printf '%s\n' "$@"; }
# list without its last column, the source (checked by test_cli_info).
listed() { e2e_run "$E2E_CLI" list | cut -f1-3; }

# --- A fresh prefix: Wine registers DISPLAY\Default_Monitor with an empty
# "BAD_EDID" value only, which must yield no monitor.
e2e_new_prefix fresh
assert_eq "" "$(listed)" "fresh prefix, Wine's setupapi: no monitor"
e2e_use_fake_setupapi moniquet-cli.exe
assert_eq "" "$(listed)" "fresh prefix, test setupapi: no monitor"

# --- Wine's own setupapi ignores DIGCF_PRESENT: every seeded monitor is
# listed as active, in device order.
e2e_new_prefix wine-setupapi
e2e_seed_monitor 'DISPLAY\ACR06B4\5&1&0&UID1' "$edid/acr06b4-data-string.bin"
e2e_seed_monitor 'DISPLAY\AOC2367\5&1&0&UID2' "$edid/aoc2367-plain.bin"
e2e_seed_monitor 'DISPLAY\GSM5662\5&1&0&UID3' "$edid/gsm5662-nul-in-name.bin" --not-present
assert_eq "$(lines $'0\tACR06B4\tactive' $'1\tAOC2367\tactive' $'2\tGSM5662\tactive')" \
    "$(listed)" "Wine's setupapi: labels in device order, all active"

# --- Presence through the test setupapi: present monitors first, in device
# order; then absent ones of models not listed yet; two present monitors of
# one model both listed; an absent unit of a present model merged away; of
# two absent units of one model only the first; a device of another class
# only seen by the all-classes pass.
e2e_new_prefix presence
e2e_use_fake_setupapi moniquet-cli.exe
e2e_seed_monitor 'DISPLAY\ACR06B4\5&1&0&UID1' "$edid/acr06b4-data-string.bin" --not-present
e2e_seed_monitor 'DISPLAY\AOC2367\5&1&0&UID2' "$edid/aoc2367-plain.bin"
e2e_seed_monitor 'DISPLAY\DELA07A\5&1&0&UID3' "$E2E_OWN_DATA/dela07a-a.bin"
e2e_seed_monitor 'DISPLAY\DELA07A\5&1&0&UID4' "$E2E_OWN_DATA/dela07a-b.bin"
e2e_seed_monitor 'DISPLAY\DELA07A\5&1&0&UID5' "$E2E_OWN_DATA/dela07a-b.bin" --not-present
e2e_seed_monitor 'DISPLAY\GSM5662\5&1&0&UID6' "$edid/gsm5662-nul-in-name.bin" --not-present
e2e_seed_monitor 'DISPLAY\GSM5662\5&1&0&UID7' "$edid/gsm5662-nul-in-name.bin" --not-present
e2e_seed_monitor 'DISPLAY\GSM5662\5&1&0&UID8' "$edid/aoc2367-plain.bin" --not-present
e2e_seed_monitor 'PCI\VEN_10DE&DEV_1C03\4&1&0&0' "$edid/gsm3aa8-four-timings.bin" \
    --class '{4d36e968-e325-11ce-bfc1-08002be10318}'
expected=$(lines \
    $'0\tAOC2367\tactive' \
    $'1\tDELA07A\tactive' \
    $'2\tDELA07A\tactive' \
    $'3\tACR06B4\tnot active' \
    $'4\tGSM5662\tnot active' \
    $'5\tGSM3AA8\tnot active')
assert_eq "$expected" "$(listed)" "test setupapi: present first, then absent models"

# The same device sets again give the same list (a second scan in one
# process is not cut short by the first one's end-of-set).
assert_eq "$expected" "$(listed)" "test setupapi: a second run lists the same"

# `save` writes a listed monitor's EDID as the registry holds it: 128 bytes,
# nothing added.
assert_ok "save of monitor 3 succeeds" e2e_run "$E2E_CLI" save 3 'C:\e2e\saved.bin'
assert_file_eq "$edid/acr06b4-data-string.bin" "$WINEPREFIX/drive_c/e2e/saved.bin" \
    "save: 128-byte EDID byte for byte"

# `list --prometheus --output` replaces an older file whole, as a scheduled
# task does for windows_exporter's textfile collector; the registry scan
# cannot tell what it passed over, so there is no moniquet_scan_errors.
printf 'stale\n%.0s' $(seq 500) >"$WINEPREFIX/drive_c/e2e/moniquet.prom"
assert_ok "list --prometheus --output succeeds" \
    e2e_run "$E2E_CLI" list --prometheus --output 'C:\e2e\moniquet.prom'
assert_file_eq "$E2E_EXPECTED/list-presence.prom" "$WINEPREFIX/drive_c/e2e/moniquet.prom" \
    "list --prometheus --output: the monitors of list as metrics"
assert_eq "" "$(find "$WINEPREFIX/drive_c/e2e" -name '.moniquet-*')" \
    "list --prometheus --output: no temporary file left"
assert_ok "promtool check metrics of the Windows textfile" \
    promtool check metrics <"$WINEPREFIX/drive_c/e2e/moniquet.prom"

# --- How the scan reads a hardware key. Devices that must yield nothing come
# first in device order, so that none of them may end the scan early.
e2e_new_prefix values
e2e_use_fake_setupapi moniquet-cli.exe
long_name=$(printf 'C%.0s' $(seq 130))
head -c 300 /dev/urandom >"$WINEPREFIX/big.bin"
printf '\x01\x02' >"$WINEPREFIX/short.bin"
e2e_seed_monitor 'DISPLAY\A01\1' "$edid/aoc2367-plain.bin" --value-name edid
e2e_seed_monitor 'DISPLAY\A02\1' "$edid/aoc2367-plain.bin" --value-name EDID2
e2e_seed_monitor 'DISPLAY\A03\1' none --value "BAD_EDID=$WINEPREFIX/short.bin"
e2e_seed_monitor 'DISPLAY\A04\1' "$edid/aoc2367-plain.bin" --no-device-key
e2e_seed_monitor 'DISPLAY\B01\1' "$edid/acr06b4-data-string.bin" \
    --value "A=$WINEPREFIX/short.bin" --value "$long_name=$WINEPREFIX/short.bin" \
    --value "Big=$WINEPREFIX/big.bin"
e2e_seed_monitor 'DISPLAY\B02\1' "$edid/at-tv0001-at-maker.bin"
e2e_seed_monitor 'DISPLAY\B03\1' /dev/null
e2e_seed_monitor 'DISPLAY\B04\1' "$edid/aoc2460-three-blocks.bin"
e2e_seed_monitor 'DISPLAY\B05\1' "$E2E_OWN_DATA/aoc2460-384.bin"
expected=$(lines \
    $'0\tACR06B4\tactive' \
    $'1\t@TV0001\tactive' \
    $'2\t@@@0000\tactive' \
    $'3\tAOC2460\tactive' \
    $'4\tAOC2460\tactive')
assert_eq "$expected" "$(listed)" \
    "only values named exactly EDID, after other values, of 0 to 512 bytes"

# `save` writes each value whole, whatever its length.
save_is() { # INDEX EXPECTED-FILE MESSAGE
    local saved="C:\\e2e\\saved-$1.bin"
    assert_ok "save of monitor $1" e2e_run "$E2E_CLI" save "$1" "$saved"
    assert_file_eq "$2" "$WINEPREFIX/drive_c/e2e/saved-$1.bin" "$3"
}
: >"$WINEPREFIX/empty.bin"
save_is 2 "$WINEPREFIX/empty.bin" "save: zero-length EDID gives an empty file"
save_is 3 "$edid/aoc2460-three-blocks.bin" "save: 512-byte EDID byte for byte"
save_is 4 "$E2E_OWN_DATA/aoc2460-384.bin" "save: 384-byte EDID byte for byte"
save_is 1 "$edid/at-tv0001-at-maker.bin" "save: 256-byte EDID byte for byte"

# `save --all` writes the same files, named by index and label, in the folder
# given, and prints each path as written.
mkdir "$WINEPREFIX/drive_c/e2e/all"
assert_eq "$(lines 'C:\e2e\all\0-ACR06B4.bin' 'C:\e2e\all\1-@TV0001.bin' \
    'C:\e2e\all\2-@@@0000.bin' 'C:\e2e\all\3-AOC2460.bin' 'C:\e2e\all\4-AOC2460.bin')" \
    "$(e2e_run "$E2E_CLI" save --all 'C:\e2e\all')" "save --all: every monitor's path"
assert_file_eq "$E2E_OWN_DATA/aoc2460-384.bin" "$WINEPREFIX/drive_c/e2e/all/4-AOC2460.bin" \
    "save --all: the 384-byte EDID whole"
