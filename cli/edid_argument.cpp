#include "cli/edid_argument.h"

#include "cli/edid_file.h"
#include "cli/output.h"

namespace moniquet {

int PrintEdidFile(const std::string& path,
                  const std::function<std::string(const EdidBytes&)>& format) {
    const std::string subject = path == "-" ? "standard input" : path;
    const Result<EdidRead> read = ReadEdidFile(path);
    if (!read) {
        return Fail(subject, read.error().message);
    }
    if (!read.value().warning.empty()) {
        Warn(subject, read.value().warning);
    }
    return WriteStandardOutput(format(read.value().bytes));
}

} // namespace moniquet
