#!/usr/bin/env python3
"""Writes the hex forms of tests/data/hex from the samples of tests/data/edid
with the tools people paste them from (xxd, hexdump, od, edid-decode) and the
edits people make. Run from anywhere; the files are committed, so the tests
do not need the tools. The full output of a newer edid-decode than Debian's is
written only when NEWER_EDID_DECODE names one; the committed file stays
otherwise."""
import os
import pathlib
import subprocess
import tempfile

HERE = pathlib.Path(__file__).resolve().parent
EDID = HERE.parent / "edid"


def sample(name):
    """The sample's bytes and a file that holds them (synthetic ones are hex)."""
    binary = EDID / (name + ".bin")
    if binary.exists():
        return binary.read_bytes(), binary
    data = bytes.fromhex((EDID / (name + ".hex")).read_text())
    temporary = pathlib.Path(tempfile.mkdtemp()) / (name + ".bin")
    temporary.write_bytes(data)
    return data, temporary


def run(*command, name):
    """The text a tool prints for the sample, run in the sample's folder so
    that xxd -i names the array after the file alone."""
    path = sample(name)[1]
    return subprocess.run([*command, path.name], cwd=path.parent, check=True,
                          capture_output=True).stdout.decode()


def c_array_lines(data, per_line=12):
    return ["  " + ", ".join(f"0x{b:02x}" for b in data[i:i + per_line]) + ","
            for i in range(0, len(data), per_line)]


def registry_export(data, first_line):
    """The value as regedit writes it: "EDID"=hex: and lines of up to 80
    characters continued with a backslash, indented by two spaces."""
    items = [f"{b:02x}" for b in data]
    lines, line = [], '"EDID"=hex:'
    for i, item in enumerate(items):
        piece = item + ("," if i + 1 < len(items) else "")
        if len(line) + len(piece) > 77:
            lines.append(line + "\\")
            line = "  "
        line += piece
    lines.append(line)
    other = '"BAD_EDID"=hex:00,ff,ff,ff,ff,ff,ff,00,10,ac,\\\r\n  01,02\r\n'
    key = "[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Enum\\DISPLAY\\MNQ0001\\1&8713bca&0\\Device Parameters]"
    return (f"{first_line}\r\n\r\n{key}\r\n{other}" + "\r\n".join(lines) +
            '\r\n"Size"=dword:00000080\r\n\r\n' + key.replace("MNQ0001", "MNQ0002") +
            '\r\n"EDID"=hex:00,ff\r\n\r\n')


def xorg_log(edids, start=27.981):
    """An X server log of the modesetting driver as it probes one output per
    EDID, each shown after "EDID (in hex):" 16 bytes a line, with the lines
    about the monitor and its modes that the server writes around them."""
    lines = [f"[{start - 0.6:10.3f}] X.Org X Server 1.21.1.7",
             f"[{start - 0.5:10.3f}] (==) Log file: \"/var/log/Xorg.0.log\", Time: Mon Mar  3 09:12:44 2025",
             f"[{start - 0.1:10.3f}] (II) modeset(0): using drv /dev/dri/card0"]
    for n, (output, data) in enumerate(edids):
        t = f"[{start + 0.017 * n:10.3f}]"
        maker = "".join(chr(64 + (int.from_bytes(data[8:10], "big") >> s & 31)) for s in (10, 5, 0))
        lines += [f"{t} (II) modeset(0): EDID for output {output}",
                  f"{t} (II) modeset(0): Manufacturer: {maker}  Model: {data[11]:x}{data[10]:02x}"
                  f"  Serial#: {int.from_bytes(data[12:16], 'little')}",
                  f"{t} (II) modeset(0): Year: {1990 + data[17]}  Week: {data[16]}",
                  f"{t} (II) modeset(0): EDID Version: {data[18]}.{data[19]}",
                  f"{t} (II) modeset(0): EDID (in hex):"]
        lines += [f"{t} (II) modeset(0): \t{data[i:i + 16].hex()}" for i in range(0, len(data), 16)]
        lines += [f"{t} (II) modeset(0): Printing probed modes for output {output}",
                  f'{t} (II) modeset(0): Modeline "1920x1080"x60.0  148.50  1920 2008 2052 2200'
                  "  1080 1084 1089 1125 +hsync +vsync (67.5 kHz eP)"]
    lines.append(f"[{start + 0.2:10.3f}] (II) modeset(0): Output {edids[0][0]} connected")
    return "\n".join(lines) + "\n"


def quantumdata_xml(data, broken=()):
    """The XML a QuantumData instrument saves an EDID as: one <BLOCKn> per
    block, upper-case digits; the blocks numbered in `broken` written as 64
    digits a line, as an editor wraps them."""
    blocks = []
    for n in range(len(data) // 128):
        digits = data[n * 128:(n + 1) * 128].hex().upper()
        if n in broken:
            digits = "".join(f"\n            {digits[i:i + 64]}" for i in range(0, 256, 64)) + "\n        "
        blocks.append(f"        <BLOCK{n}>{digits}</BLOCK{n}>")
    return ('<?xml version="1.0" encoding="UTF-8"?>\n<DATAOBJ>\n'
            '    <HEADER TYPE="DID" VERSION="1.0"></HEADER>\n    <DATA>\n' +
            "\n".join(blocks) + "\n    </DATA>\n</DATAOBJ>\n")


def write(name, text, encoding="utf-8"):
    (HERE / name).write_bytes(text.encode(encoding) if isinstance(text, str) else text)


def main():
    write("gsm3aa8-four-timings.xxd.txt", run("xxd", name="gsm3aa8-four-timings"))
    write("acr06b4-data-string.xxd-i.txt", run("xxd", "-i", name="acr06b4-data-string"))
    write("synthetic-edid13-short-hdr.hexdump-C.txt",
          run("hexdump", "-C", name="synthetic-edid13-short-hdr"))
    write("synthetic-edid13-short-hdr.od-Ax.txt",
          run("od", "-Ax", "-tx1", name="synthetic-edid13-short-hdr"))
    write("aoc2460-three-blocks.od-An.txt", run("od", "-An", "-tx1", name="aoc2460-three-blocks"))

    aq = sample("aq_0000-underscore-maker")[0]
    write("aq_0000-underscore-maker.reg-utf16le.txt",
          "\ufeff" + registry_export(aq, "Windows Registry Editor Version 5.00"), "utf-16-le")
    auo = sample("auo31a6-high-bytes")[0]
    write("auo31a6-high-bytes.reg-ansi.txt", registry_export(auo, "REGEDIT4"), "cp1252")

    acr = sample("acr06b4-data-string")[0]
    write("acr06b4-data-string.accented-comment.txt",
          "/* EDID de l'écran de gauche, lu le 3 août */\n"
          "static const unsigned char edid[] = {\n" + "\n".join(c_array_lines(acr)) + "\n};\n")
    gsm5662 = run("xxd", "-p", name="gsm5662-nul-in-name")
    write("gsm5662-nul-in-name.xxd-p-trailing-nul.txt", gsm5662 + "\0")
    aoc = run("xxd", "-p", "-c", "16", name="aoc2367-plain")
    write("aoc2367-plain.utf16le.txt", "\ufeff" + aoc.replace("\n", "\r\n"), "utf-16-le")
    decoded = run("edid-decode", name="aoc2367-plain")
    write("aoc2367-plain.utf16be.txt", "\ufeff" + decoded, "utf-16-be")

    at_tv = sample("at-tv0001-at-maker")[0]
    lines = c_array_lines(at_tv, 16)
    write("at-tv0001-at-maker.c-array-brace-last.txt",
          "unsigned char edid[256] = {\n" + "\n".join(lines)[:-1] + "};\n")
    aoc2460 = sample("aoc2460-three-blocks")[0]
    commented = [line + f"  // {i * 8:03x}" + (f", block {i // 16}" if i % 16 == 0 else "")
                 for i, line in enumerate(c_array_lines(aoc2460, 8))]
    write("aoc2460-three-blocks.c-array-comments.txt",
          "// read with a DDC tool\nconst uint8_t edid[] =\n{\n" + "\n".join(commented) + "\n};\n")
    gsm3aa8 = sample("gsm3aa8-four-timings")[0]
    write("gsm3aa8-four-timings.c-array-one-line.txt",
          "uint8_t edid[] = {" + ", ".join(f"0x{b:02X}" for b in gsm3aa8) + "};\n")
    write("acr06b4-data-string.year-line.txt",
          "Office monitor, bought in\n2024\n\n" + run("xxd", "-p", name="acr06b4-data-string"))
    write("aq_0000-underscore-maker.cr-only.txt",
          run("edid-decode", name="aq_0000-underscore-maker").replace("\n", "\r"))
    two = (HERE / "aoc2367-plain.xrandr-verbose.txt").read_text()
    second = "".join(f"\t\t{line}\n" for line in gsm5662.split())
    write("aoc2367-plain.xrandr-two-outputs.txt",
          two.replace("HDMI-1 disconnected", "HDMI-1 connected 1680x1050+1920+0")
          .replace("\tIdentifier: 0x43\n", "\tIdentifier: 0x43\n\tEDID: \n" + second, 1))

    # Groups of bytes that a tool writes as little-endian words.
    write("gbt3213-cta-displayid.xxd-e.txt", run("xxd", "-e", name="gbt3213-cta-displayid"))
    write("aoc2868-hdmi-forum.xxd-e-g8.txt", run("xxd", "-e", "-g", "8", name="aoc2868-hdmi-forum"))
    write("synthetic-edid13-short-hdr.hexdump.txt",
          run("hexdump", name="synthetic-edid13-short-hdr"))
    write("boe0c80-displayid2.od-x.txt", run("od", "-x", name="boe0c80-displayid2"))
    write("xxx9615-dolby-hdr10plus.od-An-tx2.txt",
          run("od", "-An", "-v", "-tx2", name="xxx9615-dolby-hdr10plus"))
    write("gsm5b11-tiled.od-Ad.txt", run("od", "-Ad", "-tx1", name="gsm5b11-tiled"))
    write("gsm773b-four-blocks.ruler.txt",
          "    00 01 02 03 04 05 06 07 08 09 0a 0b 0c 0d 0e 0f\n" +
          run("od", "-An", "-v", "-tx1", name="gsm773b-four-blocks"))
    write("gsm5b11-tiled.utf16le-no-bom.txt",
          run("xxd", "-p", name="gsm5b11-tiled").replace("\n", "\r\n"), "utf-16-le")

    # An X server log, one monitor or two (the first decoded, with a warning).
    gbt = sample("gbt3213-cta-displayid")[0]
    write("gbt3213-cta-displayid.xorg-log.txt", xorg_log([("DP-1", gbt)]))
    aoc = sample("aoc2367-plain")[0]
    gsm = sample("gsm5662-nul-in-name")[0]
    write("aoc2367-plain.xorg-log-two-monitors.txt",
          xorg_log([("HDMI-1", aoc), ("DP-2", gsm)]))
    write("aoc2367-plain.xorg-log-two-monitors.txt.warning",
          "the log holds 2 EDIDs; decoded the first\n")
    # QuantumData's XML, its blocks on one line or wrapped.
    write("gsm773b-four-blocks.quantumdata-xml.txt",
          quantumdata_xml(sample("gsm773b-four-blocks")[0], broken=(1, 3)))
    path = sample("aoc2868-hdmi-forum")[1]
    write("aoc2868-hdmi-forum.edid-decode-xml.txt",
          subprocess.run(["edid-decode", "-o", "xml", path.name, "-"], cwd=path.parent,
                         check=True, capture_output=True).stdout)
    # edid-decode's whole output, the decoded text after the dump.
    newer = os.environ.get("NEWER_EDID_DECODE")
    if newer:
        write("boe0c80-displayid2.edid-decode-full.txt",
              run(newer, name="boe0c80-displayid2"))

    # Dumps that do not hold the EDID they were made from: an error, not
    # another EDID.
    def bad(name, text, reason):
        write(name + ".bad", text)
        write(name + ".bad.err", reason + "\n")

    # Lines lost, pasted twice or swapped, found by the offsets or the blocks.
    cut = run("xxd", "-p", name="at-tv0001-at-maker").splitlines()
    bad("at-tv0001-at-maker.xxd-p-cut", "\n".join(cut[:6]) + "\n",
        "hex text ends after 180 bytes; the EDID announces 256")
    lines = run("xxd", name="gsm3aa8-four-timings").splitlines(keepends=True)
    bad("gsm3aa8-four-timings.xxd-lines-swapped",
        "".join(lines[:4] + [lines[5], lines[4]] + lines[6:]),
        "line 5: offset 00000050, but the lines before it end at 00000040")
    lines = run("xxd", name="aoc2367-plain").splitlines(keepends=True)
    bad("aoc2367-plain.xxd-line-twice", "".join(lines[:4] + lines[3:]),
        "line 5: offset 00000030, but the lines before it end at 00000040")
    lines = run("hexdump", "-C", name="acr06b4-data-string").splitlines(keepends=True)
    bad("acr06b4-data-string.hexdump-C-line-twice", "".join(lines[:3] + lines[2:]),
        "line 4: offset 00000020, but the lines before it end at 00000030")
    lines = run("od", "-Ax", "-tx1", name="auo31a6-high-bytes").splitlines(keepends=True)
    bad("auo31a6-high-bytes.od-Ax-line-lost", "".join(lines[:2] + lines[3:]),
        "line 3: offset 000030, but the lines before it end at 000020")
    lines = run("edid-decode", name="gsm773b-four-blocks").splitlines(keepends=True)
    bad("gsm773b-four-blocks.edid-decode-line-twice", "".join(lines[:22] + lines[21:]),
        "line 29: block 2 of edid-decode's dump holds more than 128 bytes")
    # A word after the dump.
    bad("at-tv0001-at-maker.xxd-p-word-after", run("xxd", "-p", name="at-tv0001-at-maker") +
        "cafe\n", "line 10: 2 bytes past the last whole 128-byte block")
    decoded = run("edid-decode", name="aoc2460-three-blocks").split("\n\n----")
    bad("aoc2460-three-blocks.edid-decode-pair-after", decoded[0] + "\n\n00 00\n\n----" + decoded[1],
        "line 39: 2 bytes past the last whole 128-byte block")
    bad("gbt3213-cta-displayid.xxd-word-after", run("xxd", name="gbt3213-cta-displayid") +
        "cafe\n", "line 25: no offset column, unlike the lines before it")
    # A log cut short, a block of QuantumData's XML left out, cut or moved.
    at_tv = sample("at-tv0001-at-maker")[0]
    log = xorg_log([("HDMI-1", at_tv)]).splitlines(keepends=True)
    bad("at-tv0001-at-maker.xorg-log-cut", "".join(log[:8 + 12] + log[8 + 16:]),
        "hex text ends after 192 bytes; the EDID announces 256")
    xml = quantumdata_xml(sample("gsm773b-four-blocks")[0]).splitlines(keepends=True)
    bad("gsm773b-four-blocks.quantumdata-xml-block-lost", "".join(xml[:6] + xml[7:]),
        "line 7: <BLOCK3> where <BLOCK2> was to come")
    bad("gsm773b-four-blocks.quantumdata-xml-blocks-swapped",
        "".join(xml[:5] + [xml[6], xml[5]] + xml[7:]),
        "line 6: <BLOCK2> where <BLOCK1> was to come")
    bad("gsm773b-four-blocks.quantumdata-xml-block-cut",
        "".join(xml[:5]) + xml[5].replace("</BLOCK1>", "", 1)[:-3] + "</BLOCK1>\n" + "".join(xml[6:]),
        "line 6: <BLOCK1> holds 254 hex digits, not 256")

    # Words of 8 bytes whose order nothing tells: the header reads the same
    # both ways, and od has no text column.
    bad("aoc2367-plain.od-An-tx8", run("od", "-An", "-v", "-tx8", name="aoc2367-plain"),
        "line 1: cannot tell the order of the bytes in groups of 8 (od -x writes them "
        "little-endian); dump one byte a group, as od -An -tx1 does")


main()
