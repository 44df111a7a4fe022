"""The fields of CTA-861 data blocks in `info --json` against edid-decode's text."""


def compare(ours, text, check, skip):
    """Checks each field of ours that edid-decode's output `text` shows."""
