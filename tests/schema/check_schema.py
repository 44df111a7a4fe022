#!/usr/bin/env python3
"""The JSON Schemas of schema/ against what the program writes, and against outputs broken on
purpose.

Usage: check_schema.py MONIQUET_CLI [INPUT_FOLDER...]

Validates (draft 2020-12): every golden JSON of tests/data (the info.json files and the lines of
tests/data/batch/info.jsonl); `info --json` of every test EDID whose edid-decode output is kept
(the corpus, tests/data/edid, the crafted EDIDs) and of 2,000 of their variants with random bytes
changed and checksums mended, the kind of input the fuzzers make; of every file in each
INPUT_FOLDER (scripts/test passes the fuzzers' corpora); and `list --json`, plain and with
--facts, over a sysfs tree of three monitors. Then each of a set of broken copies of a golden
output (a key missing, one too many, a wrong type, a value out of its set) must fail, so that a
schema that lets anything through fails the test. An object with a key given twice fails too.
Exits with 1 on any failure.
"""
import copy
import glob
import json
import os
import random
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))
sys.path.insert(0, os.path.join(ROOT, 'tests', 'differential'))
import oracle_output  # noqa: E402

import jsonschema  # noqa: E402
import jsonschema.exceptions  # noqa: E402

SCHEMAS = os.path.join(ROOT, 'schema')


def load(name):
    with open(os.path.join(SCHEMAS, name)) as f:
        return json.load(f)


def validators():
    """(info validator, list validator); list's refers to info's by its $id."""
    info, lst = load('info.schema.json'), load('list.schema.json')
    cls = jsonschema.Draft202012Validator
    cls.check_schema(info)
    cls.check_schema(lst)
    try:
        import referencing
        registry = referencing.Registry().with_resources(
            [(s['$id'], referencing.Resource.from_contents(s)) for s in (info, lst)])
        return cls(info, registry=registry), cls(lst, registry=registry)
    except ImportError:  # jsonschema before 4.18, as Debian 12 has it
        store = {s['$id']: s for s in (info, lst)}
        return (cls(info, resolver=jsonschema.RefResolver.from_schema(info, store=store)),
                cls(lst, resolver=jsonschema.RefResolver.from_schema(lst, store=store)))


class Check:
    def __init__(self):
        self.count, self.failed = 0, []

    def valid(self, validator, document, where):
        self.count += 1
        e = jsonschema.exceptions.best_match(validator.iter_errors(document))
        if e is not None:
            self.failed.append('%s: %s at %s' % (where, e.message[:200],
                                                 '/'.join(map(str, e.absolute_path))))

    def invalid(self, validator, document, where):
        self.count += 1
        if validator.is_valid(document):
            self.failed.append('%s: the schema accepts it' % where)


def unique_keys(pairs):
    """An object whose keys are each given once: JSON's readers keep one of two values under
    one key, each its own, so a second is a fault of the writer."""
    keys = [k for k, _ in pairs]
    if len(set(keys)) != len(keys):
        raise ValueError('a key given twice: %s' % sorted(k for k in keys if keys.count(k) > 1))
    return dict(pairs)


def parse(text):
    return json.loads(text, object_pairs_hook=unique_keys)


def with_checksums(edid):
    edid = bytearray(edid)
    for start in range(0, len(edid) - 127, 128):
        edid[start + 127] = -sum(edid[start:start + 127]) % 256
    return bytes(edid)


def variants(samples, count, seed=2026):
    """`count` EDIDs made from the samples: 1 to 8 bytes of a random block set to random
    values, the header kept, checksums mended."""
    rng = random.Random(seed)
    bases = [s for s in samples if len(s) >= 128]
    for _ in range(count):
        edid = bytearray(rng.choice(bases))
        for _ in range(rng.randint(1, 8)):
            edid[rng.randrange(8, len(edid))] = rng.randrange(256)
        yield with_checksums(edid)


def info_lines(cli, paths):
    """The JSON Lines of one run of `info --json` over `paths` (more than one)."""
    done = subprocess.run([cli, 'info', '--json'] + paths, capture_output=True, encoding='utf-8')
    return [parse(line) for line in done.stdout.splitlines()]


def broken(golden):
    """(what, document) of outputs no schema of ours may accept."""
    def changed(edit):
        doc = copy.deepcopy(golden)
        edit(doc)
        return doc
    cta_block = next(b for b in golden['cta']['data_blocks'] if b['fields'])
    index = golden['cta']['data_blocks'].index(cta_block)
    yield 'no modes', changed(lambda d: d.pop('modes'))
    yield 'a key of its own', changed(lambda d: d.update(colour='blue'))
    yield 'size as text', changed(lambda d: d.update(size_bytes='256'))
    yield 'a negative product code', changed(lambda d: d.update(product_code=-1))
    yield 'another schema version', changed(lambda d: d.update(schema_version=2))
    yield 'a verdict of no kind', changed(lambda d: d['conformity'].update(verdict='ok'))
    yield 'a code not in kebab-case', changed(
        lambda d: d['conformity']['failures'].append(
            {'code': 'Bad_Code', 'severity': 'failure', 'block': 0, 'offset': 0,
             'message': 'x'}))
    yield 'a block of no type', changed(lambda d: d['blocks'][0].update(type='edid'))
    yield 'a timing without its clock', changed(
        lambda d: d['detailed_timings'][0].pop('pixel_clock_mhz'))
    yield 'a data block without its fields', changed(
        lambda d: d['cta']['data_blocks'][index].pop('fields'))
    yield 'fields as a list', changed(
        lambda d: d['cta']['data_blocks'][index].update(fields=[1, 2]))
    yield 'a field key in capitals', changed(
        lambda d: d['cta']['data_blocks'][index]['fields'].update(Svds=1))
    yield 'an HDMI address in decimal', changed(
        lambda d: d['cta']['hdmi'].update(physical_address='1.11.12.0'))
    yield 'an error line with more', {'file': 'a.bin', 'error': 'gone', 'size_bytes': 1}


def list_outputs(cli, edids):
    """`list --json` and `list --json --facts` over a sysfs tree holding `edids`."""
    with tempfile.TemporaryDirectory() as root:
        for i, edid in enumerate(edids):
            folder = os.path.join(root, 'class', 'drm', 'card0-HDMI-A-%d' % (i + 1))
            os.makedirs(folder)
            with open(os.path.join(folder, 'edid'), 'wb') as f:
                f.write(edid)
            with open(os.path.join(folder, 'status'), 'w') as f:
                f.write('connected\n')
        env = dict(os.environ, MONIQUET_SYSFS_ROOT=root)
        for args in (['list', '--json'], ['list', '--json', '--facts']):
            done = subprocess.run([cli] + args, capture_output=True, encoding='utf-8', env=env,
                                  check=True)
            yield ' '.join(args), parse(done.stdout)


def main(argv):
    cli, folders = argv[1], argv[2:]
    info, lst = validators()
    check = Check()
    data = os.path.join(ROOT, 'tests', 'data')
    goldens = sorted(glob.glob(os.path.join(data, '**', '*.info.json'), recursive=True))
    for path in goldens:
        with open(path) as f:
            check.valid(info, parse(f.read()), os.path.relpath(path, ROOT))
    with open(os.path.join(data, 'batch', 'info.jsonl')) as f:
        for n, line in enumerate(f, 1):
            check.valid(info, parse(line), 'tests/data/batch/info.jsonl line %d' % n)

    with tempfile.TemporaryDirectory() as tmp:
        samples, paths = [], []
        for label, _, edid, path in oracle_output.samples():
            if path is not None and path.endswith('.bin'):
                with open(path, 'rb') as f:
                    edid = f.read()
            if edid is not None:
                samples.append(edid)
            if path is None:
                path = os.path.join(tmp, oracle_output.slug(label) + '.bin')
                with open(path, 'wb') as f:
                    f.write(edid)
            paths.append(path)
        for n, edid in enumerate(variants(samples, 2000)):
            path = os.path.join(tmp, 'variant-%04d.bin' % n)
            with open(path, 'wb') as f:
                f.write(edid)
            paths.append(path)
        for folder in folders:
            paths += sorted(p for p in glob.glob(os.path.join(folder, '*')) if os.path.isfile(p))
        outputs = info_lines(cli, paths)
        if len(outputs) != len(paths):
            check.failed.append('info --json gave %d lines for %d files'
                                % (len(outputs), len(paths)))
        for output in outputs:
            check.valid(info, output, 'info --json %s' % output.get('file'))
        for what, output in list_outputs(cli, samples[:3]):
            if len(output if isinstance(output, list) else output['monitors']) != 3:
                check.failed.append('%s: not the three monitors' % what)
            check.valid(lst, output, what)

    with open(os.path.join(data, 'edid', 'xxx9615-dolby-hdr10plus.info.json')) as f:
        golden = json.load(f)
    for what, document in broken(golden):
        check.invalid(info, document, 'broken on purpose: ' + what)
    check.invalid(lst, [{'index': 0}], 'broken on purpose: a monitor of list without its keys')

    for line in check.failed[:30]:
        print(line)
    print('%d documents checked against schema/, %d failed' % (check.count, len(check.failed)))
    return 1 if check.failed else 0


if __name__ == '__main__':
    sys.exit(main(sys.argv))
