// Text from an EDID on its way to a terminal, where a control character
// that a monitor stores (ESC ] ... BEL, ESC [ 2J) would drive the terminal.
#pragma once

#include <string>
#include <string_view>

namespace moniquet {

// Whether standard output is a terminal (a console on Windows).
bool StandardOutputIsTerminal();

// `text` as UTF-8 with each C0 and C1 control character and DEL shown as
// \xNN and a backslash as \\, as info shows the EDID's texts; a CR followed
// by a LF (the report's line end) and a LF alone stay as they are.
std::string ShownOnTerminal(std::u16string_view text);

} // namespace moniquet
