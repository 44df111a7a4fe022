// info [--json] [--check] FILE: everything the EDID in FILE says, every
// block of it; --check shows the conformity checks in the text and makes a
// failed one the exit status, so that a script can gate on it.
#include "cli/commands.h"
#include "cli/edid_argument.h"
#include "cli/info_json.h"
#include "cli/info_text.h"
#include "cli/json_option.h"
#include "cli/output.h"
#include "edid/edid_info.h"

int RunInfo(const Arguments& args) {
    bool check = false;
    Arguments rest;
    for (const std::string& arg : args) {
        if (arg == "--check" && !check) {
            check = true;
        } else {
            rest.push_back(arg);
        }
    }
    bool json = false;
    Arguments files;
    if (!SplitJsonOption(rest, json, files) || files.size() != 1) {
        return PrintUsage();
    }
    bool failed = false;
    const int status = PrintEdidFile(files[0], [json, check, &failed](const EdidBytes& edid) {
        const EdidInfo info = DecodeEdidInfo(edid);
        failed = check && VerdictOf(info.conformity) == Verdict::Fail;
        return json ? FormatInfoJson(info) : FormatInfoText(info, check);
    });
    return status == 0 && failed ? 1 : status;
}
