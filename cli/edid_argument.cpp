#include "cli/edid_argument.h"

#include "cli/edid_file.h"
#include "cli/output.h"

int PrintEdidFile(const std::string& path,
                  const std::function<std::string(const EdidBytes&)>& format) {
    EdidBytes edid;
    std::string error;
    if (!ReadEdidFile(path, edid, error)) {
        return Fail(path == "-" ? "standard input" : path, error);
    }
    return WriteStandardOutput(format(edid));
}
