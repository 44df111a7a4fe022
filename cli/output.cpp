#include "cli/output.h"

#include "cli/utf8.h"

#include <cstdint>
#include <cstdio>

namespace moniquet {

namespace {

// C0 controls, DEL and the C1 controls U+0080 to U+009F.
bool IsControl(std::string_view sequence) {
    const auto lead = static_cast<uint8_t>(sequence[0]);
    if (sequence.size() == 1) {
        return lead < 0x20 || lead == 0x7F;
    }
    return sequence.size() == 2 && lead == 0xC2 && static_cast<uint8_t>(sequence[1]) < 0xA0;
}

// Controls and every byte that is not part of valid UTF-8 become \xNN, and
// a backslash \\ so that the escapes stay unambiguous, except on Windows,
// where it separates folders and no name holds a control character; the
// rest stays as it is.
#ifdef _WIN32
constexpr bool kEscapeBackslash = false;
#else
constexpr bool kEscapeBackslash = true;
#endif

std::string EscapedForTerminal(std::string_view text) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string out;
    while (!text.empty()) {
        const std::size_t length = Utf8SequenceLength(text);
        const std::string_view sequence = text.substr(0, length == 0 ? 1 : length);
        if (length == 0 || IsControl(sequence)) {
            for (const char c : sequence) {
                const auto byte = static_cast<uint8_t>(c);
                out += {'\\', 'x', kDigits[byte >> 4], kDigits[byte & 0xF]};
            }
        } else {
            out += kEscapeBackslash && sequence == "\\" ? std::string_view("\\\\") : sequence;
        }
        text.remove_prefix(sequence.size());
    }
    return out;
}

} // namespace

int UsageError(const std::string& what) {
    std::fprintf(stderr, "%s: %s\nTry '%s --help'.\n", kProgramName, what.c_str(), kProgramName);
    return kUsageError;
}

// Appended piece by piece: g++ 12 at -O2 sees a false overlap in
// `const char* + std::string&&` and stops a -Werror build.
std::string QuotedArgument(const std::string& argument) {
    std::string quoted = "'";
    quoted += ShownArgument(argument);
    quoted += '\'';
    return quoted;
}

std::string ShownArgument(const std::string& argument) {
    return EscapedForTerminal(argument);
}

int PrintHelp(const std::string& text) {
    return WriteStandardOutput(text);
}

int PrintVersion() {
    return WriteStandardOutput(std::string(kProgramName) + " " + MONIQUET_VERSION + "\n");
}

void Warn(const std::string& subject, const std::string& reason) {
    std::fprintf(stderr, "%s: %s: %s\n", kProgramName, EscapedForTerminal(subject).c_str(),
                 reason.c_str());
}

int Fail(const std::string& subject, const std::string& reason) {
    Warn(subject, reason);
    return 1;
}

int WriteStandardOutput(std::string_view bytes) {
    const std::size_t written = std::fwrite(bytes.data(), 1, bytes.size(), stdout);
    if (std::fflush(stdout) != 0 || written != bytes.size() || std::ferror(stdout)) {
        return Fail("standard output", "write failed");
    }
    return 0;
}

} // namespace moniquet
