#include "cli/platform_file.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#else
#include <sys/stat.h>
#endif

namespace moniquet {

#ifdef _WIN32

namespace {

std::wstring WideFromUtf8(const std::string& text) {
    if (text.empty()) {
        return {};
    }
    const int length =
        MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                        length);
    return wide;
}

} // namespace

NativePath NativePathFromUtf8(const std::string& path) {
    return WideFromUtf8(path);
}

std::FILE* OpenFileUtf8(const std::string& path, const char* mode) {
    const std::wstring wideMode(mode, mode + std::char_traits<char>::length(mode));
    return _wfopen(WideFromUtf8(path).c_str(), wideMode.c_str());
}

bool IsFolder(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(WideFromUtf8(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

void UseBinaryStdio() {
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
}

#else

NativePath NativePathFromUtf8(const std::string& path) {
    return path;
}

std::FILE* OpenFileUtf8(const std::string& path, const char* mode) {
    return std::fopen(path.c_str(), mode);
}

bool IsFolder(const std::string& path) {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

void UseBinaryStdio() {}

#endif

} // namespace moniquet
