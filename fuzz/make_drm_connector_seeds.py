#!/usr/bin/env python3
# Writes the seed inputs of drm_connector_fuzz (the input layout is described
# at the top of drm_connector_fuzz.cpp) into fuzz/seeds/drm_connector_fuzz, from
# the real EDIDs of tests/data/edid.
import pathlib
import struct

fuzz = pathlib.Path(__file__).resolve().parent
edid = fuzz.parent / "tests" / "data" / "edid"
corpus = fuzz / "seeds" / "drm_connector_fuzz"
REGULAR, MISSING, FIFO, FOLDER = range(4)


def connector(name, status, data, length=None, status_kind=REGULAR, edid_kind=REGULAR,
              linked=False):
    length = len(data) if length is None else length
    kinds = status_kind | edid_kind << 2 | (0x10 if linked else 0)
    return (bytes([kinds, len(name)]) + name + bytes([len(status)]) + status +
            struct.pack("<HH", length, len(data)) + data)


def sample(name):
    return (edid / name).read_bytes()


seeds = {
    "two-monitors": bytes([0]) +
    connector(b"card0-DP-1", b"connected\n", sample("aoc2367-plain.bin")) +
    connector(b"card0-HDMI-A-1", b"disconnected\n", sample("at-tv0001-at-maker.bin"),
              linked=True),
    "odd-files": bytes([0]) +
    connector(b"card0-DP-2", b"connected\n", b"", edid_kind=FIFO, status_kind=FOLDER) +
    connector(b"card1-eDP-1", b"connected", b"\x00") +
    connector(b"card2-DP-1", b"connected\n", sample("aoc2460-three-blocks.bin"), 40000) +
    connector(b"card0-DP-3", b"connected\n", sample("aoc2460-three-blocks.bin")) +
    connector(b"card0", b"connected\n", sample("acr06b4-data-string.bin")),
    "no-folder": bytes([2]) + connector(b"card0-DP-1", b"connected\n", sample("aoc2367-plain.bin")),
    "file-for-folder": bytes([1]),
}
corpus.mkdir(parents=True, exist_ok=True)
for name, data in seeds.items():
    (corpus / name).write_bytes(data)
