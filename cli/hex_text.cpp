#include "cli/hex_text.h"

#include "cli/hex_dump.h"
#include "cli/hex_line.h"
#include "cli/quantumdata_xml.h"
#include "cli/text_input.h"
#include "cli/xorg_log.h"
#include "moniquet/moniquet.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <vector>

namespace moniquet {

namespace {

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
Result<HexTextBytes> ReadRegistryExport(const std::vector<std::string_view>& lines) {
    constexpr std::string_view kValue = "\"EDID\"=hex:";
    for (std::size_t first = 0; first < lines.size(); ++first) {
        std::string_view part = Trimmed(lines[first]);
        if (!StartsWithIgnoringCase(part, kValue)) {
            continue;
        }
        part.remove_prefix(kValue.size());
        EdidBytes read;
        std::vector<HexLineSpan> readSpans;
        for (std::size_t i = first;;) {
            readSpans.push_back({read.size(), i});
            const bool continued = part.ends_with('\\');
            part.remove_suffix(continued ? 1 : 0);
            for (std::size_t start = 0; start <= part.size();) {
                const std::size_t end = std::min(part.find(',', start), part.size());
                const std::string_view item = Trimmed(part.substr(start, end - start));
                start = end + 1;
                if (item.empty() && end == part.size()) {
                    break;
                }
                const int high = item.size() == 2 ? HexDigitValue(item[0]) : -1;
                const int low = item.size() == 2 ? HexDigitValue(item[1]) : -1;
                if (high < 0 || low < 0) {
                    return TextError(
                        LineError(i, "not a hex byte: \"EDID\" holds " + std::string(item)));
                }
                read.push_back(static_cast<uint8_t>(high << 4 | low));
            }
            if (!continued || ++i == lines.size()) {
                break;
            }
            part = Trimmed(lines[i]);
        }
        return HexTextBytes{std::move(read), std::move(readSpans), {}};
    }
    return TextError("no \"EDID\" value in the registry export");
}

} // namespace

bool IsHexText(std::span<const uint8_t> input) {
    if (input.empty() || HasEdidHeader(input)) {
        return false;
    }
    const std::string text = DecodedText(input);
    return !text.empty() && IsText(text);
}

Result<HexTextBytes> ParseHexText(std::span<const uint8_t> input) {
    const std::string text = DecodedText(input);
    const std::vector<std::string_view> lines = Lines(text);
    if (IsRegistryExport(lines)) {
        return ReadRegistryExport(lines);
    }
    if (IsQuantumDataXml(text)) {
        return ReadQuantumDataXml(text, lines);
    }
    if (IsXorgLog(lines)) {
        return ReadXorgLog(lines);
    }
    return ReadDump(lines);
}

std::size_t LineOfByte(const std::vector<HexLineSpan>& spans, std::size_t byte) {
    const auto after = std::upper_bound(
        spans.begin(), spans.end(), byte,
        [](std::size_t at, const HexLineSpan& span) { return at < span.firstByte; });
    return after == spans.begin() ? 0 : std::prev(after)->line;
}

} // namespace moniquet
