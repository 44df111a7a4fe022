#include "cli/edid_argument.h"

#include "cli/edid_file.h"
#include "cli/output.h"

namespace moniquet {

int PrintEdidFile(const std::string& path,
                  const std::function<std::string(const EdidBytes&)>& format) {
    EdidBytes edid;
    std::string error;
    std::string warning;
    const std::string subject = path == "-" ? "standard input" : path;
    if (!ReadEdidFile(path, edid, error, &warning)) {
        return Fail(subject, error);
    }
    if (!warning.empty()) {
        Warn(subject, warning);
    }
    return WriteStandardOutput(format(edid));
}

} // namespace moniquet
