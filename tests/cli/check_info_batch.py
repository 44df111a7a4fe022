#!/usr/bin/env python3
"""`info` given several files, against tests/data/batch/info.jsonl, whose lines
name the files (their "file" keys, relative to tests/data) in the order given:
the output is that file byte for byte, its standard error what each file alone
prints there, in order, and its status 1 for the files that give no EDID. Each
EDID's line is the object of `info --json` of its file alone, "file" first;
each error line's reason is what that file alone prints on standard error.

Usage: check_info_batch.py CLI DATA (MONIQUET_WRITE_GOLDENS=1: rewrite info.jsonl first)"""
import json
import os
import pathlib
import subprocess
import sys

cli, data = os.path.abspath(sys.argv[1]), pathlib.Path(sys.argv[2])
golden_path = data / 'batch' / 'info.jsonl'
golden = golden_path.read_text()
if os.environ.get('MONIQUET_WRITE_GOLDENS'):
    # After a change to what info prints: the same files, the output written anew.
    named = [json.loads(line)['file'] for line in golden.splitlines()]
    golden = subprocess.run([os.path.abspath(sys.argv[1]), 'info', '--json', *named],
                            cwd=data, capture_output=True).stdout.decode()
    golden_path.write_text(golden)
lines = [json.loads(line) for line in golden.splitlines()]
files = [line['file'] for line in lines]
failures = []


def run(*args, stdin=None):
    return subprocess.run([cli, *args], cwd=data, capture_output=True, stdin=stdin)


def expect(ok, what):
    if not ok:
        failures.append(what)


batch = run('info', '--json', *files)
expect(batch.stdout.decode() == golden, 'the output is not batch/info.jsonl')
expect(batch.returncode == 1, f'status {batch.returncode} with unreadable files, not 1')
alone = {file: run('info', '--json', file) for file in files}
expect(batch.stderr == b''.join(alone[file].stderr for file in files),
       f'standard error is not that of each file alone: {batch.stderr}')
for line in lines:
    single = alone[line['file']]
    if 'error' in line:
        expect(list(line) == ['file', 'error'] and single.returncode == 1 and
               single.stderr.decode() == f"moniquet-cli: {line['file']}: {line['error']}\n",
               f'{line}: not the error of the file alone')
    else:
        expect(single.returncode == 0 and
               list(line.items()) == [('file', line['file'])] + list(json.loads(single.stdout).items()),
               f"{line['file']}: not the object of the file alone")
expect(any('error' in line for line in lines) and any('error' not in line for line in lines),
       'batch/info.jsonl should hold both EDIDs and errors')

# --check: every file read, the status is 1 when one EDID fails a check.
read = [line for line in lines if 'error' not in line]
passing = [line for line in read if line['conformity']['verdict'] != 'fail']
for subset in (read, passing * 2):
    checked = run('info', '--json', '--check', *[line['file'] for line in subset])
    failed = any(line['conformity']['verdict'] == 'fail' for line in subset)
    expect(len(subset) > 1 and checked.returncode == (1 if failed else 0),
           f'--check over {len(subset)} files, {failed} failing: status {checked.returncode}')

# Standard input once among files, named "-"; twice is a wrong command line.
first, second = read[0]['file'], read[1]['file']
with open(data / second, 'rb') as stdin:
    piped = run('info', '--json', first, '-', stdin=stdin)
expect(list(json.loads(piped.stdout.splitlines()[1]).items()) ==
       list({**read[1], 'file': '-'}.items()), 'standard input among files')
expect(run('info', first, '-', '-').returncode == 2, "'-' twice is not a usage error")

# Text: each file under a heading, a blank line between two.
text = run('info', first, second)
expect(text.returncode == 0 and text.stdout == b'\n'.join(
    b'==> %s <==\n' % file.encode() + run('info', file).stdout for file in (first, second)),
    'the text of several files')

for failure in failures:
    print(failure, file=sys.stderr)
sys.exit(1 if failures else 0)
