// list and save: the monitors of this machine, read as the dialog program
// reads them, through RefreshMonitorList.
#include "cli/base64.h"
#include "cli/commands.h"
#include "cli/info_json.h"
#include "cli/list_options.h"
#include "cli/list_prometheus.h"
#include "cli/output.h"
#include "cli/platform_file.h"
#include "cli/sha256.h"
#include "cli/utf8.h"
#include "edid/edid_info.h"
#include "edid/report.h"
#include "files/replace_file.h"
#include "inventory/monitor_list.h"

#include <charconv>
#include <cstdio>
#include <optional>

#ifdef _WIN32
#include "inventory/scan_monitors.h"
#else
#include "inventory/drm_connector_scan.h"
#endif

namespace {

// Each refreshes g_monitors and returns the number of things the scan
// passed over and told of, when it can tell.
#ifdef _WIN32

// The registry scan passes over what it cannot read without a word.
std::optional<std::size_t> RefreshFromThisMachine() {
    RefreshMonitorList(ScanMonitors);
    return std::nullopt;
}

#else

// Both passes of the refresh add to one list of notes, so that a connector
// seen by both is told of once.
std::optional<std::size_t> RefreshFromThisMachine() {
    ScanNotes notes;
    RefreshMonitorList([&notes](MonitorList& list, uint32_t flags) {
        return ScanDrmConnectorsAt(SysfsRoot(), list, flags, &notes);
    });
    for (const ScanNote& note : notes) {
        Warn(note.path.string(), note.reason);
    }
    return notes.size();
}

#endif

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

// One line per monitor: index, label, active or not, tab-separated.
std::string ListLines() {
    std::string lines;
    for (std::size_t i = 0; i < g_monitors.size(); ++i) {
        const EdidSummary& summary = g_monitors[i].summary;
        lines += std::to_string(i) + "\t" + ToUtf8(FormatMonitorLabel(summary.vendor)) + "\t" +
                 (summary.active ? "active" : "not active") + "\n";
    }
    return lines;
}

// The same monitors as ListLines, with where each was found and its whole
// EDID: as bytes, as a digest to compare without them, and decoded.
void WriteListJson(JsonWriter& w) {
    JsonBeginArray(w, JsonLayout::Lines);
    for (std::size_t i = 0; i < g_monitors.size(); ++i) {
        const MonitorRecord& record = g_monitors[i];
        JsonBeginObject(w, JsonLayout::Lines);
        JsonKey(w, "index");
        JsonUnsigned(w, i);
        JsonKey(w, "label");
        JsonString(w, FormatMonitorLabel(record.summary.vendor));
        JsonKey(w, "active");
        JsonBool(w, record.summary.active);
        JsonKey(w, "source");
        JsonString(w, record.source);
        JsonKey(w, "edid_base64");
        JsonAsciiString(w, Base64(record.edid));
        JsonKey(w, "edid_sha256");
        JsonAsciiString(w, Sha256Hex(record.edid));
        JsonKey(w, "info");
        WriteInfoJson(w, DecodeEdidInfo(record.edid));
        JsonEnd(w);
    }
    JsonEnd(w);
}

std::string ListJson() {
    JsonWriter w;
    WriteListJson(w);
    return std::move(w.out) + "\n";
}

// The same array inside an object, which is what Ansible takes from a
// custom fact, with the version that made it.
std::string ListFacts() {
    JsonWriter w;
    JsonBeginObject(w, JsonLayout::Lines);
    JsonKey(w, "monitors");
    WriteListJson(w);
    JsonKey(w, "version");
    JsonAsciiString(w, MONIQUET_VERSION);
    JsonEnd(w);
    return std::move(w.out) + "\n";
}

} // namespace

int RunList(const Arguments& args) {
    const std::optional<ListOptions> options = ParseListOptions(args);
    if (!options) {
        return PrintUsage();
    }
    const std::optional<std::size_t> scanErrors = RefreshFromThisMachine();
    std::string text;
    switch (options->format) {
    case ListFormat::Text:
        text = ListLines();
        break;
    case ListFormat::Json:
        text = ListJson();
        break;
    case ListFormat::Facts:
        text = ListFacts();
        break;
    case ListFormat::Prometheus:
        text = FormatMonitorsPrometheus(g_monitors, scanErrors);
        break;
    }
    if (!options->output) {
        return WriteStandardOutput(text);
    }
    // Replaced whole, never rewritten in place: a collector reading the file
    // at that moment sees the old list or the new one.
    const std::span<const uint8_t> bytes(reinterpret_cast<const uint8_t*>(text.data()),
                                         text.size());
    if (const std::optional<std::string> reason =
            ReplaceFileContent(NativePathFromUtf8(*options->output), bytes)) {
        return Fail(*options->output, "cannot write: " + *reason);
    }
    return 0;
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
    RefreshFromThisMachine();
    if (*index >= g_monitors.size()) {
        const std::size_t count = g_monitors.size();
        return Fail("index " + indexText,
                    "out of range (" +
                        (count == 0
                             ? std::string("no monitor")
                             : std::to_string(count) + (count == 1 ? " monitor" : " monitors")) +
                        " listed)");
    }
    const EdidBytes& edid = g_monitors[*index].edid;
    // "-" is standard output, as it is standard input for reading.
    if (path == "-") {
        return WriteStandardOutput(
            std::string_view(reinterpret_cast<const char*>(edid.data()), edid.size()));
    }
    if (const std::optional<std::string> reason =
            ReplaceFileContent(NativePathFromUtf8(path), edid)) {
        return Fail(path, "cannot write: " + *reason);
    }
    return 0;
}
