#!/usr/bin/env python3
"""Checks the README's list of the keys of `info --json` against the golden outputs of
tests/data/edid: every top-level key they hold has its row, and every key of a
`detailed_timings` or `modes` item that some golden output holds as null is named in
its row as "`KEY` (`null` ...", so that a reader knows to expect it.

Usage: check_readme_keys.py README.md GOLDEN_FOLDER"""
import json
import pathlib
import re
import sys

readme, folder = pathlib.Path(sys.argv[1]), pathlib.Path(sys.argv[2])
text = readme.read_text()
table = text[text.index('| Key | What it holds |'):].split('\n\n')[0]
rows = {}
for row in table.splitlines()[2:]:
    cells = row.split(' | ')
    for key in re.findall(r'`([a-z0-9_]+)`', cells[0]):
        rows[key] = row

problems = []
goldens = sorted(folder.glob('*.info.json'))
for golden in goldens:
    info = json.loads(golden.read_text())
    for key in info:
        if key not in rows:
            problems.append(f'{golden.name}: top-level key {key} has no row')
    for listed in ('detailed_timings', 'modes'):
        for item in info[listed]:
            for key, value in item.items():
                if value is None and f'`{key}` (`null`' not in rows.get(listed, ''):
                    problems.append(f'{golden.name}: {listed}[].{key} is null, which the '
                                    f'row of {listed} does not say')
if not goldens:
    problems.append(f'no golden outputs in {folder}')
for problem in sorted(set(problems)):
    print(problem)
sys.exit(1 if problems else 0)
