#include "cli/prometheus_text.h"

#include "cli/json_writer.h"
#include "cli/number_text.h"
#include "cli/utf8.h"

namespace moniquet {

namespace {

constexpr std::u16string_view kReplacement = u"\uFFFD";

bool IsControl(char16_t unit) {
    return unit < 0x20 || (unit >= 0x7F && unit <= 0x9F);
}

bool IsHighSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}

bool IsLowSurrogate(char16_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

} // namespace

std::string PrometheusLabelValue(std::u16string_view text) {
    std::u16string clean;
    clean.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i];
        if (unit == u'\\' || unit == u'"') {
            clean += {u'\\', unit};
        } else if (unit == u'\n') {
            clean += u"\\n";
        } else if (IsControl(unit) || IsLowSurrogate(unit) ||
                   (IsHighSurrogate(unit) &&
                    (i + 1 == text.size() || !IsLowSurrogate(text[i + 1])))) {
            clean += kReplacement;
        } else if (IsHighSurrogate(unit)) {
            clean += {unit, text[++i]};
        } else {
            clean += unit;
        }
    }
    return ToUtf8(clean);
}

void AppendGaugeFamily(std::string& out, std::string_view name, std::string_view help) {
    out.append("# HELP ").append(name).append(" ").append(help).append("\n");
    out.append("# TYPE ").append(name).append(" gauge\n");
}

void AppendSample(std::string& out, std::string_view name,
                  const std::vector<PrometheusLabel>& labels, std::string_view value) {
    out.append(name);
    if (!labels.empty()) {
        char separator = '{';
        for (const auto& [label, text] : labels) {
            out.append(1, separator).append(label).append("=\"").append(text).append("\"");
            separator = ',';
        }
        out += '}';
    }
    out.append(" ").append(value).append("\n");
}

std::string PrometheusNumber(double value) {
    std::string text;
    AppendFixed(text, value, 6);
    if (text.find('.') != std::string::npos && text.find('e') == std::string::npos) {
        text.erase(text.find_last_not_of('0') + 1);
        if (text.back() == '.') {
            text.pop_back();
        }
    }
    return text;
}

} // namespace moniquet
