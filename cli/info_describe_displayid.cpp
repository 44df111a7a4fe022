// What the DisplayID sections say.
#include "cli/info_describe.h"
#include "cli/info_describe_fields.h"

#include "cli/number_text.h"
#include "moniquet/value_names.h"

#include <array>

namespace moniquet {

namespace {

// "1.3", "2.0": the version byte's two digits.
std::string VersionText(uint32_t version) {
    return UnsignedText(version >> 4) + "." + UnsignedText(version & 0xF);
}

// The product type of a 1.x section or the primary use case of a 2.x one,
// as edid-decode names them.
std::string ProductTypeText(uint32_t version, uint32_t type) {
    return std::string(DisplayIdProductTypeName(version, type).value_or("unknown")) + " (" +
           UnsignedText(type) + ")";
}

std::string ProductText(const DisplayIdProduct& p) {
    std::string text = ShownText(p.vendor) + ", product code " + UnsignedText(p.productCode);
    if (p.serialNumber) {
        text += ", serial " + UnsignedText(*p.serialNumber);
    }
    text += p.modelYear ? ", model year " : ", made in ";
    if (p.week) {
        text += "week " + UnsignedText(*p.week) + " of ";
    }
    return text + UnsignedText(p.year);
}

std::string ParametersText(const DisplayIdParameters& p) {
    std::string text = FixedText(p.imageWidthMm, 1) + " x " + FixedText(p.imageHeightMm, 1) +
                       " mm, native " + SizeText(p.nativeWidth, p.nativeHeight, false);
    if (p.gamma) {
        text += ", gamma " + FixedText(*p.gamma, 2);
    }
    return text;
}

void DescribeProduct(InfoOutput& out, const std::optional<DisplayIdProduct>& product) {
    if (!product) {
        Null(out, "product", "");
        return;
    }
    if (IsText(out)) {
        TextLine(out, "Product", ProductText(*product));
    }
    BeginObject(out, "product", "", JsonLayout::Inline, TextShow::Items);
    EdidText(out, "vendor", "", product->vendor);
    Unsigned(out, "product_code", "", product->productCode);
    Unsigned(out, "serial_number", "", product->serialNumber);
    Unsigned(out, "week", "", product->week);
    Unsigned(out, "year", "", product->year);
    Bool(out, "model_year", "", product->modelYear);
    EdidText(out, "text", product->productText ? "Product text" : "", product->productText);
    End(out);
}

void DescribeParameters(InfoOutput& out, const std::optional<DisplayIdParameters>& params) {
    if (!params) {
        Null(out, "parameters", "");
        return;
    }
    if (IsText(out)) {
        TextLine(out, "Display parameters", ParametersText(*params));
    }
    BeginObject(out, "parameters", "", JsonLayout::Inline, TextShow::Hidden);
    Fixed(out, "image_width_mm", "", params->imageWidthMm, 1, 1);
    Fixed(out, "image_height_mm", "", params->imageHeightMm, 1, 1);
    Unsigned(out, "native_width", "", params->nativeWidth);
    Unsigned(out, "native_height", "", params->nativeHeight);
    Fixed(out, "gamma", "", params->gamma, 2, 2);
    End(out);
}

} // namespace

void DescribeDisplayId(InfoOutput& out, const EdidInfo& info) {
    if (!info.displayId.empty()) {
        Section(out, "DisplayID");
    }
    BeginArray(out, "displayid", "", JsonLayout::Lines, TextShow::Items);
    for (const DisplayIdInfo& section : info.displayId) {
        BeginObject(out, "", "", JsonLayout::Inline, TextShow::Items);
        Unsigned(out, "block", "Section in block", section.block);
        Name(out, "version", "Version", VersionText(section.version));
        if (IsText(out)) {
            TextLine(out,
                     section.version >= kDisplayIdVersion2 ? "Primary use case" : "Product type",
                     ProductTypeText(section.version, section.productType));
        }
        Unsigned(out, "product_type", "", section.productType);
        Bool(out, "checksum_valid", "Checksum valid", section.checksumValid);
        if (section.dataBlocks.empty()) {
            TextLine(out, "Data block", "-");
        }
        BeginArray(out, "data_blocks", "", JsonLayout::Inline, TextShow::Items);
        for (const DisplayIdDataBlockEntry& b : section.dataBlocks) {
            TextLine(out, "Data block", b.name);
            TextFieldLines(out, b.fields);
            BeginObject(out, "", "", JsonLayout::Inline, TextShow::Hidden);
            Unsigned(out, "block", "", section.block);
            Unsigned(out, "tag", "", b.tag);
            Null(out, "extended_tag", "");
            Name(out, "name", "", b.name);
            JsonFields(out, "fields", b.fields);
            End(out);
        }
        End(out);
        DescribeProduct(out, section.product);
        DescribeParameters(out, section.parameters);
        End(out);
    }
    End(out);
    const auto& tiled = info.displayIdTiled;
    if (tiled) {
        BeginObject(out, "displayid_tiled", "", JsonLayout::Inline, TextShow::Items);
        Unsigned(out, "tiles_h", "Tiles across", tiled->tilesH);
        Unsigned(out, "tiles_v", "Tiles down", tiled->tilesV);
        Unsigned(out, "tile_x", "Tile column", tiled->tileX);
        Unsigned(out, "tile_y", "Tile row", tiled->tileY);
        Unsigned(out, "tile_width", "Tile width", tiled->tileWidth);
        Unsigned(out, "tile_height", "Tile height", tiled->tileHeight);
        End(out);
    } else {
        Null(out, "displayid_tiled", "");
    }
    BeginArray(out, "displayid_adaptive_sync", "", JsonLayout::Inline, TextShow::Items);
    for (const DisplayIdAdaptiveSync& range : info.displayIdAdaptiveSync) {
        BeginObject(out, "", "Adaptive sync", JsonLayout::Inline, TextShow::Joined);
        Unsigned(out, "min_hz", "", range.minHz, " Hz");
        Unsigned(out, "max_hz", "", range.maxHz, " Hz");
        End(out);
    }
    End(out);
}

} // namespace moniquet
