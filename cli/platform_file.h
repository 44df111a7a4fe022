// File access by UTF-8 path, so that the command line handles any file name
// on Windows (where fopen would take the ANSI code page) as it does on Linux.
#pragma once

#include "files/replace_file.h"

#include <cstdio>
#include <string>

namespace moniquet {

std::FILE* OpenFileUtf8(const std::string& path, const char* mode);

// The path the system takes for a UTF-8 argument.
NativePath NativePathFromUtf8(const std::string& path);

// Whether `path` names a folder (a link to one included).
bool IsFolder(const std::string& path);

// Puts standard input and output in binary mode: the report's CR LF must not
// become CR CR LF on Windows, and an EDID read from a pipe must keep 0x1A.
void UseBinaryStdio();

} // namespace moniquet
