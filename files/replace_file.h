// Writing a whole file so that a failure never leaves a truncated one.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>

// Writes `content` to a new file in the folder of `path`, flushes it to the
// disk and closes it, and only then puts it in place of `path`. Returns
// nothing on success. On failure returns the system's reason (UTF-8); the
// temporary file is then removed and any old file at `path` left as it was.
//
// `path` is a std::filesystem::path so that a UTF-8 argument (given as a
// std::u8string) and a Win32 wide buffer both arrive without loss.
std::optional<std::string> ReplaceFileContent(const std::filesystem::path& path,
                                              std::span<const uint8_t> content);
