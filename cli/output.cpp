#include "cli/output.h"

#include <cstdio>

int PrintUsage() {
    std::fprintf(stderr,
                 "usage: %s report FILE    print the report of the EDID in FILE (- for stdin)\n"
                 "       %s label FILE     print its label\n"
                 "       %s list           list the monitors of this machine\n"
                 "       %s save INDEX FILE  write monitor INDEX's 256-byte EDID block to FILE\n",
                 kProgramName, kProgramName, kProgramName, kProgramName);
    return kUsageError;
}

int Fail(const std::string& subject, const std::string& reason) {
    std::fprintf(stderr, "%s: %s: %s\n", kProgramName, subject.c_str(), reason.c_str());
    return 1;
}

int WriteStandardOutput(std::string_view bytes) {
    const std::size_t written = std::fwrite(bytes.data(), 1, bytes.size(), stdout);
    if (std::fflush(stdout) != 0 || written != bytes.size() || std::ferror(stdout)) {
        return Fail("standard output", "write failed");
    }
    return 0;
}
