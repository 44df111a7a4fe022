// The subcommands of moniquet-cli. Each takes the arguments after its own
// name and returns the process exit status.
#pragma once

#include <string>
#include <vector>

using Arguments = std::vector<std::string>;

// report FILE / label FILE: decode a saved EDID (FILE "-" is standard input).
int RunReport(const Arguments& args);
int RunLabel(const Arguments& args);

// info [--json] FILE: everything the EDID says, as text or as JSON.
int RunInfo(const Arguments& args);

// list [--json] / save INDEX FILE: the monitors of this machine.
int RunList(const Arguments& args);
int RunSave(const Arguments& args);
