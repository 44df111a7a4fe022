#include "cli/hex_byte_order.h"

#include "cli/hex_text.h"
#include "moniquet/moniquet.h"

#include <algorithm>
#include <optional>

namespace moniquet {

namespace {

// The group sizes of a dump without offsets that are words of od -x, -tx4
// or -tx8 as well as hand-spaced bytes.
bool IsWordSize(uint32_t size) {
    return size == 2 || size == 4 || size == 8;
}

// Whether the groups of `dump` have an order to tell at all.
bool HasWideGroups(const std::vector<DumpLine>& dump, OffsetStyle style) {
    if (style == OffsetStyle::None) {
        // One run of digits a line (xrandr, xxd -p) is bytes as stored;
        // so is a line of groups of different sizes.
        const std::vector<uint32_t>& groups = dump.front().line.groups;
        return groups.size() >= 2 && IsWordSize(groups[0]) &&
               std::all_of(groups.begin(), groups.end(),
                           [&](uint32_t size) { return size == groups[0]; });
    }
    return std::any_of(dump.begin(), dump.end(), [](const DumpLine& d) {
        return std::any_of(d.line.groups.begin(), d.line.groups.end(),
                           [](uint32_t size) { return size > 1; });
    });
}

// As xxd shows a byte in its text column.
char Shown(uint8_t byte) {
    return byte >= 0x20 && byte < 0x7F ? static_cast<char>(byte) : '.';
}

bool TextColumnShows(const std::string& text, const std::vector<uint8_t>& bytes) {
    return text.size() == bytes.size() &&
           std::equal(bytes.begin(), bytes.end(), text.begin(),
                      [](uint8_t byte, char c) { return Shown(byte) == c; });
}

// What xxd's text column says, where one order matches it on some line and
// the other on none.
std::optional<GroupOrder> OrderOfTextColumn(const std::vector<DumpLine>& dump) {
    std::size_t asWritten = 0;
    std::size_t reversed = 0;
    for (const DumpLine& d : dump) {
        if (d.line.kind != HexLineKind::Hex || d.line.textColumn.empty()) {
            continue;
        }
        const bool written = TextColumnShows(d.line.textColumn, d.line.bytes);
        const bool swapped =
            TextColumnShows(d.line.textColumn, BytesInOrder(d.line, GroupOrder::Reversed));
        asWritten += written && !swapped ? 1 : 0;
        reversed += swapped && !written ? 1 : 0;
    }
    if ((asWritten == 0) == (reversed == 0)) {
        return std::nullopt;
    }
    return asWritten != 0 ? GroupOrder::AsWritten : GroupOrder::Reversed;
}

// The order in which the dump starts with the EDID header, where only one
// does.
std::optional<GroupOrder> OrderOfHeader(const std::vector<DumpLine>& dump) {
    std::vector<uint8_t> written;
    std::vector<uint8_t> reversed;
    for (const DumpLine& d : dump) {
        if (d.line.kind == HexLineKind::Hex && written.size() < kEdidHeaderSize) {
            written.insert(written.end(), d.line.bytes.begin(), d.line.bytes.end());
            const std::vector<uint8_t> swapped = BytesInOrder(d.line, GroupOrder::Reversed);
            reversed.insert(reversed.end(), swapped.begin(), swapped.end());
        }
    }
    const bool inWritten = HasEdidHeader(written);
    const bool inReversed = HasEdidHeader(reversed);
    if (inWritten == inReversed) {
        return std::nullopt;
    }
    return inWritten ? GroupOrder::AsWritten : GroupOrder::Reversed;
}

} // namespace

std::vector<uint8_t> BytesInOrder(const HexLine& line, GroupOrder order) {
    std::vector<uint8_t> bytes = line.bytes;
    if (order == GroupOrder::Reversed) {
        auto at = bytes.begin();
        for (const uint32_t size : line.groups) {
            std::reverse(at, at + size);
            at += size;
        }
    }
    return bytes;
}

Result<GroupOrder> DecideGroupOrder(const std::vector<DumpLine>& dump, OffsetStyle style) {
    if (!HasWideGroups(dump, style)) {
        return GroupOrder::AsWritten;
    }
    if (const auto told = OrderOfTextColumn(dump)) {
        return *told;
    }
    if (const auto told = OrderOfHeader(dump)) {
        return *told;
    }
    if (style == OffsetStyle::None) {
        return TextError(
            LineError(dump.front().index, "cannot tell the order of the bytes in groups of " +
                                              std::to_string(dump.front().line.groups[0]) +
                                              " (od -x writes them little-endian); dump one byte a "
                                              "group, as od -An -tx1 does"));
    }
    return style == OffsetStyle::Colon ? GroupOrder::AsWritten : GroupOrder::Reversed;
}

} // namespace moniquet
