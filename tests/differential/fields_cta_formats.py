"""Fields of the CTA-861 data blocks of formats: video, audio, speakers, colour, HDR."""
import re


def video(fields, body, heading, result):
    theirs = []
    for line in body:
        if m := re.match(r'VIC\s+(\d+):.*?( \(native\))?$', line):
            theirs.append((int(m[1]), bool(m[2])))
        elif m := re.match(r'Unknown VIC (\d+)', line):
            theirs.append((int(m[1]), False))
    ours = [(s['vic'], s['native']) for s in fields['svds'] if s['vic'] != 0]
    result.same('svds', ours, theirs)


def speakers(fields, body, heading, result):
    theirs = [line.split(' - ')[0] for line in body if ' - ' in line]
    result.same('speakers', fields['speakers'], theirs)


BY_TAG = {(2, None): video, (4, None): speakers}


def comparer(kind, entry):
    if kind != 'cta':
        return None
    return BY_TAG.get((entry['tag'], entry['extended_tag']))
