#include "cli/info_json.h"

#include "cli/info_describe.h"

#include <utility>

std::string FormatInfoJson(const EdidInfo& info) {
    JsonWriter w;
    // Room for the largest samples' text, so that it is written in one piece.
    JsonReserve(w, 32768);
    WriteInfoJson(w, info);
    JsonText(w) += '\n';
    return std::move(w.out);
}

void WriteInfoJson(JsonWriter& w, const EdidInfo& info) {
    InfoOutput out;
    out.json = &w;
    DescribeInfo(out, info);
}
