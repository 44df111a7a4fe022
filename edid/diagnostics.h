// What is wrong with an EDID: the diagnostics that the decoding walk reports
// as it reads the bytes, and that the checks of the whole EDID add from the
// decoded model. Each carries a stable code (edid/diagnostic_codes.h) that
// scripts can count; README.md gives every code a sentence.
#pragma once

#include "edid/diagnostic_codes.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace moniquet {

enum class Severity : uint32_t {
    // A rule of the standards broken in a way that sinks or sources may
    // trip over.
    Failure,
    // Allowed, but likely wrong, deprecated or a cause of trouble.
    Warning,
};

// One broken rule.
struct Diagnostic {
    DiagnosticCode code = DiagnosticCode::HeaderInvalid;
    Severity severity = Severity::Failure;
    // Index of the block the rule is about; empty when it is about the
    // EDID as a whole.
    std::optional<uint32_t> block;
    // The offset within that block of the first byte of the field at
    // fault; empty when no one byte is (a missing block or descriptor, a
    // rule between several fields).
    std::optional<uint32_t> offset;
    // One sentence for a person, naming the field, the values and the rule.
    std::string message;
};

using Diagnostics = std::vector<Diagnostic>;

// Where a decoder reports: the EDID's list, the block it reads, and where in
// that block the bytes it was given start, so that it can name offsets in
// its own bytes.
struct DiagnosticSink {
    // Empty when the checks are off: reports are dropped, and checks that
    // cost more than a comparison are skipped (Checking).
    Diagnostics* list = nullptr;
    std::optional<uint32_t> block;
    uint32_t origin = 0;
};

// The sink for the bytes that start `offset` bytes into those of `sink`.
inline DiagnosticSink Within(DiagnosticSink sink, std::size_t offset) {
    sink.origin += static_cast<uint32_t>(offset);
    return sink;
}

inline bool Checking(const DiagnosticSink& sink) {
    return sink.list != nullptr;
}

// Reports a broken rule at `offset` of the sink's bytes (empty: no byte).
void Fail(const DiagnosticSink& sink, DiagnosticCode code, std::optional<std::size_t> offset,
          std::string message);
void Warn(const DiagnosticSink& sink, DiagnosticCode code, std::optional<std::size_t> offset,
          std::string message);

enum class Verdict : uint32_t { Pass, Warn, Fail };

// Fail with any failure, else warn with any warning, else pass.
Verdict VerdictOf(const Diagnostics& diagnostics);

// "0x0A": a byte as the messages name it.
std::string ByteHex(uint32_t value);

} // namespace moniquet
