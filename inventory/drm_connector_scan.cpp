#include "inventory/drm_connector_scan.h"

#include "inventory/drm_connector_text.h"
#include "inventory/regular_file.h"
#include "moniquet/decode.h"

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <string_view>
#include <system_error>

namespace moniquet {

namespace fs = std::filesystem;

namespace {

// Where the scan's notes go, if anywhere.
struct Notes {
    ScanNotes* notes = nullptr;

    void Add(const fs::path& path, const std::string& reason) const {
        ScanNote note{path, reason};
        if (notes != nullptr && std::find(notes->begin(), notes->end(), note) == notes->end()) {
            notes->push_back(std::move(note));
        }
    }
};

std::string CannotRead(const std::error_code& error) {
    return "cannot read: " + error.message();
}

// Notes why a file was not read, unless it was simply missing.
void NoteUnread(const Notes& notes, const fs::path& path, const FileStart& file) {
    if (file.outcome == FileRead::NotRegular) {
        notes.Add(path, "not read: not a regular file");
    } else if (file.outcome == FileRead::Failed) {
        notes.Add(path, "not read: " + file.error.message());
    }
}

// The connector folders, in byte order of their names.
std::vector<fs::path> ConnectorFolders(const fs::path& drmFolder, const Notes& notes) {
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
    if (error) {
        notes.Add(drmFolder, CannotRead(error));
    }
    std::sort(names.begin(), names.end());
    std::vector<fs::path> folders;
    for (const std::string& name : names) {
        folders.push_back(drmFolder / name);
    }
    return folders;
}

bool IsConnected(const fs::path& connector, const Notes& notes) {
    const fs::path path = connector / "status";
    const FileStart status = ReadRegularFile(path, kStatusReadLimit);
    NoteUnread(notes, path, status);
    return status.outcome == FileRead::Read &&
           IsConnectedStatus(std::string_view(reinterpret_cast<const char*>(status.bytes.data()),
                                              status.bytes.size()));
}

// The connector's whole EDID; nothing when there is none (a missing or empty
// file: no monitor has ever answered on that output) or when the file holds
// no EDID.
std::optional<EdidBytes> ReadEdid(const fs::path& connector, const Notes& notes) {
    const fs::path path = connector / "edid";
    // sysfs reports the size of an attribute as 0 or 4096, so read rather
    // than ask for the size.
    FileStart file = ReadRegularFile(path, kMaximumEdidSize);
    NoteUnread(notes, path, file);
    if (file.outcome != FileRead::Read) {
        return std::nullopt;
    }
    if (file.overLimit) {
        notes.Add(path,
                  "skipped: more than " + std::to_string(kMaximumEdidSize) + " bytes, not an EDID");
        return std::nullopt;
    }
    if (file.bytes.empty()) {
        return std::nullopt;
    }
    if (file.bytes.size() < kMinimumEdidSize) {
        const std::size_t size = file.bytes.size();
        notes.Add(path, "skipped: " + std::to_string(size) + (size == 1 ? " byte" : " bytes") +
                            ", not an EDID");
        return std::nullopt;
    }
    return std::move(file.bytes);
}

} // namespace

fs::path SysfsRoot() {
    const char* root = std::getenv(kSysfsRootVariable);
    return root != nullptr && *root != '\0' ? fs::path(root) : fs::path("/sys");
}

int32_t ScanDrmConnectorsAt(const fs::path& sysfsRoot, MonitorList& list, uint32_t flags,
                            ScanNotes* notes) {
    list.clear();
    const Notes to{notes};
    const bool presentOnly = flags == kScanPresent;
    int32_t count = 0;
    for (const fs::path& connector : ConnectorFolders(sysfsRoot / "class" / "drm", to)) {
        if (presentOnly && !IsConnected(connector, to)) {
            continue;
        }
        const std::optional<EdidBytes> edid = ReadEdid(connector, to);
        if (!edid) {
            continue;
        }
        MonitorRecord record = DecodeMonitorRecord(*edid);
        record.summary.active = presentOnly;
        record.source = ConnectorSourceName(connector.filename().string());
        list.push_back(std::move(record));
        ++count;
    }
    return count;
}

int32_t ScanDrmConnectors(MonitorList& list, uint32_t flags) {
    return ScanDrmConnectorsAt(SysfsRoot(), list, flags);
}

} // namespace moniquet
