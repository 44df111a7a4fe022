#!/usr/bin/env bash
# The string tables in both languages, looked up through the compiled
# resources of a real Windows module under Wine.
source "$(dirname "$0")/lib.sh"
e2e_begin

if [ ! -f "$E2E_DIR/strings_probe.cpp" ]; then
    e2e_skip "tests/e2e/strings_probe.cpp is not in the tree"
fi
e2e_new_prefix
out="$WINEPREFIX/strings_probe.txt"
e2e_run "$E2E_STRINGS_PROBE" >"$out"
assert_eq 0 "$?" "strings_probe.exe runs"
assert_file_eq "$E2E_EXPECTED/strings_probe.txt" "$out" "string tables, French and English"
