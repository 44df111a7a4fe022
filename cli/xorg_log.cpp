#include "cli/xorg_log.h"

#include "cli/hex_line.h"

#include <algorithm>
#include <optional>

namespace moniquet {

namespace {

constexpr std::string_view kEdidTitle = "EDID (in hex):";

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view WithoutLeadingBlanks(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    return text;
}

// A log line: who wrote it and what it says.
struct LogLine {
    // The driver and screen, "modeset(0)"; the lines of one EDID share it.
    std::string_view source;
    // What follows "SOURCE:", its blanks taken off both ends.
    std::string_view message;
};

// The line without its prefix: an optional "[ SECONDS]" time stamp, a
// "(XX)" kind ("(II)", "(--)", "(WW)"...) and "SOURCE:". Lines without them
// (the log's header, "(II) Loading ..." without a source) are none.
std::optional<LogLine> ReadLogLine(std::string_view line) {
    line = WithoutLeadingBlanks(line);
    if (line.starts_with('[')) {
        const std::size_t end = line.find(']');
        if (end == std::string_view::npos ||
            line.substr(1, end - 1).find_first_not_of(" .0123456789") != std::string_view::npos) {
            return std::nullopt;
        }
        line = WithoutLeadingBlanks(line.substr(end + 1));
    }
    constexpr std::size_t kKindSize = 4;
    if (line.size() < kKindSize || line[0] != '(' || line[kKindSize - 1] != ')') {
        return std::nullopt;
    }
    line = WithoutLeadingBlanks(line.substr(kKindSize));
    const std::size_t colon = line.find(':');
    const std::string_view source = line.substr(0, colon);
    if (colon == std::string_view::npos || source.empty() ||
        std::any_of(source.begin(), source.end(), IsBlank)) {
        return std::nullopt;
    }
    std::string_view message = WithoutLeadingBlanks(line.substr(colon + 1));
    while (!message.empty() && IsBlank(message.back())) {
        message.remove_suffix(1);
    }
    return LogLine{source, message};
}

bool IsEdidTitle(std::string_view line) {
    const std::optional<LogLine> log = ReadLogLine(line);
    return log && log->message == kEdidTitle;
}

bool AllHexDigits(std::string_view text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return HexDigitValue(c) >= 0; });
}

} // namespace

bool IsXorgLog(const std::vector<std::string_view>& lines) {
    return std::any_of(lines.begin(), lines.end(), IsEdidTitle);
}

Result<HexTextBytes> ReadXorgLog(const std::vector<std::string_view>& lines) {
    const auto title = std::find_if(lines.begin(), lines.end(), IsEdidTitle);
    const std::size_t first = static_cast<std::size_t>(title - lines.begin());
    const std::string_view source = ReadLogLine(*title)->source;
    EdidBytes read;
    std::vector<HexLineSpan> readSpans;
    for (std::size_t i = first + 1; i < lines.size(); ++i) {
        const std::optional<LogLine> log = ReadLogLine(lines[i]);
        if (!log || log->source != source || !AllHexDigits(log->message)) {
            break;
        }
        if (log->message.size() % 2 != 0) {
            return TextError(LineError(i, "odd number of hex digits"));
        }
        readSpans.push_back({read.size(), i});
        for (std::size_t at = 0; at < log->message.size(); at += 2) {
            read.push_back(static_cast<uint8_t>(HexDigitValue(log->message[at]) << 4 |
                                                HexDigitValue(log->message[at + 1])));
        }
    }
    if (read.empty()) {
        return TextError(
            LineError(first, "no hex lines after \"" + std::string(kEdidTitle) + "\""));
    }
    const auto count = std::count_if(title, lines.end(), IsEdidTitle);
    std::string warning;
    if (count > 1) {
        warning = "the log holds " + std::to_string(count) + " EDIDs; decoded the first";
    }
    return HexTextBytes{std::move(read), std::move(readSpans), std::move(warning)};
}

} // namespace moniquet
