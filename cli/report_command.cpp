#include "cli/commands.h"
#include "cli/edid_file.h"
#include "cli/output.h"
#include "cli/utf8.h"
#include "edid/decode.h"
#include "edid/report.h"

namespace {

// Decodes the file named by the one argument (its first 256 bytes, as the
// dialog keeps them) and writes what `format` makes of it. Everything is built before the first
// byte is written, so an error never leaves partial output.
template <typename Format> int DecodeAndPrint(const Arguments& args, Format format) {
    if (args.size() != 1) {
        return PrintUsage();
    }
    const std::string& path = args[0];
    EdidBytes edid;
    std::string error;
    if (!ReadEdidFile(path, edid, error)) {
        return Fail(path == "-" ? "standard input" : path, error);
    }
    return WriteStandardOutput(format(DecodeMonitorRecord(edid).summary));
}

} // namespace

int RunReport(const Arguments& args) {
    return DecodeAndPrint(args,
                          [](const EdidSummary& s) { return ToUtf8(FormatMonitorReport(s)); });
}

int RunLabel(const Arguments& args) {
    return DecodeAndPrint(
        args, [](const EdidSummary& s) { return ToUtf8(FormatMonitorLabel(s.vendor)) + "\n"; });
}
