#!/usr/bin/env bash
# Moniquet.exe as a person starts and uses it: French at start, the monitor
# list with the first monitor shown, picking each monitor, switching to
# English and back, and Enter ending the program.
#
# The seeded monitors, in device order, and their reports decoded by hand
# (tests/data/edid/*.report):
#   GSM5662 present   bytes 8-9 1E 6D -> G S M; 10-11 62 56 -> 5662.
#                     Two timings (7C 2E 90 A0 60 1A 1E 40 ... DA 28 11 and
#                     21 39 90 30 62 1A ... DA 28 11): 0x90 + 6*256 = 1680,
#                     0x1A + 4*256 = 1050, 0xDA + 256 = 474, 0x28 + 256 = 296;
#                     a range-limits descriptor; a product name "L225W" 00 0A,
#                     whose zero byte shows as a space.
#   AOC2367 present   05 E3 -> A O C; 67 23 -> 2367; 02 3A 80 18 71 38 2D 40
#                     ... FD 1E 11: 0x80 + 7*256 = 1920, 0x38 + 4*256 = 1080,
#                     0xFD + 256 = 509, 0x1E + 256 = 286; name "2367".
#   @TV0001 absent    02 96 -> code 0 (@), T, V; 01 00 -> 0001; timing 1 as
#                     AOC's but 75 F2 31: 0x75 + 3*256 = 885, 0xF2 + 256 = 498;
#                     timing 2 66 21 56 B0 51 00 1B 30: 0x56 + 5*256 = 1366,
#                     0x00 + 3*256 = 768; name "TV".
source "$(dirname "$0")/lib.sh"
e2e_begin

edid="$E2E_DATA/edid"
expected="$E2E_EXPECTED"
fr='Moniquet (français)'
en='Moniquet (english)'

# Texts of the controls that a language change re-labels, one per line.
captions_are() { # CAPTION EXPECTED-FILE MESSAGE
    local id
    for id in 1009 1008 1004 1003 1005 1006 1; do
        printf '%s\t%s\n' "$id" "$(e2e_driver text "$1" "$id")"
    done >"$WINEPREFIX/captions.txt"
    assert_file_eq "$2" "$WINEPREFIX/captions.txt" "$3"
}
report_is() { # CAPTION EXPECTED-FILE MESSAGE
    e2e_driver text "$1" 1002 >"$WINEPREFIX/report.txt"
    assert_file_eq "$2" "$WINEPREFIX/report.txt" "$3"
}

e2e_new_prefix
e2e_use_fake_setupapi Moniquet.exe
e2e_seed_monitor 'DISPLAY\A1GSM5662\1' "$edid/gsm5662-nul-in-name.bin"
e2e_seed_monitor 'DISPLAY\A2AOC2367\1' "$edid/aoc2367-plain.bin"
e2e_seed_monitor 'DISPLAY\A3ATV0001\1' "$edid/at-tv0001-at-maker.bin" --not-present
e2e_start_program "$E2E_APP"

# --- Start-up: French, every monitor listed, the first one shown.
assert_ok "main dialog shows with the French caption" e2e_driver wait "$fr" 30000
captions_are "$fr" "$expected/ui_captions_fr.txt" "French captions at start"
assert_eq $'Français\nEnglish' "$(e2e_driver items "$fr" 1007)" "language list"
assert_eq "0" "$(e2e_driver selected "$fr" 1007)" "French selected at start"
assert_eq $'GSM5662\nAOC2367\n@TV0001' "$(e2e_driver items "$fr" 1001)" \
    "one label per monitor, present ones first"
assert_eq "0" "$(e2e_driver selected "$fr" 1001)" "first monitor selected"
report_is "$fr" "$(e2e_report_box gsm5662-nul-in-name)" \
    "first report whole, past the zero byte of its product name"
assert_eq "actif" "$(e2e_driver text "$fr" 1010)" "state of a present monitor"
e2e_screenshot main-fr >/dev/null

# --- Picking each monitor shows its report and state; picking the one
# already shown shows it again.
e2e_driver select "$fr" 1001 1
report_is "$fr" "$(e2e_report_box aoc2367-plain)" "second monitor's report"
assert_eq "actif" "$(e2e_driver text "$fr" 1010)" "second monitor: actif"
e2e_driver select "$fr" 1001 2
report_is "$fr" "$(e2e_report_box at-tv0001-at-maker)" "third monitor's report, two timings"
assert_eq "non actif" "$(e2e_driver text "$fr" 1010)" "absent monitor: non actif"
e2e_driver settext "$fr" 1002 "overwritten"
e2e_driver select "$fr" 1001 2
report_is "$fr" "$(e2e_report_box at-tv0001-at-maker)" "picking the same monitor writes its report again"

# --- English: every caption re-labelled, the state rewritten, the report
# and the list untouched.
e2e_driver select "$fr" 1007 1
assert_ok "caption in English" e2e_driver wait "$en" 5000
captions_are "$en" "$expected/ui_captions_en.txt" "English captions"
assert_eq "not active" "$(e2e_driver text "$en" 1010)" "state in English"
report_is "$en" "$(e2e_report_box at-tv0001-at-maker)" "report unchanged by the language"
assert_eq $'GSM5662\nAOC2367\n@TV0001' "$(e2e_driver items "$en" 1001)" "list unchanged"
e2e_driver select "$en" 1001 0
assert_eq "active" "$(e2e_driver text "$en" 1010)" "present monitor in English"
e2e_screenshot main-en >/dev/null

# --- And back to French.
e2e_driver select "$en" 1007 0
assert_ok "caption back in French" e2e_driver wait "$fr" 5000
captions_are "$fr" "$expected/ui_captions_fr.txt" "French captions again"
assert_eq "actif" "$(e2e_driver text "$fr" 1010)" "state back in French"
report_is "$fr" "$(e2e_report_box gsm5662-nul-in-name)" "report still the first monitor's"

# --- Enter presses the default button, Close: the program ends with 0.
e2e_driver key "$fr" enter
assert_status 0 "Enter ends the program" e2e_wait_exit 20
