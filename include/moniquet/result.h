// What a call of the library gives: its value, or the error that kept it
// from one. One style for every call that can fail for a reason its caller
// should show; the programs' readers of files and hex text give it too.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <variant>

namespace moniquet {

enum class ErrorCode : uint32_t {
    // Fewer bytes than one 128-byte EDID block.
    TooShort,
    // More bytes than an EDID can hold (257 blocks), or more text than hex
    // text of one can be.
    TooLong,
    // A file or stream that could not be opened or read; the message is the
    // system's reason.
    Unreadable,
    // Hex text that breaks the rules of its form, or stops short of the
    // blocks its EDID announces; the message names the line.
    BadText,
};

struct Error {
    ErrorCode code = ErrorCode::TooShort;
    // A sentence for a person, in English, without a final full stop, e.g.
    // "not an EDID block: 20 bytes".
    std::string message;
};

template <typename T> struct Result {
    std::variant<T, Error> content;

    Result(T value) : content(std::move(value)) {}
    Result(Error error) : content(std::move(error)) {}

    bool ok() const { return content.index() == 0; }
    explicit operator bool() const { return ok(); }
    // Only when ok().
    const T& value() const& { return std::get<0>(content); }
    T& value() & { return std::get<0>(content); }
    T&& value() && { return std::get<0>(std::move(content)); }
    // Only when not ok().
    const Error& error() const { return std::get<1>(content); }
};

} // namespace moniquet
