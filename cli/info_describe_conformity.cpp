#include "cli/info_describe.h"

#include "cli/number_text.h"
#include "moniquet/value_names.h"

namespace moniquet {

namespace {

std::string ResultText(const Diagnostic& r) {
    std::string text(DiagnosticCodeName(r.code));
    if (r.block) {
        text += " (block ";
        AppendUnsigned(text, *r.block);
        if (r.offset) {
            text += ", byte ";
            AppendUnsigned(text, *r.offset);
        }
        text += ')';
    }
    return text + ": " + r.message;
}

void DescribeResults(InfoOutput& out, std::string_view key, const EdidInfo& info,
                     Severity severity) {
    BeginArray(out, key, "", JsonLayout::Lines, TextShow::Items);
    for (const Diagnostic& r : info.diagnostics) {
        if (r.severity != severity) {
            continue;
        }
        if (IsText(out)) {
            TextLine(out, severity == Severity::Failure ? "Failure" : "Warning", ResultText(r));
        }
        BeginObject(out, "", "", JsonLayout::Inline, TextShow::Hidden);
        Name(out, "code", "", DiagnosticCodeName(r.code));
        Name(out, "severity", "", severity == Severity::Failure ? "failure" : "warning");
        Unsigned(out, "block", "", r.block);
        Unsigned(out, "offset", "", r.offset);
        Name(out, "message", "", r.message);
        End(out);
    }
    End(out);
}

} // namespace

void DescribeConformity(InfoOutput& out, const EdidInfo& info) {
    Section(out, "Conformity");
    BeginObject(out, "conformity", "", JsonLayout::Lines, TextShow::Items);
    Name(out, "verdict", "Verdict", VerdictName(VerdictOf(info.diagnostics)));
    DescribeResults(out, "failures", info, Severity::Failure);
    DescribeResults(out, "warnings", info, Severity::Warning);
    End(out);
}

} // namespace moniquet
