#!/usr/bin/env bash
# Start-up time: from starting Moniquet.exe with 50 seeded monitors to its
# dialog on screen, against a program that shows the same dialog template
# with nothing behind it (ui/bare_dialog.cpp), started the same way. Runs
# alternate between the programs; the medians are compared with the target,
# at most 1.2 times the bare dialog's time.
#
# Moniquet.exe runs twice per round: with the test setupapi.dll (both scan
# passes over every device, as on Windows) and, as MoniquetWine.exe, with
# Wine's own setupapi (every monitor present, the second pass cut short).
# Timings need a quiet machine, so the test runs only when asked:
#   E2E_STARTUP=1 tests/e2e/run WINDOWS-BUILD-DIR test_ui_startup
# Environment: E2E_STARTUP_RUNS (runs of each program, default 9).
source "$(dirname "$0")/lib.sh"
e2e_begin

[ "${E2E_STARTUP:-0}" = 1 ] || e2e_skip "timing run; set E2E_STARTUP=1 to measure"
runs=${E2E_STARTUP_RUNS:-9}
bare="$E2E_BUILD/ui/bare_dialog.exe"
[ -f "$bare" ] || e2e_skip "not built: $bare"

e2e_new_prefix
e2e_use_fake_setupapi Moniquet.exe
e2e_remove_wine_monitors
# 50 monitors of 50 models (product codes 0x2300 to 0x2331), the first 40
# present: every one is decoded, listed and merged.
for i in $(seq 0 49); do
    edid="$WINEPREFIX/edid-$i.bin"
    { head -c 10 "$E2E_DATA/edid/aoc2367-plain.bin"
      printf "\\x$(printf '%02x' "$i")\\x23"
      tail -c +13 "$E2E_DATA/edid/aoc2367-plain.bin"; } >"$edid"
    flag=()
    [ "$i" -ge 40 ] && flag=(--not-present)
    e2e_seed_monitor "DISPLAY\\M$(printf '%02d' "$i")\\1" "$edid" "${flag[@]}"
done
e2e_seed_flush
e2e_install_exe "$E2E_APP" "$bare" "$E2E_DRIVER"
cp "$E2E_APP" "$WINEPREFIX/drive_c/e2e/MoniquetWine.exe"

# Milliseconds from starting EXE to a visible window captioned CAPTION. The
# driver is already polling (every 50 ms) when the program starts, so its own
# start-up is not counted.
time_to_dialog() { # EXE CAPTION
    local waiter start end
    wine 'C:\e2e\driver.exe' wait "$2" 30000 &
    waiter=$!
    sleep 1
    start=$(date +%s%N)
    wine "C:\\e2e\\$1" >/dev/null 2>&1 &
    E2E_PIDS+=($!)
    wait "$waiter" || { echo "timeout"; return; }
    end=$(date +%s%N)
    e2e_driver close "$2" >/dev/null
    e2e_wait_exit 20 "${E2E_PIDS[-1]}" >/dev/null
    echo $(((end - start) / 1000000))
}
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

# One run of each first, to bring the files into the page cache.
time_to_dialog Moniquet.exe 'Moniquet (français)' >/dev/null
time_to_dialog MoniquetWine.exe 'Moniquet (français)' >/dev/null
time_to_dialog bare_dialog.exe 'Moniquet' >/dev/null
app_times=() wine_times=() bare_times=()
for _ in $(seq "$runs"); do
    app_times+=("$(time_to_dialog Moniquet.exe 'Moniquet (français)')")
    bare_times+=("$(time_to_dialog bare_dialog.exe 'Moniquet')")
    wine_times+=("$(time_to_dialog MoniquetWine.exe 'Moniquet (français)')")
done
echo "Moniquet.exe, test setupapi (ms): ${app_times[*]}"
echo "Moniquet.exe, Wine's setupapi (ms): ${wine_times[*]}"
echo "bare dialog (ms): ${bare_times[*]}"
app=$(printf '%s\n' "${app_times[@]}" | median)
wine_app=$(printf '%s\n' "${wine_times[@]}" | median)
base=$(printf '%s\n' "${bare_times[@]}" | median)
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
echo "medians: $app ms and $wine_app ms against $base ms"
if [[ "$app$wine_app$base" =~ ^[0-9]+$ ]]; then
    assert_ok "50 monitors, test setupapi: $app ms, $(ratio "$app" "$base")x a bare dialog ($base ms), at most 1.2x" \
        test $((app * 10)) -le $((base * 12))
    assert_ok "50 monitors, Wine's setupapi: $wine_app ms, $(ratio "$wine_app" "$base")x a bare dialog, at most 1.2x" \
        test $((wine_app * 10)) -le $((base * 12))
else
    e2e_record FAIL "a program did not show its dialog: ${app_times[*]} / ${wine_times[*]} / ${bare_times[*]}"
fi
