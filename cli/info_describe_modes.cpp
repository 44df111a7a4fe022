// The one list of modes: the answer to "what can this monitor do".
#include "cli/info_describe.h"

#include "cli/number_text.h"
#include "moniquet/value_names.h"

#include <array>

namespace moniquet {

namespace {

// Calls `visit` with the name of each source `mode` has, lowest bit first.
// Only the bits set are visited: a mode has two or three of them, and the
// modes list is the longest list of most EDIDs' JSON.
template <typename Visit> void ForEachSourceName(const ModeInfo& mode, Visit visit) {
    for (uint32_t rest = mode.sources; rest != 0; rest &= rest - 1) {
        if (const auto name = ModeSourceName(rest & (0 - rest))) {
            visit(*name);
        }
    }
}

// "1920x1080@60.000" and "base, vic, preferred, native".
std::pair<std::string, std::string> ModeLine(const ModeInfo& mode) {
    std::string label = SizeText(mode.width, mode.height, mode.interlaced) + "@";
    mode.refreshHz ? AppendFixed(label, *mode.refreshHz, 3) : void(label += '-');
    std::string value;
    ForEachSourceName(mode, [&value](std::string_view name) {
        value += value.empty() ? "" : ", ";
        value += name;
    });
    value += mode.preferred ? ", preferred" : "";
    value += mode.native ? ", native" : "";
    return {label, value};
}

} // namespace

void DescribeModes(InfoOutput& out, const std::vector<ModeInfo>& modes) {
    Section(out, "Modes");
    if (modes.empty()) {
        TextLine(out, "Mode", "-");
    }
    BeginArray(out, "modes", "", JsonLayout::Lines, TextShow::Items);
    for (const ModeInfo& mode : modes) {
        if (IsText(out)) {
            const auto [label, value] = ModeLine(mode);
            TextLine(out, label, value);
        }
        BeginObject(out, "", "", JsonLayout::Inline, TextShow::Hidden);
        Unsigned(out, "width", "", mode.width);
        Unsigned(out, "height", "", mode.height);
        Fixed(out, "refresh_hz", "", mode.refreshHz, 6, 3);
        Bool(out, "interlaced", "", mode.interlaced);
        BeginArray(out, "sources", "", JsonLayout::Inline, TextShow::Hidden);
        ForEachSourceName(mode, [&out](std::string_view name) { Name(out, "", "", name); });
        End(out);
        Bool(out, "preferred", "", mode.preferred);
        Bool(out, "native", "", mode.native);
        End(out);
    }
    End(out);
}

} // namespace moniquet
