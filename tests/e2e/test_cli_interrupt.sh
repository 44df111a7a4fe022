#!/usr/bin/env bash
# Ctrl+C in the middle of `moniquet-cli save`: the console control handler
# removes the temporary file, and the old file stays as it was. Wine turns
# SIGINT into the console's Ctrl+C; interrupt_in_fsync.c raises it while the
# temporary file is being flushed.
source "$(dirname "$0")/lib.sh"
e2e_begin

e2e_new_prefix
e2e_seed_monitor 'DISPLAY\AOC2367\5&1&0&UID1' "$E2E_DATA/edid/aoc2367-plain.bin"
out="$WINEPREFIX/drive_c/e2e/out"
mkdir -p "$out"
hook="$WINEPREFIX/interrupt_in_fsync.so"
gcc -shared -fPIC -o "$hook" "$E2E_DIR/interrupt_in_fsync.c" -ldl
printf 'old content\n' >"$out/edid.bin"

LD_PRELOAD="$hook" E2E_INTERRUPTED="$WINEPREFIX/interrupted" \
    e2e_run "$E2E_CLI" save 0 'C:\e2e\out\edid.bin' >/dev/null 2>&1
assert_contains "$(cat "$WINEPREFIX/interrupted" 2>/dev/null)" "/out/~mnq" \
    "Ctrl+C came while the temporary file was flushed"
assert_eq "edid.bin" "$(ls -A "$out")" "Ctrl+C: no temporary file left"
assert_eq "old content" "$(cat "$out/edid.bin")" "Ctrl+C: the old file whole"

# Without the interruption the same save goes through.
LD_PRELOAD="$hook" e2e_run "$E2E_CLI" save 0 'C:\e2e\out\edid.bin'
assert_file_eq "$E2E_DATA/edid/aoc2367-plain.bin" "$out/edid.bin" "uninterrupted save writes the EDID"
