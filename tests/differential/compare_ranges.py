#!/usr/bin/env python3
"""The rates of `timings-out-of-range` against edid-decode's, as tests/data/oracle keeps them.

Usage: compare_ranges.py MONIQUET_CLI

Where both flag listed timings outside the range limits, edid-decode prints the span of the
rates that lie outside (vertical, horizontal) and the highest pixel clock, and so does our
message. The figures come from every timing either weighs, rated as the standards say
(standard timings by GTF or CVT, 4:2:0 formats at half the line rate, ...), so they agree only
when both weigh the same timings the same way: this compares them, to the thousandth, and
whether both name the same rates as outside. An EDID with more than one range limits
descriptor is left out: edid-decode weighs the timings against the last one, we against the
first (the one info's `range_limits` shows), both flag it. Exits with 1 on any difference.
"""
import json
import os
import re
import subprocess
import sys
import tempfile

import compare_checks
import oracle_output

THEIRS = {
    'vertical': re.compile(r'Vertical Freq: ([0-9.]+) - ([0-9.]+) Hz'),
    'horizontal': re.compile(r'Horizontal Freq: ([0-9.]+) - ([0-9.]+) kHz'),
    'clock': re.compile(r'Maximum Clock: ([0-9.]+) MHz'),
}
OURS = {
    'vertical': re.compile(r'vertical ([0-9.]+) to ([0-9.]+) Hz'),
    'horizontal': re.compile(r'horizontal ([0-9.]+) to ([0-9.]+) kHz'),
    'clock': re.compile(r'pixel clock up to ([0-9.]+) MHz'),
}


def figures(text, patterns):
    out = {}
    for what, pattern in patterns.items():
        m = pattern.search(text)
        if m:
            out[what] = [round(float(g), 3) for g in m.groups()]
    return out


def main():
    cli = sys.argv[1]
    compared = differ = 0
    with tempfile.TemporaryDirectory() as folder:
        for label, stored, data, path in oracle_output.samples():
            oracle = oracle_output.read(stored)
            theirs = [m.text for m in oracle.messages
                      if compare_checks.code_of(m.text) == 'timings-out-of-range']
            conformity = compare_checks.ours_of(cli, label, data, path, folder)
            if oracle.refused or conformity is None:
                continue
            ours = [r['message'] for r in conformity['warnings'] + conformity['failures']
                    if r['code'] == 'timings-out-of-range']
            if not theirs or not ours:
                continue
            if len(re.findall(r'^ +Display Range Limits:$', oracle.text, re.M)) > 1:
                continue
            compared += 1
            a, b = figures(theirs[0], THEIRS), figures(ours[0], OURS)
            if a != b:
                differ += 1
                print(f'DIFFER {label}: edid-decode {a}, ours {b}')
    print(f'range figures compared: {compared}, differing: {differ}')
    return 1 if differ else 0


if __name__ == '__main__':
    sys.exit(main())
