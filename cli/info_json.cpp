#include "cli/info_json.h"

#include "cli/info_describe.h"

#include <string>

namespace moniquet {

std::string FormatInfoJson(const EdidInfo& info) {
    JsonWriter w;
    // Room for the largest samples' text, so that it is written in one piece.
    JsonReserve(w, 32768);
    WriteInfoJson(w, info);
    JsonEndLine(w);
    return std::string(JsonBytes(w));
}

void WriteInfoJson(JsonWriter& w, const EdidInfo& info) {
    InfoOutput out;
    out.json = &w;
    DescribeInfo(out, info);
}

void WriteInfoJsonLine(JsonWriter& w, const std::string& file, const EdidInfo& info) {
    InfoOutput out;
    out.json = &w;
    out.file = &file;
    DescribeInfo(out, info);
    JsonEndLine(w);
}

void WriteErrorJsonLine(JsonWriter& w, const std::string& file, const std::string& error) {
    JsonBeginObject(w, JsonLayout::Inline);
    JsonKey(w, "file");
    JsonUtf8String(w, file);
    JsonKey(w, "error");
    JsonUtf8String(w, error);
    JsonEnd(w);
    JsonEndLine(w);
}

} // namespace moniquet
