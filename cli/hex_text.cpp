#include "cli/hex_text.h"

#include "cli/hex_line.h"
#include "cli/text_input.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string_view>
#include <vector>

namespace {

constexpr std::array<uint8_t, 8> kEdidHeader = {0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00};

// od's offsets are octal unless told otherwise, and 7 digits wide; those of
// every other dump are hex.
constexpr std::size_t kOctalOffsetWidth = 7;

std::vector<std::string_view> Lines(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find_first_of("\r\n"), text.size());
        lines.push_back(text.substr(0, end));
        const bool crLf = text.substr(end, 2) == "\r\n";
        text.remove_prefix(std::min(text.size(), end + (crLf ? 2 : 1)));
    }
    return lines;
}

std::string_view Trimmed(std::string_view text) {
    const std::size_t start = text.find_first_not_of(" \t");
    if (start == std::string_view::npos) {
        return {};
    }
    return text.substr(start, text.find_last_not_of(" \t") + 1 - start);
}

bool StartsWithIgnoringCase(std::string_view text, std::string_view start) {
    return text.size() >= start.size() &&
           std::equal(start.begin(), start.end(), text.begin(),
                      [](char a, char b) { return (a | 0x20) == (b | 0x20); });
}

std::string LineError(std::size_t index, const std::string& reason) {
    return "line " + std::to_string(index + 1) + ": " + reason;
}

bool IsRegistryExport(const std::vector<std::string_view>& lines) {
    for (const std::string_view line : lines) {
        const std::string_view text = Trimmed(line);
        if (!text.empty()) {
            return text == "REGEDIT4" || text.starts_with("Windows Registry Editor Version");
        }
    }
    return false;
}

// The value "EDID"=hex:00,ff,...,\ and its continuation lines; every other
// value and key is passed over.
bool ReadRegistryExport(const std::vector<std::string_view>& lines, EdidBytes& bytes,
                        std::string& error) {
    constexpr std::string_view kValue = "\"EDID\"=hex:";
    for (std::size_t first = 0; first < lines.size(); ++first) {
        std::string_view part = Trimmed(lines[first]);
        if (!StartsWithIgnoringCase(part, kValue)) {
            continue;
        }
        part.remove_prefix(kValue.size());
        EdidBytes read;
        for (std::size_t i = first;;) {
            const bool continued = part.ends_with('\\');
            part.remove_suffix(continued ? 1 : 0);
            for (std::size_t start = 0; start <= part.size();) {
                const std::size_t end = std::min(part.find(',', start), part.size());
                const std::string_view item = Trimmed(part.substr(start, end - start));
                start = end + 1;
                if (item.empty() && end == part.size()) {
                    break;
                }
                HexLineState state;
                const HexLine hex = ReadHexLine(item, state);
                if (item.size() != 2 || hex.kind != HexLineKind::Hex) {
                    error = LineError(i, "not a hex byte: \"EDID\" holds " + std::string(item));
                    return false;
                }
                read.push_back(hex.bytes[0]);
            }
            if (!continued || ++i == lines.size()) {
                break;
            }
            part = Trimmed(lines[i]);
        }
        bytes = std::move(read);
        return true;
    }
    error = "no \"EDID\" value in the registry export";
    return false;
}

uint64_t OffsetValue(std::string_view digits) {
    const unsigned base = digits.size() == kOctalOffsetWidth ? 8 : 16;
    uint64_t value = 0;
    for (const char c : digits) {
        const unsigned digit = c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10;
        if (digit >= base || value > kMaximumHexTextSize) {
            return UINT64_MAX;
        }
        value = value * base + digit;
    }
    return value;
}

// The hex lines of a dump, in order.
struct HexRun {
    EdidBytes bytes;
    std::vector<uint8_t> lastLine;
    std::optional<uint64_t> firstOffset;
    // The line of a "*" whose copies wait for the next offset.
    std::optional<std::size_t> repeatAt;
};

// Fills the lines a "*" left out, up to where `offset` says the next line
// starts.
bool FillRepeats(HexRun& run, const std::string& offset, std::string& error) {
    if (!run.repeatAt) {
        return true;
    }
    const uint64_t value = OffsetValue(offset);
    const uint64_t end = value - run.firstOffset.value_or(0);
    const std::size_t size = run.bytes.size();
    if (value == UINT64_MAX || end < size || end > kMaximumHexTextSize ||
        (end - size) % run.lastLine.size() != 0) {
        error = LineError(*run.repeatAt, "\"*\" does not end at the offset after it");
        return false;
    }
    while (run.bytes.size() < end) {
        run.bytes.insert(run.bytes.end(), run.lastLine.begin(), run.lastLine.end());
    }
    run.repeatAt.reset();
    return true;
}

bool ReadDump(const std::vector<std::string_view>& lines, EdidBytes& bytes, std::string& error) {
    HexRun run;
    HexLineState state;
    bool started = false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const HexLine line = ReadHexLine(lines[i], state);
        HexLineKind kind = line.kind;
        if (!started && (kind != HexLineKind::Hex || line.number)) {
            continue;
        }
        started = true;
        if (kind == HexLineKind::OddHex) {
            error = LineError(i, "odd number of hex digits");
            return false;
        }
        if (kind == HexLineKind::Repeat) {
            if (state.offsetWidth == 0 || run.lastLine.empty()) {
                error = LineError(i, "\"*\" leaves out lines but the dump has no offsets");
                return false;
            }
            run.repeatAt = i;
            continue;
        }
        if (kind == HexLineKind::Offset) {
            if (!FillRepeats(run, line.offset, error)) {
                return false;
            }
            break;
        }
        if (kind == HexLineKind::Other) {
            break;
        }
        if (kind == HexLineKind::Hex) {
            if (!line.offset.empty()) {
                if (!run.firstOffset) {
                    run.firstOffset = OffsetValue(line.offset);
                } else if (!FillRepeats(run, line.offset, error)) {
                    return false;
                }
            }
            run.bytes.insert(run.bytes.end(), line.bytes.begin(), line.bytes.end());
            run.lastLine = line.bytes;
        }
        if (line.closes) {
            break;
        }
    }
    if (run.repeatAt) {
        error = LineError(*run.repeatAt, "\"*\" without the offset after it");
        return false;
    }
    if (!started) {
        error = "no hex bytes";
        return false;
    }
    bytes = std::move(run.bytes);
    return true;
}

} // namespace

bool StartsWithEdidHeader(std::span<const uint8_t> bytes) {
    return bytes.size() >= kEdidHeader.size() &&
           std::equal(kEdidHeader.begin(), kEdidHeader.end(), bytes.begin());
}

bool IsHexText(std::span<const uint8_t> input) {
    if (input.empty() || StartsWithEdidHeader(input)) {
        return false;
    }
    const std::string text = DecodedText(input);
    return !text.empty() && IsText(text);
}

bool ParseHexText(std::span<const uint8_t> input, EdidBytes& bytes, std::string& error) {
    const std::string text = DecodedText(input);
    const std::vector<std::string_view> lines = Lines(text);
    return IsRegistryExport(lines) ? ReadRegistryExport(lines, bytes, error)
                                   : ReadDump(lines, bytes, error);
}
