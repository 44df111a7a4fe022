#include "cli/info_text.h"

#include "cli/info_describe.h"

std::string FormatInfoText(const EdidInfo& info) {
    std::string text;
    text.reserve(8192);
    InfoOutput out;
    out.text = &text;
    DescribeInfo(out, info);
    return text;
}
