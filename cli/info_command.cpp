// info [--json] FILE: everything the EDID in FILE says, every block of it.
#include "cli/command_line.h"
#include "cli/commands.h"
#include "cli/edid_argument.h"
#include "cli/info_json.h"
#include "cli/info_text.h"
#include "cli/output.h"
#include "edid/edid_info.h"

int RunInfo(const Arguments& args) {
    CommandArguments split;
    std::optional<std::string> wrong = SplitArguments(args, {"--json"}, split);
    if (!wrong) {
        wrong = CheckOperands(split.operands, {"FILE"});
    }
    if (wrong) {
        return UsageError(*wrong);
    }
    const bool json = split.Has("--json");
    return PrintEdidFile(split.operands[0], [json](const EdidBytes& edid) {
        const EdidInfo info = DecodeEdidInfo(edid);
        return json ? FormatInfoJson(info) : FormatInfoText(info);
    });
}
