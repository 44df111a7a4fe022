#!/usr/bin/env python3
"""Writes the hex forms of tests/data/hex from the samples of tests/data/edid
with the tools people paste them from (xxd, hexdump, od, edid-decode) and the
edits people make. Run from anywhere; the files are committed, so the tests
do not need the tools."""
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

    # A dump that lost its last lines: an error, not a shorter EDID.
    cut = run("xxd", "-p", name="at-tv0001-at-maker").splitlines()
    write("at-tv0001-at-maker.xxd-p-cut.bad", "\n".join(cut[:6]) + "\n")
    write("at-tv0001-at-maker.xxd-p-cut.bad.err",
          "hex text ends after 180 bytes; the EDID announces 256\n")


main()
