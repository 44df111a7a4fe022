// Bytes written out as each hex form the command reads, the way the tools
// that make them write them, for the fuzzer to read back.
#pragma once

#include <cstdint>
#include <cstdio>
#include <span>
#include <string>
#include <vector>

namespace moniquet {

namespace hex_forms {

using Bytes = std::span<const uint8_t>;

inline std::string Format(const char* format, unsigned value) {
    char text[16];
    std::snprintf(text, sizeof(text), format, value);
    return text;
}

inline std::string Pair(uint8_t byte) {
    return Format("%02x", byte);
}

inline char Shown(uint8_t byte) {
    return byte >= 0x20 && byte < 0x7F ? static_cast<char>(byte) : '.';
}

// The lines of `perLine` bytes, as each tool cuts them.
inline std::vector<Bytes> Lines(Bytes bytes, std::size_t perLine) {
    std::vector<Bytes> lines;
    for (std::size_t at = 0; at < bytes.size(); at += perLine) {
        lines.push_back(bytes.subspan(at, std::min(perLine, bytes.size() - at)));
    }
    return lines;
}

// xxd: groups of 2 bytes as stored, the text column after them.
inline std::string Xxd(Bytes bytes) {
    std::string text;
    std::size_t offset = 0;
    for (const Bytes line : Lines(bytes, 16)) {
        std::string hex;
        std::string shown;
        for (std::size_t i = 0; i < line.size(); ++i) {
            hex += (i % 2 == 0 && i > 0 ? " " : "") + Pair(line[i]);
            shown += Shown(line[i]);
        }
        hex.resize(39, ' ');
        text += Format("%08x: ", static_cast<unsigned>(offset)) + hex + "  " + shown + "\n";
        offset += line.size();
    }
    return text;
}

// xxd -e: each group of 4 bytes as a little-endian word, the digits of a
// short last group right-aligned, the text column as stored.
inline std::string XxdLittleEndian(Bytes bytes) {
    std::string text;
    std::size_t offset = 0;
    for (const Bytes line : Lines(bytes, 16)) {
        std::string hex;
        std::string shown;
        for (std::size_t at = 0; at < line.size(); at += 4) {
            const Bytes group = line.subspan(at, std::min<std::size_t>(4, line.size() - at));
            hex += (at > 0 ? " " : "") + std::string(2 * (4 - group.size()), ' ');
            for (std::size_t i = group.size(); i-- > 0;) {
                hex += Pair(group[i]);
            }
        }
        for (const uint8_t byte : line) {
            shown += Shown(byte);
        }
        hex.resize(35, ' ');
        text += Format("%08x: ", static_cast<unsigned>(offset)) + hex + "  " + shown + "\n";
        offset += line.size();
    }
    return text;
}

// od -x (octal offsets) and hexdump (hex offsets): 2-byte little-endian
// words, a last byte alone padded with a zero, 7-digit offsets, a "*" for a
// run of lines equal to the one before, the end's offset.
inline std::string Words(Bytes bytes, bool hexdump) {
    std::string text;
    std::size_t offset = 0;
    Bytes previous;
    bool skipping = false;
    const char* offsetFormat = hexdump ? "%07x" : "%07o";
    for (const Bytes line : Lines(bytes, 16)) {
        const bool same = previous.size() == line.size() &&
                          std::equal(line.begin(), line.end(), previous.begin());
        previous = line;
        offset += line.size();
        if (same) {
            text += skipping ? "" : "*\n";
            skipping = true;
            continue;
        }
        skipping = false;
        text += Format(offsetFormat, static_cast<unsigned>(offset - line.size()));
        for (std::size_t i = 0; i < line.size(); i += 2) {
            const unsigned high = i + 1 < line.size() ? line[i + 1] : 0;
            text += Format(" %04x", high << 8 | line[i]);
        }
        text += "\n";
    }
    return text + Format(offsetFormat, static_cast<unsigned>(offset)) + "\n";
}

inline std::string XxdPlain(Bytes bytes) {
    std::string text;
    for (const Bytes line : Lines(bytes, 30)) {
        for (const uint8_t byte : line) {
            text += Pair(byte);
        }
        text += "\n";
    }
    return text;
}

inline std::string XxdInclude(Bytes bytes) {
    std::string text = "unsigned char edid_bin[] = {\n";
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        text += (i % 12 == 0 ? "  " : " ") + ("0x" + Pair(bytes[i])) +
                (i + 1 == bytes.size() ? "\n"
                 : i % 12 == 11        ? ",\n"
                                       : ",");
    }
    return text + "};\nunsigned int edid_bin_len = " + std::to_string(bytes.size()) + ";\n";
}

// hexdump -C and od -Ax: a line equal to the one before is left out, a "*"
// standing for the run, and the end's offset closes the dump.
inline std::string WithOffsets(Bytes bytes, bool hexdump) {
    std::string text;
    std::size_t offset = 0;
    Bytes previous;
    bool skipping = false;
    const char* offsetFormat = hexdump ? "%08x" : "%06x";
    for (const Bytes line : Lines(bytes, 16)) {
        const bool same = previous.size() == line.size() &&
                          std::equal(line.begin(), line.end(), previous.begin());
        previous = line;
        offset += line.size();
        if (same) {
            text += skipping ? "" : "*\n";
            skipping = true;
            continue;
        }
        skipping = false;
        std::string hex = Format(offsetFormat, static_cast<unsigned>(offset - line.size()));
        std::string shown;
        for (std::size_t i = 0; i < line.size(); ++i) {
            hex += (hexdump && i % 8 == 0 ? "  " : " ") + Pair(line[i]);
            shown += Shown(line[i]);
        }
        if (hexdump) {
            hex.resize(58, ' ');
            hex += " |" + shown + "|";
        }
        text += hex + "\n";
    }
    return text + Format(offsetFormat, static_cast<unsigned>(offset)) + "\n";
}

inline std::string OdPlain(Bytes bytes) {
    std::string text;
    for (const Bytes line : Lines(bytes, 16)) {
        for (const uint8_t byte : line) {
            text += " " + Pair(byte);
        }
        text += "\n";
    }
    return text;
}

// A C array as people edit one: comments, "};" on the last data line.
inline std::string CArray(Bytes bytes) {
    std::string text = "/* read with a DDC tool, # of bytes below */\nconst uint8_t edid[] = {\n";
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        text += (i % 8 == 0 ? "\t" : " ") + ("0x" + Pair(bytes[i])) +
                (i + 1 == bytes.size() ? "};\n"
                 : i % 8 == 7          ? ", // line\n"
                                       : ",");
    }
    return text;
}

inline std::string Xrandr(Bytes bytes) {
    std::string text = "DP-1 connected primary 1920x1080+0+0 (0x46) normal 509mm x 286mm\n"
                       "\tIdentifier: 0x42\n\tCRTCs:      0 1 2\n\tEDID: \n";
    for (const Bytes line : Lines(bytes, 16)) {
        text += "\t\t";
        for (const uint8_t byte : line) {
            text += Pair(byte);
        }
        text += "\n";
    }
    return text + "\tnon-desktop: 0 \n\t\trange: (0, 1)\n";
}

// edid-decode's output, with CR alone as line end, as from an old Mac editor.
inline std::string EdidDecodeCr(Bytes bytes) {
    std::string text = "edid-decode (hex):\r\r";
    std::size_t at = 0;
    for (const Bytes line : Lines(bytes, 16)) {
        text += at > 0 && at % 128 == 0 ? "\r" : "";
        for (std::size_t i = 0; i < line.size(); ++i) {
            text += (i > 0 ? " " : "") + Pair(line[i]);
        }
        text += "\r";
        at += line.size();
    }
    return text + "\r----------------\r\rBlock 0, Base EDID:\r";
}

inline std::string Utf16(const std::string& text, bool bigEndian) {
    std::string wide = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (const char c : text) {
        wide += bigEndian ? std::string{'\0', c} : std::string{c, '\0'};
    }
    return wide;
}

// reg export: UTF-16 LE, CR LF, the value continued over lines.
inline std::string Registry(Bytes bytes) {
    std::string value = "Windows Registry Editor Version 5.00\r\n\r\n[HKEY_LOCAL_MACHINE\\SYSTEM\\"
                        "CurrentControlSet\\Enum\\DISPLAY\\X\\1&2&3\\Device Parameters]\r\n"
                        "\"BAD_EDID\"=hex:00,01,\\\r\n  02\r\n\"EDID\"=hex:";
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        value += Pair(bytes[i]) + (i + 1 == bytes.size() ? "\r\n"
                                   : i % 25 == 24        ? ",\\\r\n  "
                                                         : ",");
    }
    return Utf16(value + "\"Size\"=dword:00000080\r\n\r\n", false);
}

// An X server log: the prefix before each line, other lines around the
// EDID's, one of them before its "EDID (in hex):" line as hex as its own.
inline std::string XorgLog(Bytes bytes) {
    const std::string prefix = "[    28.014] (II) modeset(0): ";
    std::string text = "[    27.998] (II) modeset(0): Output DP-1 connected\n" + prefix +
                       "00ffffffffffff00\n" + prefix + "EDID (in hex):\n";
    for (const Bytes line : Lines(bytes, 16)) {
        text += prefix + "\t";
        for (const uint8_t byte : line) {
            text += Pair(byte);
        }
        text += "\n";
    }
    return text + prefix + "Printing probed modes for output DP-1\n" +
           "[    28.015] (II) AMDGPU(0): EDID (in hex):\n[    28.015] (II) AMDGPU(0): \t00ff\n";
}

inline constexpr int kFormCount = 16;

// The forms whose groups of more than a byte a reader must put in order.
inline constexpr int kXxdForm = 0;
inline constexpr int kXxdLittleEndianForm = 12;
inline constexpr int kOdWordsForm = 13;
inline constexpr int kHexdumpWordsForm = 14;
inline constexpr int kXorgLogForm = 15;

// Form `index` (0 to kFormCount - 1) of `bytes`, as a file holds it.
inline std::string Form(int index, Bytes bytes) {
    switch (index) {
    case 0:
        return Xxd(bytes);
    case 1:
        return XxdPlain(bytes);
    case 2:
        return XxdInclude(bytes);
    case 3:
        return WithOffsets(bytes, true);
    case 4:
        return WithOffsets(bytes, false);
    case 5:
        return OdPlain(bytes);
    case 6:
        return CArray(bytes);
    case 7:
        return Xrandr(bytes);
    case 8:
        return EdidDecodeCr(bytes);
    case 9:
        return Registry(bytes);
    case 10:
        return Utf16(XxdPlain(bytes), true);
    case 11:
        return "\xEF\xBB\xBF" + OdPlain(bytes) + std::string(1, '\0');
    case kXxdLittleEndianForm:
        return XxdLittleEndian(bytes);
    case kHexdumpWordsForm:
        return Words(bytes, true);
    case kOdWordsForm:
        return Words(bytes, false);
    default:
        return XorgLog(bytes);
    }
}

} // namespace hex_forms

} // namespace moniquet
