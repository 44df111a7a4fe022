// What is wrong with an EDID: the results of the conformity checks that
// DecodeEdidInfo runs on every EDID (edid/conformity_checks.h), each with a
// stable code that scripts can count. README.md names every code.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

enum class Severity : uint32_t {
    // A rule of the standards broken in a way that sinks or sources may
    // trip over.
    Failure,
    // Allowed, but likely wrong or deprecated.
    Warning,
};

// One broken rule.
struct ConformityResult {
    // Kebab-case, e.g. "checksum-invalid"; never renamed once shipped.
    std::string_view code;
    Severity severity = Severity::Failure;
    // Index of the block the rule is about; empty when it is about the
    // EDID as a whole.
    std::optional<uint32_t> block;
    // One sentence for a person, naming the field and values involved.
    std::string message;
};

enum class Verdict : uint32_t { Pass, Warn, Fail };

// Fail with any failure, else warn with any warning, else pass.
Verdict VerdictOf(const std::vector<ConformityResult>& results);
