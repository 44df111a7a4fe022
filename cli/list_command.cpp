// list and save: the monitors of this machine, read as the dialog program
// reads them, through RefreshMonitorList.
#include "cli/commands.h"
#include "cli/output.h"
#include "cli/utf8.h"
#include "edid/report.h"
#include "files/replace_file.h"
#include "inventory/monitor_list.h"

#include <charconv>
#include <optional>

#ifdef _WIN32
#include "inventory/scan_monitors.h"
#else
#include "inventory/drm_connector_scan.h"
#endif

namespace {

int32_t ScanThisMachine(MonitorList& list, uint32_t flags) {
#ifdef _WIN32
    return ScanMonitors(list, flags);
#else
    return ScanDrmConnectors(list, flags);
#endif
}

// Decimal digits only: no sign, no spaces.
std::optional<std::size_t> ParseIndex(const std::string& text) {
    std::size_t index = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, index);
    if (text.empty() || stop != end || error == std::errc::invalid_argument) {
        return std::nullopt;
    }
    // Too many digits for any index: out of range like any other too large one.
    return error == std::errc{} ? index : SIZE_MAX;
}

} // namespace

int RunList(const Arguments& args) {
    if (!args.empty()) {
        return PrintUsage();
    }
    RefreshMonitorList(ScanThisMachine);
    std::string lines;
    for (std::size_t i = 0; i < g_monitors.size(); ++i) {
        const EdidSummary& summary = g_monitors[i].summary;
        lines += std::to_string(i) + "\t" + ToUtf8(FormatMonitorLabel(summary.vendor)) + "\t" +
                 (summary.active ? "active" : "not active") + "\n";
    }
    return WriteStandardOutput(lines);
}

int RunSave(const Arguments& args) {
    if (args.size() != 2) {
        return PrintUsage();
    }
    const std::string& indexText = args[0];
    const std::string& path = args[1];
    const std::optional<std::size_t> index = ParseIndex(indexText);
    if (!index) {
        return Fail("index " + indexText, "not a number");
    }
    RefreshMonitorList(ScanThisMachine);
    if (*index >= g_monitors.size()) {
        const std::size_t count = g_monitors.size();
        return Fail("index " + indexText,
                    "out of range (" +
                        (count == 0
                             ? std::string("no monitor")
                             : std::to_string(count) + (count == 1 ? " monitor" : " monitors")) +
                        " listed)");
    }
    // The argument is UTF-8 on every platform; as a u8string it stays so.
    if (const std::optional<std::string> reason = ReplaceFileContent(
            std::u8string(path.begin(), path.end()), g_monitors[*index].rawBlock)) {
        return Fail(path, "cannot write: " + *reason);
    }
    return 0;
}
