"""The fields of DisplayID sections in `info --json` against edid-decode's text."""


def compare(ours, text, check, skip):
    """Checks each field of ours that edid-decode's output `text` shows."""
