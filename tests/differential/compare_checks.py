#!/usr/bin/env python3
"""Our checks (`moniquet-cli info --json`, its "conformity" object) against today's edid-decode
--check, as tests/data/oracle keeps its outputs of every test EDID.

Usage: compare_checks.py MONIQUET_CLI [--table]

Each of edid-decode's check messages maps to one code of ours (oracle_checks_*.py: the first
pattern that matches the start of the message and, where a pattern gives one, whose heading names
that kind of block; a family's refine() may then tell apart what edid-decode words alike). Per EDID, the verdicts are compared (fail with
a failure, warn with warnings only, pass otherwise), and so are the set of blocks that carry a
failure and the set of blocks that carry a warning (edid-decode's whole-EDID heading counts as
block 0, and so does a result of ours with no block). Per code, the EDIDs flagged by both, by
us only and by edid-decode only are counted, and the EDIDs both flag with another severity; a
disagreement is documented when documented/*.tsv lists its code and sample with the clause and
why.

Exits with 1 on: a message of edid-decode no pattern maps; a code of ours no pattern maps and
NOT_COMPARED does not name; an undocumented disagreement on a code we have; and, once every
mapped code is one we have, figures on the corpus below the aims (verdict 99.5%, each block set
99%). Codes
mapped but not yet ours are listed as pending. --table prints the per-code table as README.md
shows it.
"""
import collections
import concurrent.futures
import csv
import glob
import json
import os
import re
import subprocess
import sys
import tempfile

import oracle_checks_base
import oracle_checks_cta
import oracle_checks_displayid
import oracle_checks_structure
import oracle_checks_timings
import oracle_output

FAMILIES = (oracle_checks_structure, oracle_checks_base, oracle_checks_timings,
            oracle_checks_cta, oracle_checks_displayid)
PATTERNS = [(re.compile(entry[0]), entry[1], re.compile(entry[2]) if len(entry) > 2 else None)
            for family in FAMILIES for entry in family.MESSAGES]
REFINE = [family.refine for family in FAMILIES if hasattr(family, 'refine')]
NOT_COMPARED = set().union(*(family.NOT_COMPARED for family in FAMILIES))
AIMS = {'verdict': 0.995, 'failure blocks': 0.99, 'warning blocks': 0.99}


def our_codes():
    """Every code the program has, from include/moniquet/codes_*.def."""
    codes = set()
    for path in glob.glob(os.path.join(oracle_output.ROOT, 'include', 'moniquet', 'codes_*.def')):
        with open(path) as f:
            codes |= set(re.findall(r'MONIQUET_CODE\(\w+, "([a-z0-9-]+)"\)', f.read()))
    return codes


def documented():
    """(code, sample label) -> (clause, why); sample '*' covers every sample."""
    cases = {}
    for path in sorted(glob.glob(os.path.join(oracle_output.HERE, 'documented', '*.tsv'))):
        with open(path, newline='') as f:
            for row in csv.reader(f, delimiter='\t'):
                if row and not row[0].startswith('#'):
                    code, sample, clause, why = row
                    cases[(code, sample)] = (clause, why)
    return cases


def code_of(message, output):
    for pattern, code, heading in PATTERNS:
        if pattern.match(message.text) and (heading is None or heading.search(message.kind)):
            for refine in REFINE:
                code = refine(message, output, code)
            return code
    return None


def ours_of(cli, label, data, path, folder):
    """Our JSON's conformity object, or None when the program refuses the input."""
    if path is None:
        path = os.path.join(folder, oracle_output.slug(label) + '.bin')
        with open(path, 'wb') as f:
            f.write(data)
    env = dict(os.environ, SOURCE_DATE_EPOCH=str(oracle_output.written_epoch()))
    done = subprocess.run([cli, 'info', '--json', path], capture_output=True, encoding='utf-8',
                          env=env)
    return json.loads(done.stdout)['conformity'] if done.returncode == 0 else None


def results(pairs):
    """{code: {(block, severity)}} of (code, block, severity) triples."""
    out = collections.defaultdict(set)
    for code, block, severity in pairs:
        out[code].add((block, severity))
    return out


def blocks_with(found, severity):
    return {b for places in found.values() for b, s in places if s == severity}


def verdict_of(found):
    severities = {s for places in found.values() for _, s in places}
    return 'fail' if 'failure' in severities else 'warn' if severities else 'pass'


class Tally:
    def __init__(self, have):
        self.have = have
        self.docs = documented()
        self.used_docs = set()
        self.compared = 0
        # The same figures for the real EDIDs of tests/data/corpus alone.
        self.corpus = 0
        self.corpus_agree = collections.Counter()
        self.refused = []
        self.failed_runs = []
        self.agree = collections.Counter()
        self.both = collections.Counter()
        self.ours_only = collections.defaultdict(list)
        self.its_only = collections.defaultdict(list)
        self.severity = collections.defaultdict(list)
        self.documented = collections.Counter()
        self.unmapped = collections.defaultdict(list)
        self.unknown = collections.defaultdict(list)
        self.lines = []

    def doc(self, code, label):
        for key in ((code, label), (code, '*')):
            if key in self.docs:
                self.used_docs.add(key)
                return True
        return False

    def record(self, label, oracle, conformity):
        if oracle.refused:
            self.refused.append(label)
            return
        if conformity is None:
            # A refusal of ours (or a crash) where edid-decode read an EDID.
            self.failed_runs.append(label)
            return
        self.compared += 1
        theirs_triples = []
        for m in oracle.messages:
            code = code_of(m, oracle)
            if code is None:
                self.unmapped[m.text].append(label)
            else:
                theirs_triples.append((code, m.block, m.severity))
        ours_triples = [(r['code'], r['block'] or 0, r['severity'])
                        for r in conformity['failures'] + conformity['warnings']]
        theirs, ours = results(theirs_triples), results(ours_triples)
        for code in ours:
            if not any(code == c for _, c, _ in PATTERNS) and code not in NOT_COMPARED:
                self.unknown[code].append(label)
        # The figures count what each side says, documented or not.
        real = not label.startswith(('edid/', 'crafted/'))
        self.corpus += real
        agree = {'verdict': verdict_of(ours) == oracle.verdict}
        for severity in ('failure', 'warning'):
            agree[severity + ' blocks'] = blocks_with(ours, severity) == \
                blocks_with(theirs, severity)
        for what, same in agree.items():
            self.agree[what] += same
            self.corpus_agree[what] += same and real
        for code in set(theirs) | set(ours):
            if code in NOT_COMPARED:
                continue
            by_us, by_it = code in ours, code in theirs
            if by_us and by_it:
                self.both[code] += 1
                if {s for _, s in ours[code]} != {s for _, s in theirs[code]}:
                    if self.doc(code, label):
                        self.documented[code] += 1
                    else:
                        self.severity[code].append(label)
            elif self.doc(code, label):
                self.documented[code] += 1
            else:
                (self.ours_only if by_us else self.its_only)[code].append(label)

    def codes(self):
        mapped = []
        for _, code, _ in PATTERNS:
            if code not in mapped:
                mapped.append(code)
        return mapped

    def report(self, table):
        failed = False
        pending = [c for c in self.codes() if c not in self.have]
        print(f'EDIDs compared: {self.compared}; refused by edid-decode, not '
              f'compared: {len(self.refused)} ({", ".join(self.refused)})')
        for what in AIMS:
            n, c = self.agree[what], self.corpus_agree[what]
            print(f'{what} agree: {n}/{self.compared} ({100.0 * n / self.compared:.2f}%); '
                  f'on the real EDIDs of the corpus {c}/{self.corpus} '
                  f'({100.0 * c / max(self.corpus, 1):.2f}%)')
        print(f'{"code":42} {"both":>5} {"ours":>5} {"its":>5} {"sev":>5} {"doc":>5}')
        for code in self.codes():
            mark = '  (pending)' if code in pending else ''
            print(f'{code:42} {self.both[code]:5} {len(self.ours_only[code]):5} '
                  f'{len(self.its_only[code]):5} {len(self.severity[code]):5} '
                  f'{self.documented[code]:5}{mark}')
        for code in self.codes():
            if code in pending:
                continue
            for what, samples in (('flagged by us only', self.ours_only[code]),
                                  ('flagged by edid-decode only', self.its_only[code]),
                                  ('flagged with another severity', self.severity[code])):
                for s in samples:
                    print(f'DISAGREE {code}: {what}: {s}')
                    failed = True
        for label in self.failed_runs:
            print(f'FAILED moniquet-cli gave no JSON for an EDID edid-decode reads: {label}')
            failed = True
        for text, samples in sorted(self.unmapped.items()):
            print(f'UNMAPPED edid-decode message: {text!r} ({len(samples)} EDIDs, e.g. '
                  f'{samples[0]})')
            failed = True
        for code, samples in sorted(self.unknown.items()):
            print(f'UNKNOWN code of ours no edid-decode message maps: {code} ({samples[0]})')
            failed = True
        for key in sorted(set(self.docs) - self.used_docs):
            print(f'STALE documented difference that no longer occurs: {key}')
            failed = True
        if pending:
            print(f'pending (mapped, not yet checked by us): {len(pending)} codes')
        else:
            for what, aim in AIMS.items():
                if self.corpus_agree[what] < aim * self.corpus:
                    print(f'BELOW AIM: {what} agree on fewer than {100 * aim}% of the corpus')
                    failed = True
        if table:
            print('\n| Code | Both | Ours only | Its only | Other severity | Documented |')
            print('|---|---|---|---|---|---|')
            for code in self.codes():
                print(f'| `{code}` | {self.both[code]} | {len(self.ours_only[code])} | '
                      f'{len(self.its_only[code])} | {len(self.severity[code])} | '
                      f'{self.documented[code]} |')
        return failed


def main():
    arguments = sys.argv[1:]
    table = '--table' in arguments
    cli = [a for a in arguments if a != '--table'][0]
    tally = Tally(our_codes())
    samples = list(oracle_output.samples())
    with tempfile.TemporaryDirectory() as folder, \
            concurrent.futures.ThreadPoolExecutor(os.cpu_count()) as pool:
        ours = pool.map(lambda s: ours_of(cli, s[0], s[2], s[3], folder), samples)
        for (label, stored, _, _), conformity in zip(samples, ours):
            tally.record(label, oracle_output.read(stored), conformity)
    return 1 if tally.report(table) else 0


if __name__ == '__main__':
    sys.exit(main())
