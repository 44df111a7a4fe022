#!/usr/bin/env bash
# `moniquet-cli info` and `list --json` under Wine: the Windows program writes
# the bytes of the golden files (line feeds, no carriage return added), reads
# an EDID from standard input in binary mode, and `list --json` carries each
# seeded monitor's device instance ID and whole registry value.
source "$(dirname "$0")/lib.sh"
e2e_begin

edid="$E2E_DATA/edid"
fields="$E2E_SOURCE_ROOT/tests/cli/list_json_fields.py"

e2e_new_prefix
e2e_use_fake_setupapi moniquet-cli.exe
work="$WINEPREFIX/drive_c/e2e"
out="$WINEPREFIX/out"
cp "$edid/aoc2460-three-blocks.bin" "$E2E_DATA/hex/at-tv0001-at-maker.c-array.txt" \
    "$E2E_OWN_DATA/aoc2460-384.bin" "$work/"

# --- info of a file: 512 bytes, ten of them 0x1A, which ends a text-mode read.
e2e_run "$E2E_CLI" info 'C:\e2e\aoc2460-three-blocks.bin' >"$out"
assert_file_eq "$edid/aoc2460-three-blocks.info.txt" "$out" "info: the golden text, byte for byte"
e2e_run "$E2E_CLI" info 'C:\e2e\aoc2460-three-blocks.bin' --json >"$out"
assert_file_eq "$edid/aoc2460-three-blocks.info.json" "$out" "info FILE --json: the golden JSON"
e2e_run "$E2E_CLI" info --json - <"$work/aoc2460-three-blocks.bin" >"$out"
assert_file_eq "$edid/aoc2460-three-blocks.info.json" "$out" "info --json -: stdin read as bytes"
e2e_run "$E2E_CLI" info --json 'C:\e2e\at-tv0001-at-maker.c-array.txt' >"$out"
assert_file_eq "$edid/at-tv0001-at-maker.info.json" "$out" "info --json: hex text with CR LF"

# --- list --json: the monitors of list, in its order, each with its device
# instance ID and its registry value whole (the 384-byte one too), and the
# info --json of that value nested.
seeds=("$edid/aoc2367-plain.bin" "$E2E_OWN_DATA/aoc2460-384.bin" "$edid/gsm5662-nul-in-name.bin")
sources=('DISPLAY\AOC2367\5&1&0&UID1' 'DISPLAY\AOC2460\5&1&0&UID2' 'DISPLAY\GSM5662\5&1&0&UID3')
e2e_seed_monitor "${sources[0]}" "${seeds[0]}"
e2e_seed_monitor "${sources[1]}" "${seeds[1]}"
e2e_seed_monitor "${sources[2]}" "${seeds[2]}" --not-present
listed=$(e2e_run "$E2E_CLI" list)
assert_eq "$(printf '%s\t%s\t%s\t%s\n' 0 AOC2367 active "${sources[0]}" 1 AOC2460 active \
    "${sources[1]}" 2 GSM5662 'not active' "${sources[2]}")" "$listed" \
    "list: the seeded monitors, each with its device instance ID last"
json=$(e2e_run "$E2E_CLI" list --json)
assert_contains "$json" '"source": "DISPLAY\\AOC2367\\5&1&0&UID1",' "list --json: source escaped"
python3 "$fields" <<<"$json" >"$WINEPREFIX/fields"
assert_eq 0 "$?" "list --json: an array of entries with their keys"
assert_eq "$listed" "$(cut -f1-4 "$WINEPREFIX/fields")" "list --json: the monitors of list"
for i in 0 1 2; do
    IFS=$'\t' read -r -a entry < <(sed -n "$((i + 1))p" "$WINEPREFIX/fields")
    assert_eq "${sources[i]}" "${entry[3]}" "list --json $i: device instance ID"
    sha256=$(sha256sum <"${seeds[i]}" | cut -d' ' -f1)
    assert_eq "$sha256 $sha256" "${entry[4]} ${entry[5]}" \
        "list --json $i: edid_sha256 and edid_base64 of the $(stat -c %s "${seeds[i]}") seeded bytes"
    cp "${seeds[i]}" "$work/seed.bin"
    nested=$(e2e_run "$E2E_CLI" info --json 'C:\e2e\seed.bin' |
        awk 'NR == 1 { printf "%s", $0; next } { printf "\n    %s", $0 }')
    assert_contains "$json" "\"info\": $nested" "list --json $i: info --json of the value, nested"
done

# --- The 384-byte value saved whole and decoded whole.
assert_ok "save of the 384-byte value" e2e_run "$E2E_CLI" save 1 'C:\e2e\saved.bin'
e2e_run "$E2E_CLI" info --json 'C:\e2e\aoc2460-384.bin' >"$WINEPREFIX/seeded.json"
e2e_run "$E2E_CLI" info --json 'C:\e2e\saved.bin' >"$out"
assert_file_eq "$WINEPREFIX/seeded.json" "$out" "info --json of the saved file: that of the value"
assert_eq 3 "$(grep -c '^    {"index": [0-9]*, "type": ' "$out")" "info --json of it: 3 blocks"
