#include "cli/command_line.h"
#include "cli/commands.h"
#include "cli/edid_argument.h"
#include "cli/output.h"
#include "cli/terminal_text.h"
#include "cli/utf8.h"
#include "moniquet/decode.h"
#include "moniquet/report.h"

namespace moniquet {

namespace {

// Decodes the file named by the one argument (its first 256 bytes, as the
// dialog keeps them) and writes what `format` makes of it.
template <typename Format> int DecodeAndPrint(const Arguments& args, Format format) {
    CommandArguments split;
    std::optional<std::string> wrong = SplitArguments(args, {}, split);
    if (!wrong) {
        wrong = CheckOperands(split.operands, {"FILE"});
    }
    if (wrong) {
        return UsageError(*wrong);
    }
    return PrintEdidFile(split.operands[0], [&format](const EdidBytes& edid) {
        return format(DecodeMonitorRecord(edid).summary);
    });
}

// Byte for byte into a pipe or a file, which scripts compare; with its
// control characters shown as escapes on a terminal, which they would drive.
std::string ForStandardOutput(const std::u16string& text) {
    return StandardOutputIsTerminal() ? ShownOnTerminal(text) : ToUtf8(text);
}

} // namespace

int RunReport(const Arguments& args) {
    return DecodeAndPrint(
        args, [](const EdidSummary& s) { return ForStandardOutput(FormatMonitorReport(s)); });
}

int RunLabel(const Arguments& args) {
    return DecodeAndPrint(args, [](const EdidSummary& s) {
        return ForStandardOutput(FormatMonitorLabel(s.vendor) + u"\n");
    });
}

} // namespace moniquet
