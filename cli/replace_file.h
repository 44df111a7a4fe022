// Writing a whole file so that a failure never leaves a truncated one.
#pragma once

#include <cstdint>
#include <span>
#include <string>

// Writes `content` to a new file beside `path` (a UTF-8 path), flushes it to
// the disk and closes it, and only then puts it in place of `path`. On
// failure returns false with the system's reason in `reason`; the temporary
// file is removed and any old file at `path` is left as it was.
bool ReplaceFileContent(const std::string& path, std::span<const uint8_t> content,
                        std::string& reason);
