#include "inventory/drm_connector_scan.h"

#include "edid/decode.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace fs = std::filesystem;

namespace {

// "card", a card number, "-" and a connector name: "card0-HDMI-A-1". The
// folder also holds the cards themselves ("card0"), render nodes and files.
bool IsConnectorName(std::string_view name) {
    constexpr std::string_view kPrefix = "card";
    if (!name.starts_with(kPrefix)) {
        return false;
    }
    name.remove_prefix(kPrefix.size());
    const std::size_t digits = name.find_first_not_of("0123456789");
    return digits != 0 && digits != std::string_view::npos && name[digits] == '-' &&
           digits + 1 < name.size();
}

// The connector folders, in byte order of their names.
std::vector<fs::path> ConnectorFolders(const fs::path& drmFolder) {
    std::vector<std::string> names;
    std::error_code error;
    for (fs::directory_iterator it(drmFolder, error), end; !error && it != end;
         it.increment(error)) {
        std::string name = it->path().filename().string();
        // Entries are symbolic links to the device folders: follow them. A
        // dangling one is no device, and no reason to stop the listing.
        std::error_code notFolder;
        if (IsConnectorName(name) && it->is_directory(notFolder)) {
            names.push_back(std::move(name));
        }
    }
    std::sort(names.begin(), names.end());
    std::vector<fs::path> folders;
    for (const std::string& name : names) {
        folders.push_back(drmFolder / name);
    }
    return folders;
}

bool IsConnected(const fs::path& connector) {
    std::ifstream file(connector / "status", std::ios::binary);
    std::string status;
    std::getline(file, status);
    // getline drops the trailing newline; anything after it means another text.
    return status == "connected" && file.peek() == std::ifstream::traits_type::eof();
}

// The connector's whole EDID; nothing when the file is missing or empty (no
// monitor has ever answered on that output).
std::optional<EdidBytes> ReadEdid(const fs::path& connector) {
    std::ifstream file(connector / "edid", std::ios::binary);
    // sysfs reports the size of an attribute as 0 or 4096, so read rather
    // than ask for the size.
    EdidBytes edid(std::istreambuf_iterator<char>(file), {});
    if (edid.empty()) {
        return std::nullopt;
    }
    return edid;
}

// The kernel names connectors in ASCII; any other byte becomes the code unit
// of the same value, as in the EDID's own texts.
std::u16string SourceName(std::string_view folderName) {
    std::u16string source;
    for (const char byte : folderName) {
        source.push_back(static_cast<unsigned char>(byte));
    }
    return source;
}

} // namespace

fs::path SysfsRoot() {
    const char* root = std::getenv(kSysfsRootVariable);
    return root != nullptr && *root != '\0' ? fs::path(root) : fs::path("/sys");
}

int32_t ScanDrmConnectorsAt(const fs::path& sysfsRoot, MonitorList& list, uint32_t flags) {
    list.clear();
    const bool presentOnly = flags == kScanPresent;
    int32_t count = 0;
    for (const fs::path& connector : ConnectorFolders(sysfsRoot / "class" / "drm")) {
        if (presentOnly && !IsConnected(connector)) {
            continue;
        }
        const std::optional<EdidBytes> edid = ReadEdid(connector);
        if (!edid) {
            continue;
        }
        MonitorRecord record = DecodeMonitorRecord(*edid);
        record.summary.active = presentOnly;
        record.source = SourceName(connector.filename().string());
        list.push_back(std::move(record));
        ++count;
    }
    return count;
}

int32_t ScanDrmConnectors(MonitorList& list, uint32_t flags) {
    return ScanDrmConnectorsAt(SysfsRoot(), list, flags);
}
