// The subcommands of moniquet-cli. Each takes the arguments after its own
// name and returns the process exit status.
#pragma once

#include <string>
#include <vector>

namespace moniquet {

using Arguments = std::vector<std::string>;

// report FILE / label FILE: decode a saved EDID (FILE "-" is standard input).
int RunReport(const Arguments& args);
int RunLabel(const Arguments& args);

// info [--json] [--check] FILE: everything the EDID says, as text or as
// JSON; with --check the text shows the conformity checks too, and the
// status is 1 when one of them fails.
int RunInfo(const Arguments& args);

// list [--json] / save INDEX FILE: the monitors of this machine (save
// writes to standard output when FILE is "-"). list
// --json prints a JSON array, one object per monitor in the order of list,
// each with the keys index, label, active (true or false), source (where
// the monitor was found: device instance ID or connector name),
// edid_base64 and edid_sha256 (of the whole EDID, every block as read) and
// info (the object of info --json for it); "[]" when there is none.
// list --json --facts prints {"monitors": that array, "version": "..."};
// list --prometheus the metrics of FormatMonitorsPrometheus. With --output
// FILE the list replaces FILE (ReplaceFileContent) instead of going to
// standard output.
int RunList(const Arguments& args);
int RunSave(const Arguments& args);

} // namespace moniquet
