"""Reads what edid-decode printed, as tests/data/oracle keeps it: the decoded text, the check
messages of its Failures and Warnings sections, and its verdict."""
import collections
import os
import re

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))
DATA = os.path.join(ROOT, 'tests', 'data')
STORED = os.path.join(DATA, 'oracle')

# One check message: 'failure' or 'warning', the block it is about (its section's "Block N, ...:"
# heading; the whole-EDID heading "EDID:" counts as block 0), the kind of block that heading names
# ('' for the whole EDID), and its text, continuation lines joined to it with ' / '.
Message = collections.namedtuple('Message', 'severity block kind text')

Output = collections.namedtuple('Output', 'text messages verdict refused')


def parse(text):
    """The Output of one stored file. `verdict` is 'fail' with a failure, 'warn' with warnings
    only, else 'pass'; `refused` is true when edid-decode read no EDID at all."""
    messages, severity, block, kind = [], None, None, ''
    for line in text.splitlines():
        if line in ('Warnings:', 'Failures:'):
            severity, block = ('warning' if line == 'Warnings:' else 'failure'), None
        elif line.startswith('EDID conformity:'):
            severity = None
        elif severity is None or not line.strip():
            continue
        elif not line.startswith(' '):
            m = re.match(r'Block (\d+), (.*):$', line)
            block, kind = (int(m.group(1)), m.group(2)) if m else (0, '')
        elif line.startswith('    ') and messages:
            last = messages[-1]
            messages[-1] = last._replace(text=last.text + ' / ' + line.strip())
        else:
            messages.append(Message(severity, block, kind, line.strip()))
    refused = 'EDID conformity:' not in text
    severities = {m.severity for m in messages}
    verdict = 'fail' if 'failure' in severities else 'warn' if severities else 'pass'
    return Output(text, messages, verdict, refused)


def read(name):
    """The Output stored as tests/data/oracle/NAME (e.g. 'corpus/AOC2367-74963C990D57.txt')."""
    with open(os.path.join(STORED, name), encoding='utf-8') as f:
        return parse(f.read())


def written_epoch():
    """The date PROVENANCE says the outputs were written, as seconds since 1970 UTC: edid-decode
    weighed the years of manufacture against it, so our side takes it for today as well
    (SOURCE_DATE_EPOCH)."""
    import datetime
    with open(os.path.join(STORED, 'PROVENANCE')) as f:
        day = re.search(r'^written: (\d{4}-\d\d-\d\d)$', f.read(), re.M).group(1)
    moment = datetime.datetime.fromisoformat(day).replace(tzinfo=datetime.timezone.utc)
    return int(moment.timestamp())


def slug(name):
    return re.sub(r'[^a-z0-9]+', '-', name.lower()).strip('-')


def _tsv(path, stored_name):
    with open(path) as f:
        for line in f:
            if line.strip():
                label, _, hexes = line.rstrip('\n').split('\t')
                yield label, stored_name(label), bytes.fromhex(hexes), None


def samples():
    """(label, stored name, bytes or None, path or None) of every test EDID whose output is
    kept: the corpus, tests/data/edid, the crafted EDIDs. Bytes for the TSV lines, a path for
    the files (which the program reads itself: .hex files are text)."""
    import glob
    yield from _tsv(os.path.join(DATA, 'corpus', 'edid-samples.tsv'),
                    lambda l: 'corpus/%s-%s.txt' % tuple(l.split('/')[2:4]))
    for path in sorted(glob.glob(os.path.join(DATA, 'edid', '*.bin')) +
                       glob.glob(os.path.join(DATA, 'edid', '*.hex'))):
        name = os.path.splitext(os.path.basename(path))[0]
        yield 'edid/' + name, 'edid/%s.txt' % name, None, path
    crafted = sorted(glob.glob(os.path.join(DATA, 'crafted', '*.tsv')))
    crafted.append(os.path.join(HERE, 'cta-crafted.tsv'))
    for path in crafted:
        yield from _tsv(path, lambda l: 'crafted/%s.txt' % slug(l.split('/', 1)[-1]))
