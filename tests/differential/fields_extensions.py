"""Fields of the extension blocks without data blocks: video timing, display information,
localized strings, block map."""

BY_TYPE = {}


def comparer(kind, entry):
    if kind != 'extension':
        return None
    return BY_TYPE.get(entry['type'])
