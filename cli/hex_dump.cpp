#include "cli/hex_dump.h"

#include "cli/hex_byte_order.h"
#include "cli/hex_text.h"

#include <algorithm>
#include <optional>

namespace moniquet {

namespace {

// od's offsets are octal unless told otherwise (decimal with -Ad), and 7
// digits wide; hexdump's are hex and 7 digits wide too; those of every
// other dump are hex.
constexpr std::size_t kOdOffsetWidth = 7;
constexpr unsigned kOdOffsetBases[] = {8, 16, 10};
// Offsets past this are not read: no dump of an EDID starts that far into
// a file.
constexpr uint64_t kLargestOffset = uint64_t{1} << 48;

// The title edid-decode writes above its dump, which has 128 bytes a block
// and a blank line between blocks.
constexpr std::string_view kEdidDecodeTitle = "edid-decode (hex):";

std::string_view Trimmed(std::string_view text) {
    const std::size_t start = text.find_first_not_of(" \t");
    if (start == std::string_view::npos) {
        return {};
    }
    return text.substr(start, text.find_last_not_of(" \t") + 1 - start);
}

// UINT64_MAX for digits that are not a number in `base`.
uint64_t OffsetValue(std::string_view digits, unsigned base) {
    uint64_t value = 0;
    for (const char c : digits) {
        const unsigned digit = c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10;
        if (digit >= base || value > kLargestOffset) {
            return UINT64_MAX;
        }
        value = value * base + digit;
    }
    return value;
}

// `value` as the dump writes its offsets.
std::string OffsetText(uint64_t value, unsigned base, std::size_t width) {
    std::string text;
    do {
        text.insert(text.begin(), "0123456789abcdef"[value % base]);
        value /= base;
    } while (value != 0);
    return std::string(width > text.size() ? width - text.size() : 0, '0') + text;
}

// A line of column numbers above a dump ("00 01 02 ... 0f"), which no EDID
// starts with: its header does not.
bool IsColumnRuler(const HexLine& line) {
    constexpr std::size_t kShortestRuler = 8;
    if (line.offsetStyle != OffsetStyle::None || line.bytes.size() < kShortestRuler) {
        return false;
    }
    for (std::size_t i = 0; i < line.bytes.size(); ++i) {
        if (line.bytes[i] != i) {
            return false;
        }
    }
    return true;
}

// The lines of the dump: from the first hex line (not a lone number, not a
// column ruler) to the first line that is neither hex nor blank, an
// offset alone, a "}" or a line of odd digits, those included.
std::vector<DumpLine> DumpLines(const std::vector<std::string_view>& lines, bool& edidDecode) {
    std::vector<DumpLine> dump;
    HexLineState state;
    std::string_view title;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        HexLine line = ReadHexLine(lines[i], state);
        if (dump.empty()) {
            if (line.kind != HexLineKind::Hex || line.number || IsColumnRuler(line)) {
                title = Trimmed(lines[i]).empty() ? title : Trimmed(lines[i]);
                continue;
            }
            edidDecode = title == kEdidDecodeTitle;
        }
        const HexLineKind kind = line.kind;
        if (kind == HexLineKind::Other) {
            break;
        }
        const bool last = kind == HexLineKind::Offset || kind == HexLineKind::OddHex || line.closes;
        dump.push_back({i, std::move(line)});
        if (last) {
            break;
        }
    }
    return dump;
}

// Whether every offset of the dump is where the lines before it end (or,
// after a "*", a whole number of copies of the last line past it) when
// read in `base`.
bool OffsetsRunOn(const std::vector<DumpLine>& dump, unsigned base) {
    uint64_t end = OffsetValue(dump.front().line.offset, base);
    std::size_t last = 0;
    bool repeated = false;
    for (const DumpLine& d : dump) {
        const HexLine& line = d.line;
        repeated = repeated || line.kind == HexLineKind::Repeat;
        if (line.offset.empty()) {
            continue;
        }
        const uint64_t offset = OffsetValue(line.offset, base);
        const bool runsOn = offset == end || (repeated && last != 0 && offset != UINT64_MAX &&
                                              offset > end && (offset - end) % last == 0);
        // The end's offset may leave out the zeros a last word was padded with.
        const bool padded = line.kind == HexLineKind::Offset && offset < end && end - offset < 8;
        if (end == UINT64_MAX || (!runsOn && !padded)) {
            return false;
        }
        end = offset + line.bytes.size();
        last = line.bytes.empty() ? last : line.bytes.size();
        repeated = false;
    }
    return true;
}

// The base of the offsets: hex, but for the 7 digits of od (octal, or
// decimal with -Ad) and hexdump (hex) the one in which they run on. A dump
// they run on in two bases gives two EDIDs when it has a "*": false then,
// with `error` set. One they run on in none is read in the base of its
// first digits, for the line that breaks the run to be named.
bool OffsetBase(const std::vector<DumpLine>& dump, OffsetStyle style, unsigned& base,
                std::string& error) {
    const HexLine& first = dump.front().line;
    base = 16;
    if (style != OffsetStyle::Column || first.offset.size() != kOdOffsetWidth) {
        return true;
    }
    std::vector<unsigned> bases;
    for (const unsigned candidate : kOdOffsetBases) {
        if (OffsetsRunOn(dump, candidate)) {
            bases.push_back(candidate);
        }
    }
    const auto repeat = std::find_if(dump.begin(), dump.end(), [](const DumpLine& d) {
        return d.line.kind == HexLineKind::Repeat;
    });
    if (bases.size() > 1 && repeat != dump.end()) {
        error = LineError(repeat->index, "\"*\" stands for other lines as the offsets are octal "
                                         "(od) or hex (hexdump): dump with od -Ax or hexdump -C");
        return false;
    }
    base = !bases.empty()                                                    ? bases.front()
           : first.offset.find_first_not_of("01234567") == std::string::npos ? 8
                                                                             : 16;
    return true;
}

// The bytes so far of a dump being put together, and what its lines have
// told of it.
struct Assembly {
    EdidBytes bytes;
    std::vector<HexLineSpan> spans;
    // Whether edid-decode wrote it, which puts 128 bytes in each block.
    bool edidDecode = false;
    OffsetStyle style = OffsetStyle::None;
    unsigned base = 16;
    std::size_t width = 0;
    GroupOrder order = GroupOrder::AsWritten;
    // The first line's offset.
    uint64_t start = 0;
    std::vector<uint8_t> lastLine;
    // The bytes of the last line's last group.
    uint32_t lastGroup = 0;
    // The line of a "*" whose copies wait for the next offset.
    std::optional<std::size_t> repeatAt;
    // Where edid-decode's block being read starts, and the line of its
    // last bytes so far.
    std::size_t blockStart = 0;
    std::size_t blockLastLine = 0;
    // A blank line has ended it.
    bool blockEnded = false;
};

uint64_t End(const Assembly& a) {
    return a.start + a.bytes.size();
}

std::string EndText(const Assembly& a) {
    return OffsetText(End(a), a.base, a.width);
}

// Fills the lines a "*" left out, up to `offset`.
bool FillRepeats(Assembly& a, uint64_t offset, std::string& error) {
    const std::size_t index = *a.repeatAt;
    a.repeatAt.reset();
    if (offset == UINT64_MAX || offset < End(a) || offset - a.start > kMaximumHexTextSize ||
        (offset - End(a)) % a.lastLine.size() != 0) {
        error = LineError(index, "\"*\" does not end at the offset after it");
        return false;
    }
    if (offset > End(a)) {
        a.spans.push_back({a.bytes.size(), index});
    }
    while (End(a) < offset) {
        a.bytes.insert(a.bytes.end(), a.lastLine.begin(), a.lastLine.end());
    }
    return true;
}

// edid-decode's blocks: 128 bytes, then a blank line. Called for each
// blank line (`blank`) and after each hex line's bytes, at line `index`. A
// block is checked whole once a hex line follows its blank line: a last
// one cut short is left to the count of whole blocks.
bool CheckBlock(Assembly& a, std::size_t index, bool blank, std::string& error) {
    std::size_t held = a.bytes.size() - a.blockStart;
    if (blank) {
        a.blockEnded = a.blockEnded || held != 0;
        return true;
    }
    if (a.blockEnded) {
        const std::size_t before = held - a.lastLine.size();
        if (before != kEdidBlockLength) {
            error = LineError(a.blockLastLine, "block " +
                                                   std::to_string(a.blockStart / kEdidBlockLength) +
                                                   " of edid-decode's dump ends after " +
                                                   std::to_string(before) + " bytes, not 128");
            return false;
        }
        a.blockStart += before;
        a.blockEnded = false;
        held = a.lastLine.size();
    }
    if (held > kEdidBlockLength) {
        error = LineError(index, "block " + std::to_string(a.blockStart / kEdidBlockLength) +
                                     " of edid-decode's dump holds more than 128 bytes");
        return false;
    }
    a.blockLastLine = index;
    return true;
}

// The offset alone that ends a dump of hexdump or od: where the bytes end,
// short of the zeros that od and hexdump pad a last word with.
bool ReadEnd(Assembly& a, const DumpLine& d, std::string& error) {
    const uint64_t offset = OffsetValue(d.line.offset, a.base);
    if (a.repeatAt && !FillRepeats(a, offset, error)) {
        return false;
    }
    if (offset < End(a) && End(a) - offset < a.lastGroup) {
        a.bytes.resize(offset - a.start);
    }
    if (offset != End(a)) {
        error = LineError(d.index, "the dump ends at offset " + d.line.offset +
                                       ", but its lines end at " + EndText(a));
        return false;
    }
    return true;
}

bool ReadBytes(Assembly& a, const DumpLine& d, std::string& error) {
    const HexLine& line = d.line;
    if (line.offsetStyle != a.style) {
        error = LineError(d.index, a.style == OffsetStyle::None
                                       ? "an offset column, which the lines before it have not"
                                       : "no offset column, unlike the lines before it");
        return false;
    }
    if (a.style != OffsetStyle::None) {
        const uint64_t offset = OffsetValue(line.offset, a.base);
        if (a.repeatAt) {
            if (!FillRepeats(a, offset, error)) {
                return false;
            }
        } else if (offset != End(a)) {
            error = LineError(d.index, "offset " + line.offset +
                                           ", but the lines before it end at " + EndText(a));
            return false;
        }
    }
    a.spans.push_back({a.bytes.size(), d.index});
    a.lastLine = BytesInOrder(line, a.order);
    a.bytes.insert(a.bytes.end(), a.lastLine.begin(), a.lastLine.end());
    a.lastGroup = line.groups.empty() ? 0 : line.groups.back();
    if (a.bytes.size() > kMaximumHexTextSize) {
        error = LineError(d.index, "more bytes than hex text can hold");
        return false;
    }
    return !a.edidDecode || CheckBlock(a, d.index, false, error);
}

bool ReadLine(Assembly& a, const DumpLine& d, std::string& error) {
    switch (d.line.kind) {
    case HexLineKind::Blank:
        return !a.edidDecode || CheckBlock(a, d.index, true, error);
    case HexLineKind::Other:
        return true;
    case HexLineKind::OddHex:
        error = LineError(d.index, "odd number of hex digits");
        return false;
    case HexLineKind::Repeat:
        if (a.style == OffsetStyle::None || a.lastLine.empty()) {
            error = LineError(d.index, "\"*\" leaves out lines but the dump has no offsets");
            return false;
        }
        a.repeatAt = d.index;
        return true;
    case HexLineKind::Offset:
        return ReadEnd(a, d, error);
    case HexLineKind::Hex:
        break;
    }
    return ReadBytes(a, d, error);
}

bool Assemble(const std::vector<DumpLine>& dump, Assembly& a, std::string& error) {
    const DumpLine& first = dump.front();
    a.style = first.line.offsetStyle;
    if (!OffsetBase(dump, a.style, a.base, error)) {
        return false;
    }
    a.width = first.line.offset.size();
    const Result<GroupOrder> order = DecideGroupOrder(dump, a.style);
    if (!order) {
        error = order.error().message;
        return false;
    }
    a.order = order.value();
    if (a.style != OffsetStyle::None) {
        a.start = OffsetValue(first.line.offset, a.base);
        if (a.start == UINT64_MAX) {
            error = LineError(first.index, "offset " + first.line.offset + " is too large");
            return false;
        }
    }
    for (const DumpLine& d : dump) {
        if (!ReadLine(a, d, error)) {
            return false;
        }
    }
    if (a.repeatAt) {
        error = LineError(*a.repeatAt, "\"*\" without the offset after it");
        return false;
    }
    return true;
}

} // namespace

std::string LineError(std::size_t index, const std::string& reason) {
    return "line " + std::to_string(index + 1) + ": " + reason;
}

Error TextError(std::string reason) {
    return Error{ErrorCode::BadText, std::move(reason)};
}

Result<HexTextBytes> ReadDump(const std::vector<std::string_view>& lines) {
    bool edidDecode = false;
    const std::vector<DumpLine> dump = DumpLines(lines, edidDecode);
    if (dump.empty()) {
        return TextError("no hex bytes");
    }
    Assembly a;
    a.edidDecode = edidDecode;
    std::string error;
    if (!Assemble(dump, a, error)) {
        return TextError(std::move(error));
    }
    return HexTextBytes{std::move(a.bytes), std::move(a.spans), {}};
}

} // namespace moniquet
