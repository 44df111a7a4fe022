#include "cli/terminal_text.h"

#include "cli/utf8.h"

#include <cstdio>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace moniquet {

bool StandardOutputIsTerminal() {
#ifdef _WIN32
    return _isatty(_fileno(stdout)) != 0;
#else
    return ::isatty(STDOUT_FILENO) != 0;
#endif
}

std::string ShownOnTerminal(std::u16string_view text) {
    static constexpr char16_t kHex[] = u"0123456789ABCDEF";
    std::u16string shown;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        const bool lineEnd =
            c == u'\n' || (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n');
        if (!lineEnd && (c < 0x20 || (c >= 0x7F && c <= 0x9F))) {
            shown += {u'\\', u'x', kHex[c >> 4], kHex[c & 0xF]};
        } else {
            shown += c;
            shown += c == u'\\' ? u"\\" : u"";
        }
    }
    return ToUtf8(shown);
}

} // namespace moniquet
