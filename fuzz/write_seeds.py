#!/usr/bin/env python3
"""Writes the seeds of the fuzz targets that start from the real EDIDs of tests/data, into
OUT/TARGET/: every EDID of tests/data/edid (the .bin files, and the .hex ones as bytes), of
tests/data/corpus/edid-samples.tsv and of tests/data/crafted/fields-*.tsv for edid_fuzz and
info_output_fuzz; the same, each after the byte of a hex form (in turn), for hex_forms_fuzz;
and every file of tests/data/hex and every .bin and .hex file of tests/data/edid, as they are,
for hex_text_fuzz. scripts/test runs it before fuzzing.

Usage: write_seeds.py OUT"""
import pathlib
import shutil
import sys

DATA = pathlib.Path(__file__).resolve().parent.parent / 'tests' / 'data'
FORMS = 16  # hex_forms::kFormCount


def edids():
    """(name, bytes) of every real and synthetic EDID."""
    for path in sorted((DATA / 'edid').iterdir()):
        if path.suffix == '.bin':
            yield path.stem, path.read_bytes()
        elif path.suffix == '.hex':
            yield path.stem, bytes.fromhex(path.read_text())
    # The crafted EDIDs of the fields hold the blocks the corpus lacks.
    for tsv in [DATA / 'corpus' / 'edid-samples.tsv'] + sorted(
            (DATA / 'crafted').glob('fields-*.tsv')):
        for line in tsv.read_text().splitlines():
            name, _, hexes = line.split('\t')
            yield name.replace('/', '_'), bytes.fromhex(hexes)


def folder(out, target):
    path = out / target
    shutil.rmtree(path, ignore_errors=True)
    path.mkdir(parents=True)
    return path


def main():
    out = pathlib.Path(sys.argv[1])
    edid, info, forms, text = (folder(out, t) for t in (
        'edid_fuzz', 'info_output_fuzz', 'hex_forms_fuzz', 'hex_text_fuzz'))
    for n, (name, data) in enumerate(edids()):
        (edid / name).write_bytes(data)
        (info / name).write_bytes(data)
        (forms / name).write_bytes(bytes([n % FORMS]) + data)
    for path in (sorted((DATA / 'hex').iterdir()) + sorted((DATA / 'edid').glob('*.hex'))
                 + sorted((DATA / 'edid').glob('*.bin'))):
        if path.suffix != '.py':
            shutil.copyfile(path, text / path.name)


main()
