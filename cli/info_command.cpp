// info [--json] FILE: everything the EDID in FILE says, every block of it.
#include "cli/commands.h"
#include "cli/edid_argument.h"
#include "cli/info_json.h"
#include "cli/info_text.h"
#include "cli/json_option.h"
#include "cli/output.h"
#include "edid/edid_info.h"

int RunInfo(const Arguments& args) {
    bool json = false;
    Arguments files;
    if (!SplitJsonOption(args, json, files) || files.size() != 1) {
        return PrintUsage();
    }
    return PrintEdidFile(files[0], [json](const EdidBytes& edid) {
        const EdidInfo info = DecodeEdidInfo(edid);
        return json ? FormatInfoJson(info) : FormatInfoText(info);
    });
}
