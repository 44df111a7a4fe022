"""Fields of the CTA-861 data blocks of colour and display devices: colorimetry, HDR static and
dynamic metadata, video capability, VESA display device and transfer characteristics."""

BY_TAG = {}


def comparer(kind, entry):
    if kind != 'cta':
        return None
    return BY_TAG.get((entry['tag'], entry['extended_tag']))
