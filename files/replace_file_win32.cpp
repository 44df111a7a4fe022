#include "files/replace_file.h"

#include "files/interrupt_cleanup_win32.h"

#include <windows.h>

#include <cwctype>

namespace moniquet {

namespace {

// What a replacement takes over from the file it replaces, beyond what
// ReplaceFileW carries itself (Wine's carries nothing).
constexpr DWORD kKeptAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                  FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

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

// The file to replace, as found before anything is written.
struct Target {
    std::wstring path;                  // the file itself, a link followed
    bool exists = false;                // false when a new file is made
    DWORD attributes = 0;               // those of the existing file
    std::optional<std::string> refusal; // why it is not to be replaced
};

// The name the system resolved the open file to, links followed; nothing
// when it has no name with a drive letter or share.
std::optional<std::wstring> FinalPath(HANDLE file) {
    const DWORD size = GetFinalPathNameByHandleW(file, nullptr, 0, VOLUME_NAME_DOS);
    if (size == 0) {
        return std::nullopt;
    }
    std::wstring path(size, L'\0');
    const DWORD length = GetFinalPathNameByHandleW(file, path.data(), size, VOLUME_NAME_DOS);
    if (length == 0 || length >= size) {
        return std::nullopt;
    }
    path.resize(length);
    return path;
}

// Opened without asking for access, a name shows what it is (a file, a
// folder, a device, a pipe) without being disturbed.
Target FindTarget(const std::wstring& path) {
    Target target;
    target.path = path;
    HANDLE file =
        CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        if (GetLastError() != ERROR_FILE_NOT_FOUND) {
            target.refusal = SystemReason(GetLastError());
        }
        return target;
    }
    target.exists = true;
    BY_HANDLE_FILE_INFORMATION information{};
    if (GetFileType(file) != FILE_TYPE_DISK) {
        target.refusal = "not a regular file";
    } else if (!GetFileInformationByHandle(file, &information)) {
        target.refusal = SystemReason(GetLastError());
    } else if ((information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        target.refusal = "not a regular file";
    } else if ((information.dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0) {
        // Renaming over a read-only file would succeed on some systems.
        target.refusal = SystemReason(ERROR_ACCESS_DENIED);
    } else {
        target.attributes = information.dwFileAttributes;
        target.path = FinalPath(file).value_or(path);
    }
    CloseHandle(file);
    return target;
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
        // Shared for deletion only, so that an interruption can remove it.
        HANDLE file = CreateFileW(temporary.c_str(), GENERIC_WRITE, FILE_SHARE_DELETE, nullptr,
                                  CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
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

bool KeepAttributes(HANDLE file, const Target& target) {
    FILE_BASIC_INFO information{}; // zero times: left as they are
    information.FileAttributes = target.attributes & kKeptAttributes;
    if (information.FileAttributes == 0) {
        information.FileAttributes = FILE_ATTRIBUTE_NORMAL;
    }
    return SetFileInformationByHandle(file, FileBasicInfo, &information, sizeof(information));
}

// ReplaceFileW keeps the old file's security, streams and identity.
bool PutInPlace(const std::wstring& temporary, const Target& target) {
    if (target.exists) {
        if (ReplaceFileW(target.path.c_str(), temporary.c_str(), nullptr, 0, nullptr, nullptr)) {
            return true;
        }
        // Only this failure comes after the old file was taken away: the new
        // one must still take its place.
        if (GetLastError() != ERROR_UNABLE_TO_MOVE_REPLACEMENT) {
            return false;
        }
    }
    return MoveFileExW(temporary.c_str(), target.path.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
}

// The save itself, once the target is known to be one to replace.
std::optional<std::string> ReplaceTarget(const Target& target, std::span<const uint8_t> content) {
    std::wstring temporary;
    HoldOffConsoleInterruptions();
    HANDLE file = CreateTemporaryBeside(target.path, temporary);
    const DWORD createError = GetLastError();
    if (file != INVALID_HANDLE_VALUE) {
        RemoveOnConsoleInterruption(temporary);
    }
    AllowConsoleInterruptions();
    if (file == INVALID_HANDLE_VALUE) {
        return SystemReason(createError);
    }
    bool ok = WriteAll(file, content) && (!target.exists || KeepAttributes(file, target));
    DWORD code = ok ? ERROR_SUCCESS : GetLastError();
    if (!CloseHandle(file) && ok) {
        ok = false;
        code = GetLastError();
    }
    HoldOffConsoleInterruptions();
    if (ok && !PutInPlace(temporary, target)) {
        ok = false;
        code = GetLastError();
    }
    if (!ok) {
        DeleteFileW(temporary.c_str());
    }
    RemoveOnConsoleInterruption(std::wstring());
    AllowConsoleInterruptions();
    return ok ? std::nullopt : std::optional<std::string>(SystemReason(code));
}

} // namespace

std::optional<std::string> ReplaceFileContent(const NativePath& path,
                                              std::span<const uint8_t> content) {
    const Target target = FindTarget(path);
    if (target.refusal) {
        return target.refusal;
    }
    WatchConsoleInterruptions();
    std::optional<std::string> failure = ReplaceTarget(target, content);
    StopWatchingConsoleInterruptions();
    return failure;
}

} // namespace moniquet
