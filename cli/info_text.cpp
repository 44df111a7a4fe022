#include "moniquet/json.h"

#include "cli/info_describe.h"

namespace moniquet {

std::string FormatInfoText(const EdidInfo& info, bool withConformity) {
    std::string text;
    text.reserve(8192);
    InfoOutput out;
    out.text = &text;
    out.conformityInText = withConformity;
    DescribeInfo(out, info);
    return text;
}

} // namespace moniquet
