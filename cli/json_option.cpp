#include "cli/json_option.h"

bool SplitJsonOption(const Arguments& args, bool& json, Arguments& operands) {
    json = false;
    operands.clear();
    for (const std::string& arg : args) {
        if (arg == "--json" && !json) {
            json = true;
        } else if (arg.size() > 1 && arg[0] == '-') {
            // A misspelt option is not taken for a file name.
            return false;
        } else {
            operands.push_back(arg);
        }
    }
    return true;
}
