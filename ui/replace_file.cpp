#include "ui/replace_file.h"

#include <windows.h>

#include <string>

namespace {

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

bool ReplaceFileContent(const wchar_t* path, std::span<const uint8_t> content,
                        unsigned long* error) {
    const auto fail = [error](DWORD code) {
        if (error != nullptr) {
            *error = code;
        }
        return false;
    };
    const std::wstring target(path);
    // A read-only file cannot be opened for writing, so it is not replaced
    // either; renaming over it would succeed on some systems.
    const DWORD attributes = GetFileAttributesW(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
        return fail(ERROR_ACCESS_DENIED);
    }
    std::wstring temporary;
    HANDLE file = CreateTemporaryBeside(target, temporary);
    if (file == INVALID_HANDLE_VALUE) {
        return fail(GetLastError());
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
        return true;
    }
    DeleteFileW(temporary.c_str());
    return fail(code);
}
