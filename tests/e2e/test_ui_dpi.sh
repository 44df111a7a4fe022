#!/usr/bin/env bash
# Moniquet.exe at 96, 144 and 192 DPI (Wine's LogPixels): the report keeps
# its size relative to the dialog's own text, whose height the dialog manager
# scales (a control's height in dialog units is in eighths of it), the banner
# its size relative to the report box, and the dialog fits a 1920x1080 screen
# at 144 DPI. Screenshots of each, on a screen
# large enough for the dialog at 192 DPI.
source "$(dirname "$0")/lib.sh"
e2e_begin
E2E_SCREEN=1920x1200x24 e2e_start_xvfb || exit 1
E2E_OWN_XVFB=1

fr='Moniquet (français)'
report_height_units=185 # the report box's height in the template

# One prefix: each program reads the resolution when it starts.
e2e_new_prefix
e2e_seed_monitor 'DISPLAY\AOC2367\5&1&0&UID1' "$E2E_DATA/edid/aoc2367-plain.bin"
for dpi in 96 144 192; do
    e2e_timeout 60 wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD \
        /d "$dpi" /f >/dev/null
    e2e_start_program "$E2E_APP"
    assert_ok "$dpi DPI: the dialog shows" e2e_driver wait "$fr" 30000
    pitch=$(e2e_driver pitch "$fr" 1002)
    read -r box_width box_height < <(e2e_driver size "$fr" 1002)
    read -r banner_width _ < <(e2e_driver size "$fr" -1)
    read -r dialog_width dialog_height < <(e2e_driver size "$fr" 0)
    sleep 1 # the first paint of a large window under Xvfb takes a moment
    e2e_screenshot "$dpi" >/dev/null
    # Report line pitch over the dialog font's height.
    ratio=$(awk -v p="$pitch" -v h="$box_height" -v u="$report_height_units" \
        'BEGIN { printf "%.3f", p * u / (h * 8) }')
    banner=$(awk -v b="$banner_width" -v w="$box_width" 'BEGIN { printf "%.3f", b / w }')
    echo "$dpi DPI: report line pitch $pitch px, report box ${box_width}x$box_height px," \
        "banner $banner_width px wide, dialog ${dialog_width}x$dialog_height px"
    if [ "$dpi" = 96 ]; then
        ratio96=$ratio banner96=$banner
    else
        assert_eq 1 "$(awk -v r="$ratio" -v b="$ratio96" 'BEGIN { print (r > b * 0.85 && r < b * 1.15) }')" \
            "$dpi DPI: report text to dialog text $ratio, within 15% of $ratio96 at 96 DPI"
        assert_eq 1 "$(awk -v r="$banner" -v b="$banner96" 'BEGIN { print (r > b * 0.95 && r < b * 1.05) }')" \
            "$dpi DPI: banner to report box width $banner, as $banner96 at 96 DPI"
    fi
    if [ "$dpi" = 144 ]; then
        assert_eq 1 "$(( dialog_width <= 1920 && dialog_height <= 1080 ))" \
            "144 DPI: the dialog (${dialog_width}x$dialog_height) fits 1920x1080"
    fi
    e2e_driver close "$fr"
    assert_status 0 "$dpi DPI: the close box ends the program" e2e_wait_exit 20
done
