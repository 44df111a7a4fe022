#include "tests/e2e/driver/output.h"

#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>

namespace {

std::string ToUtf8(const std::wstring& text) {
    if (text.empty()) {
        return {};
    }
    int bytes = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr,
                                    0, nullptr, nullptr);
    std::string utf8(static_cast<size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), utf8.data(), bytes,
                        nullptr, nullptr);
    return utf8;
}

} // namespace

void PrepareOutput() {
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
}

void Print(const std::wstring& text) {
    std::string utf8 = ToUtf8(text);
    fwrite(utf8.data(), 1, utf8.size(), stdout);
    fflush(stdout);
}

void Complain(const std::wstring& text) {
    std::string utf8 = ToUtf8(text) + "\n";
    fwrite(utf8.data(), 1, utf8.size(), stderr);
    fflush(stderr);
}
