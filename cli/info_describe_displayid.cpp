// What the DisplayID sections say.
#include "cli/info_describe.h"

void DescribeDisplayId(InfoOutput& out, const EdidInfo& info) {
    if (!info.displayId.empty()) {
        Section(out, "DisplayID");
    }
    BeginArray(out, "displayid", "", JsonLayout::Lines, TextShow::Items);
    for (const DisplayIdInfo& section : info.displayId) {
        BeginObject(out, "", "", JsonLayout::Inline, TextShow::Items);
        Unsigned(out, "block", "Section in block", section.block);
        Unsigned(out, "version", "", section.version);
        Unsigned(out, "product_type", "Product type", section.productType);
        Bool(out, "checksum_valid", "Checksum valid", section.checksumValid);
        BeginArray(out, "data_blocks", "Data blocks", JsonLayout::Inline, TextShow::Joined);
        for (const std::string& name : section.dataBlocks) {
            Name(out, "", "", name);
        }
        End(out);
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
