// What the fuzz targets check of every output, shared by them.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace moniquet {

namespace fuzz_checks {

inline void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

// No control character but the line feed reaches the terminal, C1 controls
// (U+0080 to U+009F, C2 80 to C2 9F in UTF-8) included.
inline bool OnlyPrintable(std::string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<uint8_t>(text[i]);
        const bool c1 =
            c == 0xC2 && i + 1 < text.size() && static_cast<uint8_t>(text[i + 1]) < 0xA0;
        if ((c < 0x20 && c != '\n') || c == 0x7F || c1) {
            return false;
        }
    }
    return true;
}

// Brackets balanced outside strings, every string closed, and one line per
// top-level key, each opening with two spaces and a quote, as many as
// `expectedTopKeys`.
inline bool WellFormedJson(std::string_view json, int expectedTopKeys) {
    int depth = 0;
    bool inString = false;
    int topKeys = 0;
    for (std::size_t i = 0; i < json.size(); ++i) {
        const char c = json[i];
        if (inString) {
            i += c == '\\' ? 1 : 0;
            inString = c != '"';
        } else if (c == '"') {
            inString = true;
            topKeys += depth == 1 && i >= 3 && json.substr(i - 3, 3) == "\n  " ? 1 : 0;
        } else if (c == '{' || c == '[') {
            ++depth;
        } else if (c == '}' || c == ']') {
            if (--depth < 0) {
                return false;
            }
        }
    }
    return depth == 0 && !inString && topKeys == expectedTopKeys;
}

} // namespace fuzz_checks

} // namespace moniquet
