// list and save: the monitors of this machine, read as the dialog program
// reads them, through RefreshMonitorList.
#include "cli/base64.h"
#include "cli/command_line.h"
#include "cli/commands.h"
#include "cli/decode_options.h"
#include "cli/info_describe.h"
#include "cli/info_json.h"
#include "cli/list_options.h"
#include "cli/list_prometheus.h"
#include "cli/output.h"
#include "cli/platform_file.h"
#include "cli/sha256.h"
#include "cli/utf8.h"
#include "files/replace_file.h"
#include "inventory/monitor_list.h"
#include "moniquet/edid_info.h"
#include "moniquet/report.h"

#include <cctype>
#include <charconv>
#include <cstdio>
#include <optional>
#include <string_view>

#ifdef _WIN32
#include "inventory/scan_monitors.h"
#else
#include "inventory/drm_connector_scan.h"
#endif

namespace moniquet {

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

// One line per monitor: index, label, active or not, and where it was found,
// tab-separated; the source last, as the one column that may hold spaces.
std::string ListLines() {
    std::string lines;
    for (std::size_t i = 0; i < g_monitors.size(); ++i) {
        const MonitorRecord& record = g_monitors[i];
        lines += std::to_string(i) + "\t" + ToUtf8(FormatMonitorLabel(record.summary.vendor)) +
                 "\t" + (record.summary.active ? "active" : "not active") + "\t" +
                 ToUtf8(record.source) + "\n";
    }
    return lines;
}

// "INDEX-LABEL.bin" in `folder`. A label's letters run from '@' to '_', and
// a backslash among them would part the name on Windows: anything but a
// letter, digit or one of "@[]^_" becomes '_'.
std::string PathInFolder(const std::string& folder, std::size_t index, const EdidSummary& summary) {
    std::string label = ToUtf8(FormatMonitorLabel(summary.vendor));
    for (char& c : label) {
        if (!std::isalnum(static_cast<unsigned char>(c)) &&
            std::string_view("@[]^_").find(c) == std::string_view::npos) {
            c = '_';
        }
    }
#ifdef _WIN32
    constexpr std::string_view kSeparators = "\\/:";
    constexpr char kSeparator = '\\';
#else
    constexpr std::string_view kSeparators = "/";
    constexpr char kSeparator = '/';
#endif
    std::string path = folder;
    if (path.empty() || kSeparators.find(path.back()) == std::string_view::npos) {
        path += kSeparator;
    }
    return path + std::to_string(index) + "-" + label + ".bin";
}

// save --all DIR: every monitor, each path printed once written. A monitor
// that cannot be saved is told of and the others are still saved.
int SaveAll(const std::string& folder) {
    if (!IsFolder(folder)) {
        return Fail(folder, "not a folder");
    }
    RefreshFromThisMachine();
    int status = 0;
    for (std::size_t i = 0; i < g_monitors.size(); ++i) {
        const std::string path = PathInFolder(folder, i, g_monitors[i].summary);
        if (const std::optional<std::string> reason =
                ReplaceFileContent(NativePathFromUtf8(path), g_monitors[i].edid)) {
            status = Fail(path, "cannot write: " + *reason);
        } else if (WriteStandardOutput(path + "\n") != 0) {
            return 1;
        }
    }
    return status;
}

// The same monitors as ListLines, with where each was found and its whole
// EDID: as bytes, as a digest to compare without them, and decoded.
void WriteListJson(JsonWriter& w) {
    JsonBeginArray(w, JsonLayout::Lines);
    for (std::size_t i = 0; i < g_monitors.size(); ++i) {
        const MonitorRecord& record = g_monitors[i];
        JsonBeginObject(w, JsonLayout::Lines);
        JsonKey(w, "schema_version");
        JsonUnsigned(w, kJsonSchemaVersion);
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
        WriteInfoJson(w, DecodeEdidInfo(record.edid, CommandDecodeOptions()));
        JsonEnd(w);
    }
    JsonEnd(w);
}

std::string ListJson() {
    JsonWriter w;
    WriteListJson(w);
    return std::move(JsonText(w)) + "\n";
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
    return std::move(JsonText(w)) + "\n";
}

// What ParseListOptions refused, in a few words.
std::string ListUsageProblem(const Arguments& args) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--output") {
            ++i;
        } else if (arg != "--json" && arg != "--facts" && arg != "--prometheus") {
            return (arg.size() > 1 && arg[0] == '-' ? "unknown option " : "unexpected argument ") +
                   QuotedArgument(arg);
        }
    }
    return "options of list that do not go together (see 'moniquet-cli list --help')";
}

} // namespace

int RunList(const Arguments& args) {
    const std::optional<ListOptions> options = ParseListOptions(args);
    if (!options) {
        return UsageError(ListUsageProblem(args));
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
    CommandArguments split;
    std::optional<std::string> wrong = SplitArguments(args, {"--all"}, split);
    const bool all = split.Has("--all");
    if (!wrong) {
        wrong = all ? CheckOperands(split.operands, {"DIR"})
                    : CheckOperands(split.operands, {"INDEX", "FILE"});
    }
    if (wrong) {
        return UsageError(*wrong);
    }
    if (all) {
        return SaveAll(split.operands[0]);
    }
    const std::string& indexText = split.operands[0];
    const std::string& path = split.operands[1];
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

} // namespace moniquet
