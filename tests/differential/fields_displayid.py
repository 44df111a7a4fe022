"""Fields of DisplayID data blocks, versions 1.x and 2.x."""

BY_TAG = {}


def comparer(kind, entry):
    if kind != 'displayid':
        return None
    return BY_TAG.get(entry['tag'])
