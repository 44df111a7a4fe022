#include "cli/info_json.h"

#include "cli/json_writer.h"

#include <optional>
#include <utility>

namespace {

// Refresh rates and luminances: enough digits to compare with other tools.
constexpr int kDecimals = 6;
// The pixel clock is stored in units of 10 kHz.
constexpr int kClockDecimals = 2;

void Field(JsonWriter& w, std::string_view key, uint32_t value) {
    JsonKey(w, key);
    JsonUnsigned(w, value);
}

void Field(JsonWriter& w, std::string_view key, const std::optional<uint32_t>& value) {
    JsonKey(w, key);
    value ? JsonUnsigned(w, *value) : JsonNull(w);
}

void Field(JsonWriter& w, std::string_view key, const std::optional<double>& value) {
    JsonKey(w, key);
    value ? JsonFixed(w, *value, kDecimals) : JsonNull(w);
}

void Field(JsonWriter& w, std::string_view key, const std::optional<std::u16string>& value) {
    JsonKey(w, key);
    value ? JsonString(w, *value) : JsonNull(w);
}

void Field(JsonWriter& w, std::string_view key, bool value) {
    JsonKey(w, key);
    JsonBool(w, value);
}

void SizeObject(JsonWriter& w, uint32_t width, uint32_t height) {
    JsonBeginObject(w, JsonLayout::Inline);
    Field(w, "width", width);
    Field(w, "height", height);
    JsonEnd(w);
}

void WriteBlocks(JsonWriter& w, const std::vector<BlockInfo>& blocks) {
    JsonKey(w, "blocks");
    JsonBeginArray(w, JsonLayout::Lines);
    for (const BlockInfo& block : blocks) {
        JsonBeginObject(w, JsonLayout::Inline);
        Field(w, "index", block.index);
        JsonKey(w, "type");
        JsonAsciiString(w, BlockTypeName(block.type));
        Field(w, "checksum_valid", block.checksumValid);
        JsonEnd(w);
    }
    JsonEnd(w);
}

void WriteTimings(JsonWriter& w, const std::vector<TimingInfo>& timings) {
    JsonKey(w, "detailed_timings");
    JsonBeginArray(w, JsonLayout::Lines);
    for (const TimingInfo& t : timings) {
        JsonBeginObject(w, JsonLayout::Inline);
        Field(w, "block", t.block);
        Field(w, "width", t.width);
        Field(w, "height", t.height);
        Field(w, "interlaced", t.interlaced);
        Field(w, "refresh_hz", t.refreshHz);
        JsonKey(w, "pixel_clock_mhz");
        JsonFixed(w, t.pixelClockKHz / 1000.0, kClockDecimals);
        JsonKey(w, "image_size_mm");
        SizeObject(w, t.imageWidthMm, t.imageHeightMm);
        JsonEnd(w);
    }
    JsonEnd(w);
}

void WriteRangeLimits(JsonWriter& w, const std::optional<RangeLimits>& limits) {
    JsonKey(w, "range_limits");
    if (!limits) {
        JsonNull(w);
        return;
    }
    JsonBeginObject(w, JsonLayout::Inline);
    Field(w, "min_v_hz", limits->minVHz);
    Field(w, "max_v_hz", limits->maxVHz);
    Field(w, "min_h_khz", limits->minHKHz);
    Field(w, "max_h_khz", limits->maxHKHz);
    Field(w, "max_pixel_clock_mhz", limits->maxPixelClockMHz);
    JsonEnd(w);
}

void WriteHdr(JsonWriter& w, const std::optional<HdrStaticMetadata>& hdr) {
    JsonKey(w, "hdr");
    if (!hdr) {
        JsonNull(w);
        return;
    }
    JsonBeginObject(w, JsonLayout::Inline);
    JsonKey(w, "eotfs");
    if (hdr->eotfs) {
        JsonBeginArray(w, JsonLayout::Inline);
        for (const std::string_view name : EotfNames(*hdr->eotfs)) {
            JsonAsciiString(w, name);
        }
        JsonEnd(w);
    } else {
        JsonNull(w);
    }
    Field(w, "max_luminance_cd_m2", hdr->maxLuminance);
    Field(w, "max_frame_average_cd_m2", hdr->maxFrameAverageLuminance);
    Field(w, "min_luminance_cd_m2", hdr->minLuminance);
    JsonEnd(w);
}

void WriteCta(JsonWriter& w, const std::optional<CtaInfo>& cta) {
    JsonKey(w, "cta");
    if (!cta) {
        JsonNull(w);
        return;
    }
    JsonBeginObject(w, JsonLayout::Lines);
    JsonKey(w, "vics");
    JsonBeginArray(w, JsonLayout::Inline);
    for (const uint32_t vic : cta->vics) {
        JsonUnsigned(w, vic);
    }
    JsonEnd(w);
    WriteHdr(w, cta->hdr);
    JsonEnd(w);
}

void WriteVersion(JsonWriter& w, const EdidInfo& info) {
    JsonKey(w, "edid_version");
    if (!info.version || !info.revision) {
        JsonNull(w);
        return;
    }
    std::string text;
    AppendUnsigned(text, *info.version);
    text += '.';
    AppendUnsigned(text, *info.revision);
    JsonAsciiString(w, text);
}

} // namespace

std::string_view BlockTypeName(BlockType type) {
    switch (type) {
    case BlockType::Base:
        return "base";
    case BlockType::Cta861:
        return "cta-861";
    case BlockType::DisplayId:
        return "displayid";
    case BlockType::BlockMap:
        return "block-map";
    case BlockType::Vtb:
        return "vtb";
    case BlockType::Di:
        return "di";
    case BlockType::Ls:
        return "ls";
    case BlockType::Dpvl:
        return "dpvl";
    case BlockType::Unknown:
        break;
    }
    return "unknown";
}

std::vector<std::string_view> EotfNames(uint8_t eotfs) {
    static constexpr std::pair<uint8_t, std::string_view> kNames[] = {
        {kEotfSdr, "sdr"}, {kEotfHdr, "hdr"}, {kEotfPq, "pq"}, {kEotfHlg, "hlg"}};
    std::vector<std::string_view> names;
    for (const auto& [bit, name] : kNames) {
        if ((eotfs & bit) != 0) {
            names.push_back(name);
        }
    }
    return names;
}

std::string FormatInfoJson(const EdidInfo& info) {
    JsonWriter w;
    w.out.reserve(2048);
    WriteInfoJson(w, info);
    w.out += '\n';
    return std::move(w.out);
}

void WriteInfoJson(JsonWriter& w, const EdidInfo& info) {
    JsonBeginObject(w, JsonLayout::Lines);
    Field(w, "size_bytes", static_cast<uint32_t>(info.sizeBytes));
    Field(w, "header_valid", info.headerValid);
    WriteVersion(w, info);
    Field(w, "extension_count", info.extensionCount);
    Field(w, "truncated", info.truncated);
    WriteBlocks(w, info.blocks);
    Field(w, "manufacturer_id", info.manufacturerId);
    Field(w, "manufacturer_name", info.manufacturerName);
    Field(w, "product_code", info.productCode);
    Field(w, "serial_number", info.serialNumber);
    Field(w, "serial_string", info.serialString);
    Field(w, "product_name", info.productName);
    JsonKey(w, "data_strings");
    JsonBeginArray(w, JsonLayout::Inline);
    for (const std::u16string& text : info.dataStrings) {
        JsonString(w, text);
    }
    JsonEnd(w);
    Field(w, "manufacture_week", info.manufactureWeek);
    Field(w, "manufacture_year", info.manufactureYear);
    Field(w, "model_year", info.modelYear);
    JsonKey(w, "digital");
    info.digital ? JsonBool(w, *info.digital) : JsonNull(w);
    JsonKey(w, "screen_size_cm");
    if (info.screenSizeCm) {
        SizeObject(w, info.screenSizeCm->width, info.screenSizeCm->height);
    } else {
        JsonNull(w);
    }
    WriteTimings(w, info.detailedTimings);
    WriteRangeLimits(w, info.rangeLimits);
    WriteCta(w, info.cta);
    JsonEnd(w);
}
