// What is wrong with an EDID: the diagnostics the decoder reports, each
// with a stable code (moniquet/diagnostic_codes.h) that scripts can count;
// README.md gives every code a sentence.
#pragma once

#include "moniquet/diagnostic_codes.h"

#include <cstdint>
#include <optional>
#include <string>
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

enum class Verdict : uint32_t { Pass, Warn, Fail };

// Fail with any failure, else warn with any warning, else pass.
Verdict VerdictOf(const Diagnostics& diagnostics);

} // namespace moniquet
