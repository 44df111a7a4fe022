// The real EDIDs of tests/data/edid (NAME.bin) and the reports worked out by
// hand beside them (NAME.report), for the decoder's and the command's tests.
#pragma once

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace moniquet {

inline std::string ReadWhole(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// `name` with `extension` (".bin", ".report") in the sample folder.
inline std::filesystem::path SamplePath(const std::string& name, const char* extension) {
    return std::filesystem::path(MONIQUET_TEST_DATA) / "edid" / (name + extension);
}

// The names of the files of the sample folder that end with `suffix`
// (".bin", ".info.json"), the suffix cut off, sorted.
inline std::vector<std::string> NamesWith(const std::string& suffix) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(SamplePath("", ""))) {
        const std::string file = entry.path().filename().string();
        if (file.ends_with(suffix)) {
            names.push_back(file.substr(0, file.size() - suffix.size()));
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

// Every sample in the folder, sorted, so that one added without its report
// fails.
inline std::vector<std::string> SampleNames() {
    return NamesWith(".bin");
}

// The file an EDID of the folder is read from: NAME.bin, a real one, or
// NAME.hex, a synthetic one kept as hex text.
inline std::filesystem::path SampleInput(const std::string& name) {
    const std::filesystem::path binary = SamplePath(name, ".bin");
    return std::filesystem::exists(binary) ? binary : SamplePath(name, ".hex");
}

} // namespace moniquet
