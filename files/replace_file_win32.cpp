#include "files/replace_file.h"

#include <windows.h>

#include <cwctype>

namespace {

// The system's text for `code` in UTF-8, without the final period and line
// break, so that it reads as the end of a sentence of ours.
std::string SystemReason(DWORD code) {
    wchar_t* text = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring wide = length > 0 ? std::wstring(text, length) : L"error " + std::to_wstring(code);
    LocalFree(text);
    while (!wide.empty() && (iswspace(wide.back()) || wide.back() == L'.')) {
        wide.pop_back();
    }
    const int size = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string reason(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), reason.data(), size,
                        nullptr, nullptr);
    return reason;
}

// The folder part of `path`, with its final separator; empty for a bare name,
// which then lands in the current folder like the target itself.
std::wstring FolderOf(const std::wstring& path) {
    const size_t separator = path.find_last_of(L"\\/:");
    return separator == std::wstring::npos ? std::wstring() : path.substr(0, separator + 1);
}

// Creates a file of a name no other file has yet, so that nothing existing is
// overwritten; the name stays short so that it fits wherever the target fits.
HANDLE CreateTemporaryBeside(const std::wstring& path, std::wstring& temporary) {
    const std::wstring folder = FolderOf(path);
    const std::wstring stem = L"~mnq" + std::to_wstring(GetCurrentProcessId()) + L"-";
    for (unsigned attempt = 0; attempt < 100; ++attempt) {
        temporary = folder + stem + std::to_wstring(attempt) + L".tmp";
        HANDLE file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS) {
            return file;
        }
    }
    return INVALID_HANDLE_VALUE;
}

bool WriteAll(HANDLE file, std::span<const uint8_t> content) {
    DWORD written = 0;
    return WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr) &&
           written == content.size() && FlushFileBuffers(file);
}

} // namespace

std::optional<std::string> ReplaceFileContent(const std::filesystem::path& path,
                                              std::span<const uint8_t> content) {
    const std::wstring& target = path.native();
    // A read-only file cannot be opened for writing, so it is not replaced
    // either; renaming over it would succeed on some systems.
    const DWORD attributes = GetFileAttributesW(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
        return SystemReason(ERROR_ACCESS_DENIED);
    }
    std::wstring temporary;
    HANDLE file = CreateTemporaryBeside(target, temporary);
    if (file == INVALID_HANDLE_VALUE) {
        return SystemReason(GetLastError());
    }
    bool ok = WriteAll(file, content);
    DWORD code = ok ? ERROR_SUCCESS : GetLastError();
    if (!CloseHandle(file) && ok) {
        ok = false;
        code = GetLastError();
    }
    if (ok && !MoveFileExW(temporary.c_str(), target.c_str(),
                           MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        ok = false;
        code = GetLastError();
    }
    if (ok) {
        return std::nullopt;
    }
    DeleteFileW(temporary.c_str());
    return SystemReason(code);
}
