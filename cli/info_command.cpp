// info [--json] [--check] FILE: everything the EDID in FILE says, every
// block of it; --check shows the conformity checks in the text and makes a
// failed one the exit status, so that a script can gate on it.
#include "cli/command_line.h"
#include "cli/commands.h"
#include "cli/decode_options.h"
#include "cli/edid_argument.h"
#include "cli/info_json.h"
#include "cli/info_text.h"
#include "cli/output.h"
#include "edid/edid_info.h"

int RunInfo(const Arguments& args) {
    CommandArguments split;
    std::optional<std::string> wrong = SplitArguments(args, {"--json", "--check"}, split);
    if (!wrong) {
        wrong = CheckOperands(split.operands, {"FILE"});
    }
    if (wrong) {
        return UsageError(*wrong);
    }
    const bool json = split.Has("--json");
    const bool check = split.Has("--check");
    bool failed = false;
    const int status =
        PrintEdidFile(split.operands[0], [json, check, &failed](const EdidBytes& edid) {
            const EdidInfo info = DecodeEdidInfo(edid, CommandDecodeOptions());
            failed = check && VerdictOf(info.diagnostics) == Verdict::Fail;
            return json ? FormatInfoJson(info) : FormatInfoText(info, check);
        });
    return status == 0 && failed ? 1 : status;
}
