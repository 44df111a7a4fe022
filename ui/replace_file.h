// Writing a whole file so that a failure never leaves a truncated one.
#pragma once

#include <cstdint>
#include <span>

// Writes `content` to a new file in the folder of `path`, flushes and closes
// it, and only then puts it in place of `path`. Returns false, with the
// temporary file removed and any old file at `path` untouched, when any step
// fails; `error`, when given, then receives the system's error code.
bool ReplaceFileContent(const wchar_t* path, std::span<const uint8_t> content,
                        unsigned long* error = nullptr);
