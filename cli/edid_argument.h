// The FILE argument of report, label and info: an EDID to read and print.
#pragma once

#include "moniquet/edid_bytes.h"

#include <functional>
#include <string>

namespace moniquet {

// Reads the EDID in `path` ("-" for standard input) with ReadEdidFile and
// writes what `format` makes of it. Everything is built before the first
// byte is written, so an error (named after the file) never leaves partial
// output. A warning of the reading (cli/edid_file.h) goes to standard error,
// named after the file, and the EDID is still printed. Returns the exit
// status.
int PrintEdidFile(const std::string& path,
                  const std::function<std::string(const EdidBytes&)>& format);

} // namespace moniquet
