#!/usr/bin/env bash
# The About box in both languages, closed by OK, Esc and its close box, each
# time returning to the main dialog unchanged; the Close button then ends the
# program.
source "$(dirname "$0")/lib.sh"
e2e_begin

edid="$E2E_DATA/edid"
fr='Moniquet (français)'
en='Moniquet (english)'
about_fr='A propos de Moniquet'
about_en='About Moniquet'

main_unchanged() { # CAPTION STATE MESSAGE
    e2e_driver text "$1" 1002 >"$WINEPREFIX/report.txt"
    assert_file_eq "$(e2e_report_box acr06b4-data-string)" "$WINEPREFIX/report.txt" "$3: report unchanged"
    assert_eq "$2" "$(e2e_driver text "$1" 1010)" "$3: state unchanged"
}

e2e_new_prefix
e2e_use_fake_setupapi Moniquet.exe
e2e_seed_monitor 'DISPLAY\A1ACR06B4\1' "$edid/acr06b4-data-string.bin"
e2e_start_program "$E2E_APP"
assert_ok "main dialog shows" e2e_driver wait "$fr" 30000

# --- French: the caption from the string table, the fixed texts of the
# template, OK closes it.
e2e_driver click "$fr" 1008 post
assert_ok "About box in French" e2e_driver wait "$about_fr" 10000
controls=$(e2e_driver controls "$about_fr")
assert_contains "$controls" $'-1\tStatic\tMoniquet, Version 1.0.4' "name and version line"
assert_contains "$controls" $'1\tButton\tOK' "OK button"
e2e_screenshot about-fr >/dev/null
e2e_driver click "$about_fr" 1 post
assert_ok "OK closes the About box" e2e_driver gone "$about_fr" 10000
main_unchanged "$fr" "actif" "after OK"

# --- English: "About Moniquet", closed with Esc.
e2e_driver select "$fr" 1007 1
e2e_driver wait "$en" 5000
e2e_driver click "$en" 1008 post
assert_ok "About box in English" e2e_driver wait "$about_en" 10000
e2e_screenshot about-en >/dev/null
e2e_driver key "$about_en" esc
assert_ok "Esc closes the About box" e2e_driver gone "$about_en" 10000
main_unchanged "$en" "active" "after Esc"

# --- French again, closed with its close box.
e2e_driver select "$en" 1007 0
e2e_driver wait "$fr" 5000
e2e_driver click "$fr" 1008 post
assert_ok "About box in French again" e2e_driver wait "$about_fr" 10000
e2e_driver close "$about_fr"
assert_ok "the close box closes the About box" e2e_driver gone "$about_fr" 10000
main_unchanged "$fr" "actif" "after the close box"

# --- The Close button ends the program.
e2e_driver click "$fr" 1 post
assert_status 0 "Close ends the program" e2e_wait_exit 20
