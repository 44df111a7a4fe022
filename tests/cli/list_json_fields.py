#!/usr/bin/env python3
"""Reads the output of `moniquet-cli list --json` on standard input and prints
one line per monitor, its fields separated by tabs: index, label and "active"
or "not active" (the line `list` prints for it), then source, edid_sha256 and
the SHA-256 of the bytes edid_base64 decodes to (hex, as sha256sum). Fails unless the input is one JSON
array of objects with exactly the keys of `list --json`, in their order and
of their types. The native tests (tests/cli) and the Wine tests
(tests/e2e/test_cli_info.sh) read the command's JSON through it."""
import base64
import hashlib
import json
import sys

KEYS = {
    "schema_version": int,
    "index": int,
    "label": str,
    "active": bool,
    "source": str,
    "edid_base64": str,
    "edid_sha256": str,
    "info": dict,
}

monitors = json.load(sys.stdin)
if not isinstance(monitors, list):
    sys.exit("not an array")
for monitor in monitors:
    if list(monitor) != list(KEYS):
        sys.exit(f"keys {list(monitor)}")
    for key, kind in KEYS.items():
        if type(monitor[key]) is not kind:
            sys.exit(f"{key}: {monitor[key]!r} is not {kind.__name__}")
    edid = base64.b64decode(monitor["edid_base64"], validate=True)
    print("\t".join([str(monitor["index"]), monitor["label"],
                     "active" if monitor["active"] else "not active",
                     monitor["source"], monitor["edid_sha256"],
                     hashlib.sha256(edid).hexdigest()]))
