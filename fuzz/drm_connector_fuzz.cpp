// Any connector names, status texts and edid files, of any bytes and sizes,
// through the DRM connector scan: a tree made from the input is scanned in
// both passes, and every record must be one that the tree holds.
//
// Input: one byte for the drm folder (bit 0: a file in its place, bit 1:
// missing), then up to 8 connectors, each
//   kinds      1 byte: bits 0-1 the status, bits 2-3 the edid (0 a regular
//              file, 1 missing, 2 a FIFO, 3 a folder); bit 4: the connector
//              folder is a link to a folder elsewhere
//   name       1 byte length, then the bytes
//   status     1 byte length, then the bytes
//   edid       2 bytes length (little-endian), 2 bytes pattern length, the
//              pattern, repeated (or zeros) to the length
// The parsing rules themselves are also fed the whole input. Seeds:
// fuzz/seeds/drm_connector_fuzz, written by fuzz/make_drm_connector_seeds.py.
#include "inventory/drm_connector_scan.h"
#include "inventory/drm_connector_text.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

using namespace moniquet;

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kMaxConnectors = 8;

enum class Kind { Regular, Missing, Fifo, Folder };

struct Connector {
    std::string name;
    Kind statusKind = Kind::Regular;
    Kind edidKind = Kind::Regular;
    bool linked = false;
    std::string status;
    std::string edid;
};

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

struct Reader {
    const uint8_t* data;
    std::size_t size;

    std::optional<std::size_t> Number(std::size_t bytes) {
        if (size < bytes) {
            return std::nullopt;
        }
        std::size_t value = 0;
        for (std::size_t i = 0; i < bytes; ++i) {
            value |= std::size_t{data[i]} << (8 * i);
        }
        data += bytes;
        size -= bytes;
        return value;
    }

    std::optional<std::string> Bytes(std::size_t count) {
        if (size < count) {
            return std::nullopt;
        }
        std::string bytes(reinterpret_cast<const char*>(data), count);
        data += count;
        size -= count;
        return bytes;
    }
};

std::optional<Connector> ReadConnector(Reader& in) {
    Connector c;
    const auto kinds = in.Number(1);
    const auto nameLength = in.Number(1);
    if (!kinds || !nameLength) {
        return std::nullopt;
    }
    c.statusKind = static_cast<Kind>(*kinds & 3);
    c.edidKind = static_cast<Kind>((*kinds >> 2) & 3);
    c.linked = (*kinds & 0x10) != 0;
    const auto name = in.Bytes(*nameLength);
    const auto statusLength = name ? in.Number(1) : std::nullopt;
    const auto status = statusLength ? in.Bytes(*statusLength) : std::nullopt;
    const auto edidLength = status ? in.Number(2) : std::nullopt;
    const auto patternLength = edidLength ? in.Number(2) : std::nullopt;
    const auto pattern = patternLength ? in.Bytes(*patternLength) : std::nullopt;
    if (!pattern) {
        return std::nullopt;
    }
    c.name = *name;
    c.status = *status;
    c.edid.resize(*edidLength);
    for (std::size_t i = 0; !pattern->empty() && i < c.edid.size(); ++i) {
        c.edid[i] = (*pattern)[i % pattern->size()];
    }
    return c;
}

// A name that can be a folder of its own.
bool IsFileName(const std::string& name) {
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos &&
           name.find('\0') == std::string::npos;
}

void Write(const fs::path& path, Kind kind, const std::string& bytes) {
    switch (kind) {
    case Kind::Regular:
        std::ofstream(path, std::ios::binary) << bytes;
        break;
    case Kind::Missing:
        break;
    case Kind::Fifo:
        mkfifo(path.c_str(), 0600);
        break;
    case Kind::Folder:
        fs::create_directory(path);
        break;
    }
}

// A new folder for one input's tree, removed once the input is done with.
struct TreeFolder {
    TreeFolder() {
        const fs::path shm = "/dev/shm";
        std::string pattern =
            ((fs::is_directory(shm) ? shm : fs::temp_directory_path()) / "drm-fuzz-XXXXXX")
                .string();
        Check(mkdtemp(pattern.data()) != nullptr);
        root = pattern;
    }
    ~TreeFolder() { fs::remove_all(root); }
    TreeFolder(const TreeFolder&) = delete;
    TreeFolder& operator=(const TreeFolder&) = delete;

    fs::path root;
};

// The connectors that the scan may list, by name: valid names, each once.
std::map<std::string, Connector> BuildTree(const fs::path& root, const uint8_t* data,
                                           std::size_t size) {
    fs::create_directories(root / "class");
    fs::create_directories(root / "devices");
    const fs::path drm = root / "class" / "drm";

    Reader in{data, size};
    const std::size_t folder = in.Number(1).value_or(0);
    if ((folder & 1) != 0) {
        std::ofstream(drm) << "not a folder";
    } else if ((folder & 2) == 0) {
        fs::create_directories(drm);
    }
    std::map<std::string, Connector> connectors;
    for (std::size_t n = 0; n < kMaxConnectors; ++n) {
        std::optional<Connector> c = ReadConnector(in);
        if (!c) {
            break;
        }
        if (!IsFileName(c->name) || connectors.contains(c->name) || !fs::is_directory(drm)) {
            continue;
        }
        const fs::path folder = (c->linked ? root / "devices" : drm) / c->name;
        fs::create_directories(folder);
        if (c->linked) {
            fs::create_directory_symlink(folder, drm / c->name);
        }
        Write(folder / "status", c->statusKind, c->status);
        Write(folder / "edid", c->edidKind, c->edid);
        connectors.emplace(c->name, std::move(*c));
    }
    return connectors;
}

// What the scan must find in a connector for its record.
bool Lists(const Connector& c, bool presentOnly) {
    return IsConnectorName(c.name) && c.edidKind == Kind::Regular &&
           c.edid.size() >= kMinimumEdidSize && c.edid.size() <= kMaximumEdidSize &&
           (!presentOnly || (c.statusKind == Kind::Regular && IsConnectedStatus(c.status)));
}

void CheckScan(const fs::path& root, const std::map<std::string, Connector>& connectors,
               uint32_t flags) {
    const bool presentOnly = flags == kScanPresent;
    MonitorList list;
    ScanNotes notes;
    const int32_t count = ScanDrmConnectorsAt(root, list, flags, &notes);
    Check(count >= 0 && static_cast<std::size_t>(count) == list.size());

    std::size_t expected = 0;
    for (const auto& [name, c] : connectors) {
        expected += Lists(c, presentOnly) ? 1 : 0;
    }
    Check(list.size() == expected);
    // The listed connectors in byte order of their names, as the scan must
    // list them, each named as the scan names a folder.
    auto listed = connectors.begin();
    for (const MonitorRecord& record : list) {
        while (listed != connectors.end() && !Lists(listed->second, presentOnly)) {
            ++listed;
        }
        Check(listed != connectors.end());
        const auto found = listed++;
        Check(record.source == ConnectorSourceName(found->first));
        Check(std::string(record.edid.begin(), record.edid.end()) == found->second.edid);
        Check(record.rawBlock == BlockFromEdid(record.edid));
        Check(record.summary.active == presentOnly);
    }
    for (std::size_t i = 0; i < notes.size(); ++i) {
        Check(!notes[i].reason.empty());
        Check(std::find(notes.begin() + i + 1, notes.end(), notes[i]) == notes.end());
    }
}

// The parsing rules, on any text.
void CheckTexts(std::string_view text) {
    if (IsConnectorName(text)) {
        Check(text.starts_with("card") && IsConnectorName(std::string(text) + "x"));
    }
    if (IsConnectedStatus(text)) {
        Check(text.starts_with("connected") && text.size() <= kStatusReadLimit);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    CheckTexts(std::string_view(reinterpret_cast<const char*>(data), size));
    const TreeFolder tree;
    const std::map<std::string, Connector> connectors = BuildTree(tree.root, data, size);
    CheckScan(tree.root, connectors, kScanPresent);
    CheckScan(tree.root, connectors, kScanAllClasses);
    return 0;
}
