#!/usr/bin/env python3
"""The fields `moniquet-cli info --json` gives each data block and extension block, against what
today's edid-decode printed of the same block, as tests/data/oracle keeps its outputs of every
test EDID.

Usage: compare_fields.py MONIQUET_CLI [--only GROUP] [--show N]

Our blocks are paired with edid-decode's in the order of the EDID: a CTA-861 data block (of an
extension block of its own or of a DisplayID section) and a DisplayID data block with the next
heading of that EDID block that starts with our name of it; an extension block of another kind
with its "Block N, ..." section. Each group of fields_*.py gives a comparer for the blocks it
knows; the comparer reads edid-decode's lines under the heading and calls result.same() for every
field it states, or result.skip(reason) for what it leaves aside, each reason explained in
fields-skips/GROUP.tsv. A block edid-decode decodes (lines under its heading) whose fields are null is
a disagreement, as is a block no comparer takes.

Prints the fields compared and the disagreements per group, the first N disagreements (--show,
default 20); exits with 1 on any disagreement, an unknown skip reason or a run that fails.
"""
import collections
import csv
import glob
import json
import os
import re
import subprocess
import sys
import tempfile

import fields_cta_colour
import fields_cta_formats
import fields_cta_vendor
import fields_displayid
import fields_extensions
import oracle_output

GROUPS = {'cta-formats': fields_cta_formats, 'cta-colour': fields_cta_colour,
          'cta-vendor': fields_cta_vendor,
          'displayid': fields_displayid, 'extensions': fields_extensions}
SKIPS = os.path.join(oracle_output.HERE, 'fields-skips')

# edid-decode's kinds of extension block ("Block 1, Video Timing Extension Block:").
EXTENSION_KINDS = {'Video Timing Extension Block': 'vtb',
                   'Display Information Extension Block': 'di',
                   'Localized String Extension Block': 'ls',
                   'Block Map Extension Block': 'block-map'}


def skip_reasons():
    """reason -> (clause, why), of every group's TSV in fields-skips/."""
    reasons = {}
    for path in sorted(glob.glob(os.path.join(SKIPS, '*.tsv'))):
        with open(path, newline='') as f:
            reasons.update({row[0]: row[1:] for row in csv.reader(f, delimiter='\t')
                            if row and not row[0].startswith('#')})
    return reasons


class Result:
    """What one comparer found in one block; `where` names the block for the report."""

    def __init__(self, tally, group, where):
        self.tally, self.group, self.where = tally, group, where

    def same(self, name, ours, theirs, tolerance=0):
        self.tally.compared[self.group] += 1
        equal = ours == theirs
        if not equal and tolerance and isinstance(ours, (int, float)) \
                and isinstance(theirs, (int, float)) and not isinstance(ours, bool):
            equal = abs(ours - theirs) <= tolerance
        if not equal:
            self.tally.disagree(self.group, '%s: %s: ours %r, edid-decode %r'
                                % (self.where, name, ours, theirs))
        return equal

    def skip(self, reason, count=1):
        if reason not in self.tally.reasons:
            self.tally.disagree(self.group, '%s: skip reason %r not in fields-skips/GROUP.tsv'
                                % (self.where, reason))
        self.tally.skipped[(self.group, reason)] += count

    def wrong(self, text):
        self.tally.disagree(self.group, '%s: %s' % (self.where, text))


class Tally:
    def __init__(self):
        self.reasons = skip_reasons()
        self.compared = collections.Counter()
        self.skipped = collections.Counter()
        self.blocks = collections.Counter()
        self.problems = collections.defaultdict(list)

    def disagree(self, group, text):
        self.problems[group].append(text)


def decoded_part(text):
    """edid-decode's lines before its check sections."""
    lines = []
    for line in text.splitlines():
        if line in ('Warnings:', 'Failures:') or line.startswith('EDID conformity:'):
            break
        lines.append(line)
    return lines


def indent(line):
    return len(line) - len(line.lstrip(' '))


def sections(lines):
    """{EDID block index: (kind, its lines)} of the "Block N, KIND:" sections."""
    out, current = {}, None
    for line in lines:
        if m := re.match(r'Block (\d+), (.*):$', line):
            current = out.setdefault(int(m[1]), (m[2], []))
        elif current is not None:
            current[1].append(line)
    return out


def headings(block_lines):
    """(heading, body) of every line at indent 2 of an EDID block, its body the lines below it
    indented deeper, their indent cut to start at 0."""
    out = []
    for line in block_lines:
        if indent(line) == 2 and line.strip():
            out.append((line.strip(), []))
        elif out and indent(line) > 2:
            out[-1][1].append(line[4:] if indent(line) >= 4 else line.strip())
    return out


def pair(ours, theirs, name_of):
    """Each of `ours` with the next heading of `theirs` that starts with its name, in order;
    (entry, heading, body), heading None where none does."""
    at, out = 0, []
    for entry in ours:
        name = name_of(entry)
        for i in range(at, len(theirs)):
            if theirs[i][0].startswith(name):
                out.append((entry, theirs[i][0], theirs[i][1]))
                at = i + 1
                break
        else:
            out.append((entry, None, []))
    return out


# edid-decode's dump of bytes it does not read: "00 01 ...   '..'".
HEX_DUMP = re.compile(r"([0-9a-f]{2} )+ *'.*'$")


def compare_block(tally, groups, kind, entry, heading, body, where):
    for name, module in GROUPS.items():
        compare = module.comparer(kind, entry)
        if compare is not None and name not in groups:
            return  # another group's block, left out with --only
        if compare is not None:
            tally.blocks[name] += 1
            result = Result(tally, name, where)
            if entry.get('fields') is None:
                if body:
                    result.wrong('fields null; edid-decode decodes %d lines' % len(body))
                return
            compare(entry['fields'], body, heading, result)
            return
    # A block of a reserved tag has no fields, and edid-decode only dumps its bytes.
    read = [line for line in body if not HEX_DUMP.match(line)]
    if read or entry.get('fields') is not None:
        tally.disagree('unclaimed', '%s: no comparer for %s' % (where, heading or entry))


def compare_edid(tally, groups, label, ours, text):
    by_block = sections(decoded_part(text))
    cta = collections.defaultdict(list)
    for b in (ours.get('cta') or {}).get('data_blocks', []):
        cta[b['block']].append(b)
    displayid = collections.defaultdict(list)
    for section in ours.get('displayid', []):
        displayid[section['block']].extend(section['data_blocks'])
    for index, (kind, lines) in sorted(by_block.items()):
        theirs = headings(lines)
        # A DisplayID section's CTA-861 data blocks come where its CTA-861 data block (tag
        # 0x81) is, which edid-decode's heading of it precedes.
        entries = []
        for e in displayid.get(index, []):
            entries.append(('displayid', e))
            if e['tag'] == 0x81:
                entries += [('cta', c) for c in cta.pop(index, [])]
        entries += [('cta', e) for e in cta.get(index, [])]
        if not entries:
            continue
        for (k, entry), heading, body in pair(entries, theirs, lambda e: e[1]['name']):
            where = '%s block %d %s' % (label, index, entry['name'])
            if heading is None:
                tally.disagree('unpaired', '%s: no heading of edid-decode starts so' % where)
                continue
            compare_block(tally, groups, k, entry, heading, body, where)
    for block in ours.get('blocks', []):
        kind = by_block.get(block['index'], ('', []))[0]
        if kind in EXTENSION_KINDS and not block.get('beyond_count'):
            body = [line[2:] for line in by_block[block['index']][1]
                    if not line.startswith('Checksum')]
            compare_block(tally, groups, 'extension', block, kind, body,
                          '%s block %d %s' % (label, block['index'], kind))


def run_ours(cli, samples, folder):
    """{label: our JSON} of every sample, in one run of the batch mode."""
    paths = []
    for label, _, data, path in samples:
        if path is None:
            path = os.path.join(folder, oracle_output.slug(label) + '.bin')
            with open(path, 'wb') as f:
                f.write(data)
        paths.append(path)
    done = subprocess.run([cli, 'info', '--json'] + paths, capture_output=True,
                          encoding='utf-8')
    by_path = {}
    for line in done.stdout.splitlines():
        obj = json.loads(line)
        by_path[obj['file']] = obj
    return {s[0]: by_path.get(p) for s, p in zip(samples, paths)}


def main(argv):
    cli, show, only = argv[1], 20, None
    args = argv[2:]
    while args:
        if args[0] == '--show':
            show, args = int(args[1]), args[2:]
        elif args[0] == '--only':
            only, args = args[1], args[2:]
        else:
            sys.exit('usage: compare_fields.py MONIQUET_CLI [--only GROUP] [--show N]')
    groups = {k: v for k, v in GROUPS.items() if only in (None, k)}
    samples = list(oracle_output.samples())
    tally = Tally()
    with tempfile.TemporaryDirectory() as folder:
        ours = run_ours(cli, samples, folder)
    for label, stored, _, _ in samples:
        if ours[label] is None or 'error' in ours[label]:
            continue
        compare_edid(tally, groups, label, ours[label], oracle_output.read(stored).text)
    if only:
        tally.problems = {k: v for k, v in tally.problems.items()
                          if k in (only, 'unclaimed', 'unpaired')}
    bad = 0
    for name in groups:
        problems = tally.problems.get(name, [])
        skipped = sum(n for (g, _), n in tally.skipped.items() if g == name)
        print('%-12s %5d blocks, %6d fields compared, %5d skipped, %d disagreements'
              % (name, tally.blocks[name], tally.compared[name], skipped, len(problems)))
    for name, problems in sorted(tally.problems.items()):
        if name not in groups:
            print('%-12s %d' % (name, len(problems)))
    for name, problems in sorted(tally.problems.items()):
        bad += len(problems)
        for text in problems[:show]:
            print('  %s: %s' % (name, text))
    for (group, reason), n in sorted(tally.skipped.items()):
        print('skipped %-12s %-40s %d' % (group, reason, n))
    print('%d fields compared, %d disagreements' % (sum(tally.compared.values()), bad))
    return 1 if bad else 0


if __name__ == '__main__':
    sys.exit(main(sys.argv))
