// Prints every string-table entry around the program's ids, in French then in
// English, as the compiled resources give them, so that the harness can
// compare them with the expected texts. Output is UTF-8 with "\n" line ends;
// a U+0000 code unit is shown as the two characters \0.
#include <cstdio>
#include <fcntl.h>
#include <io.h>
#include <string>

#include "strings/localized_strings.h"

using namespace moniquet;

namespace {

std::string Printable(const std::u16string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] < 0xE000) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
        }
        if (c == 0) {
            out += "\\0";
        } else if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

} // namespace

int main() {
    _setmode(_fileno(stdout), _O_BINARY);
    std::printf("start\t%u\n", static_cast<unsigned>(g_languageId));
    for (uint16_t language : {uint16_t{1036}, uint16_t{1033}}) {
        g_languageId = language;
        for (unsigned id = 96; id <= 117; ++id) {
            std::printf("%u\t%u\t%s\n", static_cast<unsigned>(language), id,
                        Printable(LoadLocalizedString(id)).c_str());
        }
        std::printf("%u\tfilter\t%s\n", static_cast<unsigned>(language),
                    Printable(BuildFileFilter()).c_str());
    }
    return 0;
}
