#include "cli/info_json.h"

#include "cli/info_describe.h"

#include <utility>

std::string FormatInfoJson(const EdidInfo& info) {
    JsonWriter w;
    w.out.reserve(8192);
    WriteInfoJson(w, info);
    w.out += '\n';
    return std::move(w.out);
}

void WriteInfoJson(JsonWriter& w, const EdidInfo& info) {
    InfoOutput out;
    out.json = &w;
    DescribeInfo(out, info);
}
