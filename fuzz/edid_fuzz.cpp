// Any bytes, of any length, through the command's reading path (raw bytes or
// hex text), both decoders and every text of report, label and info: none of
// it may crash, read out of bounds or overflow, the stream and the bytes in
// memory must agree, and info's outputs must keep the shape they promise.
// And the bytes written as any hex form the command reads (hex_forms.h) read
// back byte for byte.
#include "cli/edid_file.h"
#include "cli/hex_text.h"
#include "cli/info_json.h"
#include "cli/info_text.h"
#include "cli/utf8.h"
#include "edid/decode.h"
#include "edid/edid_info.h"
#include "edid/report.h"
#include "hex_forms.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace {

void FormatEverything(const EdidSummary& summary) {
    const std::u16string report = FormatMonitorReport(summary);
    const std::u16string label = FormatMonitorLabel(summary.vendor);
    if (report.empty() || label.size() < 4 || ToUtf8(report).size() < report.size()) {
        std::abort();
    }
}

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

// No control character but the line feed reaches the terminal, C1 controls
// (U+0080 to U+009F, C2 80 to C2 9F in UTF-8) included.
bool OnlyPrintable(std::string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<uint8_t>(text[i]);
        const bool c1 =
            c == 0xC2 && i + 1 < text.size() && static_cast<uint8_t>(text[i + 1]) < 0xA0;
        if ((c < 0x20 && c != '\n') || c == 0x7F || c1) {
            return false;
        }
    }
    return true;
}

// Brackets balanced outside strings, every string closed, and exactly one
// line per top-level key (21 of them), each opening with two spaces and a quote.
bool WellFormedJson(std::string_view json) {
    int depth = 0;
    bool inString = false;
    int topKeys = 0;
    for (std::size_t i = 0; i < json.size(); ++i) {
        const char c = json[i];
        if (inString) {
            i += c == '\\' ? 1 : 0;
            inString = c != '"';
        } else if (c == '"') {
            inString = true;
            topKeys += depth == 1 && i >= 3 && json.substr(i - 3, 3) == "\n  " ? 1 : 0;
        } else if (c == '{' || c == '[') {
            ++depth;
        } else if (c == '}' || c == ']') {
            if (--depth < 0) {
                return false;
            }
        }
    }
    return depth == 0 && !inString && topKeys == 21;
}

// `info` and `info --json` of `edid`, whatever its length.
void FormatInfo(std::span<const uint8_t> edid) {
    const EdidInfo info = DecodeEdidInfo(edid);
    Check(info.sizeBytes == edid.size() && info.blocks.size() == edid.size() / 128);
    for (std::size_t i = 0; i < info.blocks.size(); ++i) {
        Check(info.blocks[i].index == i);
    }
    Check(info.truncated ||
          (info.extensionCount && (*info.extensionCount + 1) * 128 <= edid.size()));
    const std::string json = FormatInfoJson(info);
    Check(json.starts_with("{\n  \"size_bytes\": " + std::to_string(edid.size()) + ",\n"));
    Check(json.ends_with("\n}\n") && WellFormedJson(json) && OnlyPrintable(json));
    const std::string text = FormatInfoText(info);
    Check(text.starts_with("Identity\n") && text.ends_with("\n") && OnlyPrintable(text));
}

// Forms whose first line is short can look like a lone number (a year): the
// property holds from a line's worth of bytes. One form per input, chosen by
// its size, keeps the fuzzer fast; its mutations of the size reach them all.
constexpr std::size_t kShortestForm = 16;

void ReadAFormBack(std::span<const uint8_t> bytes) {
    if (bytes.size() < kShortestForm) {
        return;
    }
    const std::string form =
        hex_forms::Form(static_cast<int>(bytes.size() % hex_forms::kFormCount), bytes);
    const std::span<const uint8_t> text(reinterpret_cast<const uint8_t*>(form.data()), form.size());
    EdidBytes read;
    std::string error;
    Check(IsHexText(text) && ParseHexText(text, read, error) &&
          std::equal(read.begin(), read.end(), bytes.begin(), bytes.end()));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const std::span<const uint8_t> input(data, size);

    // The decoder is also handed the raw span, whatever its length.
    EdidSummary summary;
    DecodeEdidBlock(input, summary);
    Check(summary.timingCount + summary.descriptorCount == 4);
    FormatEverything(summary);
    FormatInfo(input);

    EdidBytes hex;
    std::string hexError;
    Check(!ParseHexText(input, hex, hexError) ? !hexError.empty() : !hex.empty());
    ReadAFormBack(input);

    EdidBytes edid;
    std::string error;
    const bool ok = EdidFromInput(input, size, edid, error);
    Check(ok ? edid.size() >= kMinimumEdidSize && edid.size() <= kMaximumEdidSize
             : edid.empty() && !error.empty());
    Check(!ok || IsHexText(input) || edid == EdidBytes(input.begin(), input.end()));
    if (ok) {
        FormatEverything(DecodeMonitorRecord(edid).summary);
        FormatInfo(edid);
    }

    if (size == 0) {
        return 0; // fmemopen refuses an empty buffer
    }
    std::FILE* stream = fmemopen(const_cast<uint8_t*>(data), size, "rb");
    if (stream == nullptr) {
        return 0;
    }
    EdidBytes streamed;
    std::string streamError;
    const bool streamOk = ReadEdidStream(stream, streamed, streamError);
    std::fclose(stream);
    Check(streamOk == ok && streamed == edid && streamError == error);
    return 0;
}
