"""Fields of the CTA-861 vendor-specific data blocks and the HDMI Forum's blocks."""

BY_TAG = {}


def comparer(kind, entry):
    if kind != 'cta':
        return None
    return BY_TAG.get((entry['tag'], entry['extended_tag']))
