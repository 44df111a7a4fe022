#!/usr/bin/env python3
"""The line between the library's public API (include/moniquet/) and the rest of the tree.

Usage: check_public_api.py ROOT

Fails (exit 1, a line per fault) when:
- a public header includes a header of the project's outside include/moniquet/, or declares
  anything outside namespace moniquet;
- a file of the programs (cli/, ui/) includes a private header of the decoder (edid/), or
  names one of its offsets, tags or sizes (the constants of edid/edid_layout.h), or keeps a
  table of names of its own (an array of string views, or of pairs with one): the programs
  take the meaning of the bytes, and the names of its values, from the public API alone.
Before looking at the tree it runs the same rules on faults made on purpose, so that a rule
that no longer finds what it should fails too.
"""
import glob
import os
import re
import sys

INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.M)
NAME_TABLE = re.compile(r'std::array<\s*(?:std::pair<[^>]*)?std::(?:u16)?string_view'
                        r'|std::(?:u16)?string_view>?\s+\w+\s*\[\d*\]')


def layout_names(root):
    with open(os.path.join(root, 'edid', 'edid_layout.h')) as f:
        return set(re.findall(r'inline constexpr [^=;]*?\b(k[A-Za-z0-9]+)\s*=', f.read()))


def strip_comments(text):
    text = re.sub(r'/\*.*?\*/', '', text, flags=re.S)
    text = re.sub(r'//[^\n]*', '', text)
    return re.sub(r'"(?:\\.|[^"\\\n])*"', '""', text)


def public_faults(name, text):
    faults = []
    for included in INCLUDE.findall(text):
        if not included.startswith('moniquet/'):
            faults.append('%s: includes "%s", not a public header' % (name, included))
    code = strip_comments(text)
    outside = re.sub(r'namespace moniquet \{.*\}\s*$', '', code, flags=re.S)
    for line in outside.splitlines():
        line = line.strip()
        if line and not line.startswith('#'):
            faults.append('%s: declares outside namespace moniquet: %s' % (name, line[:60]))
            break
    if 'namespace moniquet {' not in code:
        faults.append('%s: nothing in namespace moniquet' % name)
    return faults


def program_faults(name, text, names):
    faults = []
    for included in INCLUDE.findall(text):
        if included.startswith('edid/'):
            faults.append('%s: includes the private "%s"' % (name, included))
    code = strip_comments(text)
    for token in sorted(set(re.findall(r'\bk[A-Z][A-Za-z0-9]*\b', code)) & names):
        faults.append('%s: names %s of edid/edid_layout.h' % (name, token))
    for table in NAME_TABLE.findall(code):
        faults.append('%s: keeps a table of names (%s...), which belongs in the library'
                      % (name, table))
    return faults


def self_test(names):
    """The rules find faults made on purpose, and none in what is allowed."""
    some = sorted(names)[0]
    cases = [
        (public_faults('bad.h', '#pragma once\n#include "edid/walk.h"\nnamespace moniquet {\n}\n'), 1),
        (public_faults('bad.h', '#pragma once\nstruct Global {};\nnamespace moniquet {\n}\n'), 1),
        (public_faults('good.h', '#pragma once\n#include "moniquet/result.h"\n#include <span>\n'
                       '// a comment\nnamespace moniquet {\nstruct A {};\n} // namespace moniquet\n'), 0),
        (program_faults('bad.cpp', '#include "edid/edid_layout.h"\n', names), 1),
        (program_faults('bad.cpp', 'int x = bytes[%s];\n' % some, names), 1),
        (program_faults('good.cpp', '#include "moniquet/moniquet.h"\n// %s\n' % some, names), 0),
        (program_faults('bad.cpp', 'static constexpr std::array<std::string_view, 3> kNames = '
                        '{"data", "video", "audio"};\n', names), 1),
        (program_faults('bad.cpp', 'constexpr std::array<std::pair<uint32_t, std::string_view>, 2>'
                        ' kNames = {{{1, "a"}, {2, "b"}}};\n', names), 1),
        (program_faults('bad.cpp', 'constexpr std::string_view kNames[] = {"a", "b"};\n', names), 1),
        (program_faults('good.cpp', 'constexpr std::string_view kTitle = "EDID (in hex):";\n'
                        'const CommandHelp kCommands[] = {};\n', names), 0),
    ]
    return ['the rules miss a fault made on purpose (case %d: %d found, %d made)'
            % (i, len(found), made) for i, (found, made) in enumerate(cases) if len(found) != made]


def main(root):
    names = layout_names(root)
    faults = self_test(names)
    headers = sorted(glob.glob(os.path.join(root, 'include', 'moniquet', '*.h')))
    if not headers:
        faults.append('no public headers in include/moniquet')
    for path in headers:
        with open(path) as f:
            faults += public_faults(os.path.relpath(path, root), f.read())
    for folder in ('cli', 'ui'):
        for path in sorted(glob.glob(os.path.join(root, folder, '*.cpp')) +
                           glob.glob(os.path.join(root, folder, '*.h'))):
            with open(path, encoding='utf-8', errors='replace') as f:
                faults += program_faults(os.path.relpath(path, root), f.read(), names)
    for fault in faults:
        print(fault)
    print('%d public headers, %d faults' % (len(headers), len(faults)))
    return 1 if faults else 0


if __name__ == '__main__':
    sys.exit(main(sys.argv[1]))
