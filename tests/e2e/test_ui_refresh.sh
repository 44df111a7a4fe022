#!/usr/bin/env bash
# Refresh after the device registry changed under the running program: a
# monitor added is listed and the first monitor shown; with every monitor
# removed the list empties but the report and state stay; a language change
# then leaves the state empty. Esc ends the program.
source "$(dirname "$0")/lib.sh"
e2e_begin

edid="$E2E_DATA/edid"
fr='Moniquet (français)'
en='Moniquet (english)'
enum='HKLM\System\CurrentControlSet\Enum\DISPLAY'

report_is() { # CAPTION EXPECTED-FILE MESSAGE
    e2e_driver text "$1" 1002 >"$WINEPREFIX/report.txt"
    assert_file_eq "$2" "$WINEPREFIX/report.txt" "$3"
}
remove_device() {
    e2e_reg_delete "$enum\\$1"
}

e2e_new_prefix
e2e_use_fake_setupapi Moniquet.exe
e2e_remove_wine_monitors
e2e_seed_monitor 'DISPLAY\B1AOC2367\1' "$edid/aoc2367-plain.bin"
e2e_start_program "$E2E_APP"
assert_ok "main dialog shows" e2e_driver wait "$fr" 30000
assert_eq "AOC2367" "$(e2e_driver items "$fr" 1001)" "one monitor at start"

# --- A monitor added before the one listed: both listed, the new first one
# selected and shown.
e2e_seed_monitor 'DISPLAY\A1ACR06B4\1' "$edid/acr06b4-data-string.bin"
e2e_seed_flush
e2e_driver click "$fr" 1003
assert_eq $'ACR06B4\nAOC2367' "$(e2e_driver items "$fr" 1001)" "Refresh lists the added monitor"
assert_eq "0" "$(e2e_driver selected "$fr" 1001)" "Refresh selects the first monitor"
report_is "$fr" "$(e2e_report_box acr06b4-data-string)" "Refresh shows the first monitor's report"

# --- Every monitor removed: the list empties, nothing is selected, and the
# report and state of the monitor shown before stay.
e2e_driver select "$fr" 1001 1
remove_device A1ACR06B4
remove_device B1AOC2367
e2e_driver click "$fr" 1003
assert_eq "" "$(e2e_driver items "$fr" 1001)" "empty scan: empty list"
assert_eq "-1" "$(e2e_driver selected "$fr" 1001)" "empty scan: nothing selected"
report_is "$fr" "$(e2e_report_box aoc2367-plain)" "empty scan: previous report stays"
assert_eq "actif" "$(e2e_driver text "$fr" 1010)" "empty scan: previous state stays"

# With no monitor selected a language change empties the state label and
# leaves the report.
e2e_driver select "$fr" 1007 1
assert_ok "caption in English" e2e_driver wait "$en" 5000
assert_eq "" "$(e2e_driver text "$en" 1010)" "no monitor selected: state label empty"
report_is "$en" "$(e2e_report_box aoc2367-plain)" "no monitor selected: report stays"

# --- A monitor installed but absent comes back: listed, shown, not active.
e2e_seed_monitor 'DISPLAY\C1ATV0001\1' "$edid/at-tv0001-at-maker.bin" --not-present
e2e_seed_flush
e2e_driver click "$en" 1003
assert_eq "@TV0001" "$(e2e_driver items "$en" 1001)" "Refresh lists the absent monitor"
report_is "$en" "$(e2e_report_box at-tv0001-at-maker)" "its report"
assert_eq "not active" "$(e2e_driver text "$en" 1010)" "its state"

# --- Esc ends the program.
e2e_driver key "$en" esc
assert_status 0 "Esc ends the program" e2e_wait_exit 20
