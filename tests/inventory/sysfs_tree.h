// A throw-away sysfs tree holding DRM connectors, for the Linux source.
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <stdlib.h>

namespace moniquet {

struct SysfsTree {
    SysfsTree() {
        std::string pattern = ::testing::TempDir() + "moniquet-sysfs-XXXXXX";
        if (mkdtemp(pattern.data()) == nullptr) {
            throw std::runtime_error("mkdtemp failed");
        }
        root = pattern;
    }
    ~SysfsTree() {
        std::error_code ignored;
        std::filesystem::remove_all(root, ignored);
    }
    SysfsTree(const SysfsTree&) = delete;
    SysfsTree& operator=(const SysfsTree&) = delete;

    std::filesystem::path Drm() const { return root / "class" / "drm"; }

    // A connector folder with the files given; a missing one is not created.
    std::filesystem::path AddConnector(const std::string& name,
                                       const std::optional<std::string>& status,
                                       const std::optional<std::vector<uint8_t>>& edid) {
        const std::filesystem::path folder = Drm() / name;
        std::filesystem::create_directories(folder);
        if (status) {
            WriteFile(folder / "status", *status);
        }
        if (edid) {
            WriteFile(folder / "edid", std::string(edid->begin(), edid->end()));
        }
        return folder;
    }

    static void WriteFile(const std::filesystem::path& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary) << bytes;
    }

    std::filesystem::path root;
};

} // namespace moniquet
