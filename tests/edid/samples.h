// The real EDIDs of tests/data/edid (NAME.bin) and the reports worked out by
// hand beside them (NAME.report), for the decoder's and the command's tests.
#pragma once

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

inline std::string ReadWhole(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// `name` with `extension` (".bin", ".report") in the sample folder.
inline std::filesystem::path SamplePath(const std::string& name, const char* extension) {
    return std::filesystem::path(MONIQUET_TEST_DATA) / "edid" / (name + extension);
}

// Every sample in the folder, sorted, so that one added without its report
// fails.
inline std::vector<std::string> SampleNames() {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(SamplePath("", ""))) {
        if (entry.path().extension() == ".bin") {
            names.push_back(entry.path().stem().string());
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}
