#!/usr/bin/env python3
"""What tests/fleet/run reads from the engines' answers.

  check.py samples FILE        the moniquet_ samples of a Prometheus text, one
                               per line, labels sorted, values as numbers: a
                               file and an exporter's page compare equal
  check.py facts SETUP FACTS LIST VERSION
                               the ansible_local.moniquet of the setup
                               module's JSON output is FACTS, whose monitors
                               are LIST (list --json) and version VERSION
  check.py queries TESTS README
                               each expr of the promtool rule tests is in
                               README, spaces aside
"""
import json
import re
import sys

SAMPLE = re.compile(r'^(moniquet_\w+)(?:\{(.*)\})? (\S+)$')
LABEL = re.compile(r'(\w+)="((?:[^"\\]|\\.)*)",?')


def samples(path):
    lines = []
    for line in open(path, encoding="utf-8"):
        match = SAMPLE.match(line.rstrip("\n"))
        if match:
            name, labels, value = match.groups()
            pairs = sorted(LABEL.findall(labels or ""))
            text = ",".join(f'{k}="{v}"' for k, v in pairs)
            lines.append(f"{name}{{{text}}} {float(value)!r}")
    print("\n".join(sorted(lines)))


def facts(setup, facts_path, list_path, version):
    answer = json.load(open(setup, encoding="utf-8"))
    host = answer["plays"][0]["tasks"][0]["hosts"]["localhost"]
    got = host["ansible_facts"]["ansible_local"]["moniquet"]
    expected = json.load(open(facts_path, encoding="utf-8"))
    if list(expected) != ["monitors", "version"] or expected["version"] != version:
        sys.exit(f"list --json --facts: keys {list(expected)}, version {expected.get('version')}")
    if expected["monitors"] != json.load(open(list_path, encoding="utf-8")):
        sys.exit("list --json --facts: monitors differ from list --json")
    if got != expected:
        sys.exit("ansible_local.moniquet differs from list --json --facts")
    print(f"ansible_local.moniquet: {len(got['monitors'])} monitors, version {got['version']}")


def queries(tests, readme):
    import yaml
    text = " ".join(open(readme, encoding="utf-8").read().split())
    for group in yaml.safe_load(open(tests, encoding="utf-8"))["tests"]:
        for test in group["promql_expr_test"]:
            if " ".join(test["expr"].split()) not in text:
                sys.exit(f"not in {readme}: {test['expr']}")


{"samples": samples, "facts": facts, "queries": queries}[sys.argv[1]](*sys.argv[2:])
