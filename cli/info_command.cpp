// info [--json] [--check] FILE...: everything the EDID in each FILE says,
// every block of it; --check shows the conformity checks in the text and
// makes a failed one the exit status, so that a script can gate on it.
#include "cli/command_line.h"
#include "cli/commands.h"
#include "cli/decode_options.h"
#include "cli/edid_argument.h"
#include "cli/edid_file.h"
#include "cli/info_json.h"
#include "cli/output.h"
#include "cli/terminal_text.h"
#include "moniquet/edid_info.h"
#include "moniquet/json.h"

#include <algorithm>

namespace moniquet {

namespace {

// A batch's output is gathered and written in pieces of about this size: one
// write for many EDIDs rather than one a line. On a terminal each file's
// output goes at once instead, beside the warnings and errors about it.
constexpr std::size_t kOutputPiece = 1 << 16;

// Several files: with --json one line of JSON Lines each (info_json.h);
// without, each file's text under a "==> FILE <==" heading, a blank line
// between two, as head(1) shows several files. A file that gives no EDID is
// reported on standard error as one file alone is, and the others are still
// decoded; the status is then 1, as it is for a failed check with --check.
int RunInfoBatch(const Arguments& files, bool json, bool check) {
    const DecodeOptions options = CommandDecodeOptions();
    const bool terminal = StandardOutputIsTerminal();
    JsonWriter lines;
    lines.compact = true;
    JsonReserve(lines, 2 * kOutputPiece);
    std::string text;
    int status = 0;
    bool headed = false;
    for (std::size_t i = 0; i < files.size(); ++i) {
        const std::string& file = files[i];
        const std::string subject = file == "-" ? "standard input" : file;
        const Result<EdidRead> read = ReadEdidFile(file);
        if (!read) {
            status = Fail(subject, read.error().message);
            if (json) {
                WriteErrorJsonLine(lines, file, read.error().message);
            }
        } else {
            if (!read.value().warning.empty()) {
                Warn(subject, read.value().warning);
            }
            const EdidInfo info = DecodeEdidInfo(read.value().bytes, options);
            if (check && VerdictOf(info.diagnostics) == Verdict::Fail) {
                status = 1;
            }
            if (json) {
                WriteInfoJsonLine(lines, file, info);
            } else {
                text += headed ? "\n==> " : "==> ";
                headed = true;
                text += ShownArgument(subject);
                text += " <==\n";
                text += FormatInfoText(info, check);
            }
        }
        const std::string_view piece = json ? JsonBytes(lines) : std::string_view(text);
        if (piece.size() >= kOutputPiece || terminal || i + 1 == files.size()) {
            if (WriteStandardOutput(piece) != 0) {
                return 1;
            }
            JsonClear(lines);
            text.clear();
        }
    }
    return status;
}

} // namespace

int RunInfo(const Arguments& args) {
    CommandArguments split;
    std::optional<std::string> wrong = SplitArguments(args, {"--json", "--check"}, split);
    if (!wrong) {
        wrong = split.operands.empty() ? std::optional<std::string>("missing FILE") : std::nullopt;
    }
    if (!wrong && std::count(split.operands.begin(), split.operands.end(), "-") > 1) {
        wrong = "standard input ('-') given more than once";
    }
    if (wrong) {
        return UsageError(*wrong);
    }
    const bool json = split.Has("--json");
    const bool check = split.Has("--check");
    if (split.operands.size() > 1) {
        return RunInfoBatch(split.operands, json, check);
    }
    bool failed = false;
    const int status =
        PrintEdidFile(split.operands[0], [json, check, &failed](const EdidBytes& edid) {
            const EdidInfo info = DecodeEdidInfo(edid, CommandDecodeOptions());
            failed = check && VerdictOf(info.diagnostics) == Verdict::Fail;
            return json ? FormatInfoJson(info) : FormatInfoText(info, check);
        });
    return status == 0 && failed ? 1 : status;
}

} // namespace moniquet
