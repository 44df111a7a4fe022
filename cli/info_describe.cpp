#include "cli/info_describe.h"
#include "cli/info_describe_fields.h"

#include "cli/number_text.h"

namespace moniquet {

namespace {

void DescribeBlocks(InfoOutput& out, const std::vector<BlockInfo>& blocks) {
    if (IsText(out)) {
        std::string wrong;
        for (const BlockInfo& block : blocks) {
            if (!block.checksumValid) {
                wrong += wrong.empty() ? "wrong in block " : ", ";
                wrong += UnsignedText(block.index);
            }
        }
        TextLine(out, "Checksums", blocks.empty() ? "-" : wrong.empty() ? "valid" : wrong);
        for (const BlockInfo& block : blocks) {
            if (block.index != 0) {
                std::string type(BlockTypeName(block.type));
                TextLine(out, "Block " + UnsignedText(block.index),
                         block.beyondCount ? type + ", beyond the extension count: not decoded"
                                           : type);
                TextFieldLines(out, block.fields);
            }
        }
    }
    BeginArray(out, "blocks", "", JsonLayout::Lines, TextShow::Hidden);
    for (const BlockInfo& block : blocks) {
        BeginObject(out, "", "", JsonLayout::Inline, TextShow::Hidden);
        Unsigned(out, "index", "", block.index);
        Name(out, "type", "", BlockTypeName(block.type));
        Bool(out, "checksum_valid", "", block.checksumValid);
        if (block.beyondCount) {
            Bool(out, "beyond_count", "", true);
        }
        if (block.fields) {
            JsonFields(out, "fields", block.fields);
        }
        End(out);
    }
    End(out);
}

} // namespace

std::string SizeText(uint32_t width, uint32_t height, bool interlaced) {
    std::string text = UnsignedText(width);
    text += 'x';
    text += UnsignedText(height);
    return interlaced ? text += 'i' : text;
}

void DescribeValidity(InfoOutput& out, const EdidInfo& info) {
    Section(out, "Validity");
    Unsigned(out, "size_bytes", "Size", info.sizeBytes, " bytes");
    Bool(out, "header_valid", "", info.headerValid);
    TextLine(out, "Header", info.headerValid ? "valid" : "not valid");
    std::optional<std::string> version;
    if (info.version && info.revision) {
        version = UnsignedText(*info.version) + "." + UnsignedText(*info.revision);
    }
    Name(out, "edid_version", "EDID version", version);
    Unsigned(out, "extension_count", "Extension count", info.extensionCount);
    Bool(out, "truncated", "Truncated", info.truncated);
    DescribeBlocks(out, info.blocks);
}

void DescribeIdentity(InfoOutput& out, const EdidInfo& info) {
    Section(out, "Identity");
    EdidText(out, "manufacturer_id", "", info.manufacturerId);
    EdidText(out, "manufacturer_name", "", info.manufacturerName);
    if (IsText(out)) {
        std::string maker = info.manufacturerId ? ShownText(*info.manufacturerId) : "-";
        if (info.manufacturerName) {
            maker += " (" + ShownText(*info.manufacturerName) + ")";
        }
        TextLine(out, "Manufacturer", maker);
    }
    Unsigned(out, "product_code", "", info.productCode);
    if (IsText(out)) {
        std::string code = "-";
        if (info.productCode) {
            static constexpr char kHex[] = "0123456789ABCDEF";
            code = UnsignedText(*info.productCode) + " (0x";
            for (int shift = 12; shift >= 0; shift -= 4) {
                code += kHex[*info.productCode >> shift & 0xF];
            }
            code += ')';
        }
        TextLine(out, "Product code", code);
    }
    Unsigned(out, "serial_number", "Serial number", info.serialNumber);
    EdidText(out, "serial_string", "Serial string", info.serialString);
    EdidText(out, "product_name", "Product name", info.productName);
    BeginArray(out, "data_strings", "", JsonLayout::Inline, TextShow::Hidden);
    for (const std::u16string& text : info.dataStrings) {
        EdidText(out, "", "", text);
    }
    End(out);
    for (const std::u16string& text : info.dataStrings) {
        TextLine(out, "Data string", ShownText(text));
    }
    if (info.dataStrings.empty()) {
        TextLine(out, "Data string", "-");
    }
    Unsigned(out, "manufacture_week", "", info.manufactureWeek);
    Unsigned(out, "manufacture_year", "", info.manufactureYear);
    if (IsText(out)) {
        std::string made = "-";
        if (info.manufactureYear) {
            made =
                info.manufactureWeek ? "week " + UnsignedText(*info.manufactureWeek) + " of " : "";
            made += UnsignedText(*info.manufactureYear);
        }
        TextLine(out, "Manufactured", made);
    }
    Unsigned(out, "model_year", "Model year", info.modelYear);
}

void DescribeInfo(InfoOutput& out, const EdidInfo& info) {
    BeginObject(out, "", "", JsonLayout::Lines, TextShow::Items);
    if (!IsText(out)) {
        Unsigned(out, "schema_version", "", kJsonSchemaVersion);
    }
    DescribeValidity(out, info);
    DescribeIdentity(out, info);
    DescribeDisplay(out, info);
    DescribeTimings(out, info);
    DescribeCta(out, info.cta);
    DescribeDisplayId(out, info);
    DescribeModes(out, info.modes);
    if (!IsText(out) || out.conformityInText) {
        DescribeConformity(out, info);
    }
    End(out);
}

} // namespace moniquet
