#include "edid/dmt_table.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <vector>

namespace moniquet {

namespace {

// VESA DMT 1.0 revision 13, in the order of its own table (by size, then
// rate): DMT ID, the standard timing code DMT gives the mode, and the mode:
// size, interlace, nominal rate, reduced blanking, pixel clock (kHz), then
// the horizontal and vertical blanking (front porch, sync, back porch,
// border, positive sync). The vertical blanking of 0x0F is a field's.
// clang-format off
constexpr DmtEntry kDmt[] = {
    {0x01, 0x0000, {640, 350, false, 85, false, 31500, {32, 64, 96, 0, true}, {32, 3, 60, 0, false}}},
    {0x02, 0x3119, {640, 400, false, 85, false, 31500, {32, 64, 96, 0, false}, {1, 3, 41, 0, true}}},
    {0x03, 0x0000, {720, 400, false, 85, false, 35500, {36, 72, 108, 0, false}, {1, 3, 42, 0, true}}},
    {0x04, 0x3140, {640, 480, false, 60, false, 25175, {8, 96, 40, 8, false}, {2, 2, 25, 8, false}}},
    {0x05, 0x314C, {640, 480, false, 72, false, 31500, {16, 40, 120, 8, false}, {1, 3, 20, 8, false}}},
    {0x06, 0x314F, {640, 480, false, 75, false, 31500, {16, 64, 120, 0, false}, {1, 3, 16, 0, false}}},
    {0x07, 0x3159, {640, 480, false, 85, false, 36000, {56, 56, 80, 0, false}, {1, 3, 25, 0, false}}},
    {0x08, 0x0000, {800, 600, false, 56, false, 36000, {24, 72, 128, 0, true}, {1, 2, 22, 0, true}}},
    {0x09, 0x4540, {800, 600, false, 60, false, 40000, {40, 128, 88, 0, true}, {1, 4, 23, 0, true}}},
    {0x0A, 0x454C, {800, 600, false, 72, false, 50000, {56, 120, 64, 0, true}, {37, 6, 23, 0, true}}},
    {0x0B, 0x454F, {800, 600, false, 75, false, 49500, {16, 80, 160, 0, true}, {1, 3, 21, 0, true}}},
    {0x0C, 0x4559, {800, 600, false, 85, false, 56250, {32, 64, 152, 0, true}, {1, 3, 27, 0, true}}},
    {0x0D, 0x0000, {800, 600, false, 120, true, 73250, {48, 32, 80, 0, true}, {3, 4, 29, 0, false}}},
    {0x0E, 0x0000, {848, 480, false, 60, false, 33750, {16, 112, 112, 0, true}, {6, 8, 23, 0, true}}},
    {0x0F, 0x0000, {1024, 768, true, 43, false, 44900, {8, 176, 56, 0, true}, {0, 4, 20, 0, true}}},
    {0x10, 0x6140, {1024, 768, false, 60, false, 65000, {24, 136, 160, 0, false}, {3, 6, 29, 0, false}}},
    {0x11, 0x614A, {1024, 768, false, 70, false, 75000, {24, 136, 144, 0, false}, {3, 6, 29, 0, false}}},
    {0x12, 0x614F, {1024, 768, false, 75, false, 78750, {16, 96, 176, 0, true}, {1, 3, 28, 0, true}}},
    {0x13, 0x6159, {1024, 768, false, 85, false, 94500, {48, 96, 208, 0, true}, {1, 3, 36, 0, true}}},
    {0x14, 0x0000, {1024, 768, false, 120, true, 115500, {48, 32, 80, 0, true}, {3, 4, 38, 0, false}}},
    {0x15, 0x714F, {1152, 864, false, 75, false, 108000, {64, 128, 256, 0, true}, {1, 3, 32, 0, true}}},
    {0x55, 0x81C0, {1280, 720, false, 60, false, 74250, {110, 40, 220, 0, true}, {5, 5, 20, 0, true}}},
    {0x16, 0x0000, {1280, 768, false, 60, true, 68250, {48, 32, 80, 0, true}, {3, 7, 12, 0, false}}},
    {0x17, 0x0000, {1280, 768, false, 60, false, 79500, {64, 128, 192, 0, false}, {3, 7, 20, 0, true}}},
    {0x18, 0x0000, {1280, 768, false, 75, false, 102250, {80, 128, 208, 0, false}, {3, 7, 27, 0, true}}},
    {0x19, 0x0000, {1280, 768, false, 85, false, 117500, {80, 136, 216, 0, false}, {3, 7, 31, 0, true}}},
    {0x1A, 0x0000, {1280, 768, false, 120, true, 140250, {48, 32, 80, 0, true}, {3, 7, 35, 0, false}}},
    {0x1B, 0x0000, {1280, 800, false, 60, true, 71000, {48, 32, 80, 0, true}, {3, 6, 14, 0, false}}},
    {0x1C, 0x8100, {1280, 800, false, 60, false, 83500, {72, 128, 200, 0, false}, {3, 6, 22, 0, true}}},
    {0x1D, 0x810F, {1280, 800, false, 75, false, 106500, {80, 128, 208, 0, false}, {3, 6, 29, 0, true}}},
    {0x1E, 0x8119, {1280, 800, false, 85, false, 122500, {80, 136, 216, 0, false}, {3, 6, 34, 0, true}}},
    {0x1F, 0x0000, {1280, 800, false, 120, true, 146250, {48, 32, 80, 0, true}, {3, 6, 38, 0, false}}},
    {0x20, 0x8140, {1280, 960, false, 60, false, 108000, {96, 112, 312, 0, true}, {1, 3, 36, 0, true}}},
    {0x21, 0x8159, {1280, 960, false, 85, false, 148500, {64, 160, 224, 0, true}, {1, 3, 47, 0, true}}},
    {0x22, 0x0000, {1280, 960, false, 120, true, 175500, {48, 32, 80, 0, true}, {3, 4, 50, 0, false}}},
    {0x23, 0x8180, {1280, 1024, false, 60, false, 108000, {48, 112, 248, 0, true}, {1, 3, 38, 0, true}}},
    {0x24, 0x818F, {1280, 1024, false, 75, false, 135000, {16, 144, 248, 0, true}, {1, 3, 38, 0, true}}},
    {0x25, 0x8199, {1280, 1024, false, 85, false, 157500, {64, 160, 224, 0, true}, {1, 3, 44, 0, true}}},
    {0x26, 0x0000, {1280, 1024, false, 120, true, 187250, {48, 32, 80, 0, true}, {3, 7, 50, 0, false}}},
    {0x27, 0x0000, {1360, 768, false, 60, false, 85500, {64, 112, 256, 0, true}, {3, 6, 18, 0, true}}},
    {0x28, 0x0000, {1360, 768, false, 120, true, 148250, {48, 32, 80, 0, true}, {3, 5, 37, 0, false}}},
    {0x51, 0x0000, {1366, 768, false, 60, false, 85500, {70, 143, 213, 0, true}, {3, 3, 24, 0, true}}},
    {0x56, 0x0000, {1366, 768, false, 60, true, 72000, {14, 56, 64, 0, true}, {1, 3, 28, 0, true}}},
    {0x29, 0x0000, {1400, 1050, false, 60, true, 101000, {48, 32, 80, 0, true}, {3, 4, 23, 0, false}}},
    {0x2A, 0x9040, {1400, 1050, false, 60, false, 121750, {88, 144, 232, 0, false}, {3, 4, 32, 0, true}}},
    {0x2B, 0x904F, {1400, 1050, false, 75, false, 156000, {104, 144, 248, 0, false}, {3, 4, 42, 0, true}}},
    {0x2C, 0x9059, {1400, 1050, false, 85, false, 179500, {104, 152, 256, 0, false}, {3, 4, 48, 0, true}}},
    {0x2D, 0x0000, {1400, 1050, false, 120, true, 208000, {48, 32, 80, 0, true}, {3, 4, 55, 0, false}}},
    {0x2E, 0x0000, {1440, 900, false, 60, true, 88750, {48, 32, 80, 0, true}, {3, 6, 17, 0, false}}},
    {0x2F, 0x9500, {1440, 900, false, 60, false, 106500, {80, 152, 232, 0, false}, {3, 6, 25, 0, true}}},
    {0x30, 0x950F, {1440, 900, false, 75, false, 136750, {96, 152, 248, 0, false}, {3, 6, 33, 0, true}}},
    {0x31, 0x9519, {1440, 900, false, 85, false, 157000, {104, 152, 256, 0, false}, {3, 6, 39, 0, true}}},
    {0x32, 0x0000, {1440, 900, false, 120, true, 182750, {48, 32, 80, 0, true}, {3, 6, 44, 0, false}}},
    {0x53, 0xA9C0, {1600, 900, false, 60, true, 108000, {24, 80, 96, 0, true}, {1, 3, 96, 0, true}}},
    {0x33, 0xA940, {1600, 1200, false, 60, false, 162000, {64, 192, 304, 0, true}, {1, 3, 46, 0, true}}},
    {0x34, 0xA945, {1600, 1200, false, 65, false, 175500, {64, 192, 304, 0, true}, {1, 3, 46, 0, true}}},
    {0x35, 0xA94A, {1600, 1200, false, 70, false, 189000, {64, 192, 304, 0, true}, {1, 3, 46, 0, true}}},
    {0x36, 0xA94F, {1600, 1200, false, 75, false, 202500, {64, 192, 304, 0, true}, {1, 3, 46, 0, true}}},
    {0x37, 0xA959, {1600, 1200, false, 85, false, 229500, {64, 192, 304, 0, true}, {1, 3, 46, 0, true}}},
    {0x38, 0x0000, {1600, 1200, false, 120, true, 268250, {48, 32, 80, 0, true}, {3, 4, 64, 0, false}}},
    {0x39, 0x0000, {1680, 1050, false, 60, true, 119000, {48, 32, 80, 0, true}, {3, 6, 21, 0, false}}},
    {0x3A, 0xB300, {1680, 1050, false, 60, false, 146250, {104, 176, 280, 0, false}, {3, 6, 30, 0, true}}},
    {0x3B, 0xB30F, {1680, 1050, false, 75, false, 187000, {120, 176, 296, 0, false}, {3, 6, 40, 0, true}}},
    {0x3C, 0xB319, {1680, 1050, false, 85, false, 214750, {128, 176, 304, 0, false}, {3, 6, 46, 0, true}}},
    {0x3D, 0x0000, {1680, 1050, false, 120, true, 245500, {48, 32, 80, 0, true}, {3, 6, 53, 0, false}}},
    {0x3E, 0xC140, {1792, 1344, false, 60, false, 204750, {128, 200, 328, 0, false}, {1, 3, 46, 0, true}}},
    {0x3F, 0xC14F, {1792, 1344, false, 75, false, 261000, {96, 216, 352, 0, false}, {1, 3, 69, 0, true}}},
    {0x40, 0x0000, {1792, 1344, false, 120, true, 333250, {48, 32, 80, 0, true}, {3, 4, 72, 0, false}}},
    {0x41, 0xC940, {1856, 1392, false, 60, false, 218250, {96, 224, 352, 0, false}, {1, 3, 43, 0, true}}},
    {0x42, 0xC94F, {1856, 1392, false, 75, false, 288000, {128, 224, 352, 0, false}, {1, 3, 104, 0, true}}},
    {0x43, 0x0000, {1856, 1392, false, 120, true, 356500, {48, 32, 80, 0, true}, {3, 4, 75, 0, false}}},
    {0x52, 0xD1C0, {1920, 1080, false, 60, false, 148500, {88, 44, 148, 0, true}, {4, 5, 36, 0, true}}},
    {0x44, 0x0000, {1920, 1200, false, 60, true, 154000, {48, 32, 80, 0, true}, {3, 6, 26, 0, false}}},
    {0x45, 0xD100, {1920, 1200, false, 60, false, 193250, {136, 200, 336, 0, false}, {3, 6, 36, 0, true}}},
    {0x46, 0xD10F, {1920, 1200, false, 75, false, 245250, {136, 208, 344, 0, false}, {3, 6, 46, 0, true}}},
    {0x47, 0xD119, {1920, 1200, false, 85, false, 281250, {144, 208, 352, 0, false}, {3, 6, 53, 0, true}}},
    {0x48, 0x0000, {1920, 1200, false, 120, true, 317000, {48, 32, 80, 0, true}, {3, 6, 62, 0, false}}},
    {0x49, 0xD140, {1920, 1440, false, 60, false, 234000, {128, 208, 344, 0, false}, {1, 3, 56, 0, true}}},
    {0x4A, 0xD14F, {1920, 1440, false, 75, false, 297000, {144, 224, 352, 0, false}, {1, 3, 56, 0, true}}},
    {0x4B, 0x0000, {1920, 1440, false, 120, true, 380500, {48, 32, 80, 0, true}, {3, 4, 78, 0, false}}},
    {0x54, 0xE1C0, {2048, 1152, false, 60, true, 162000, {26, 80, 96, 0, true}, {1, 3, 44, 0, true}}},
    {0x4C, 0x0000, {2560, 1600, false, 60, true, 268500, {48, 32, 80, 0, true}, {3, 6, 37, 0, false}}},
    {0x4D, 0x0000, {2560, 1600, false, 60, false, 348500, {192, 280, 472, 0, false}, {3, 6, 49, 0, true}}},
    {0x4E, 0x0000, {2560, 1600, false, 75, false, 443250, {208, 280, 488, 0, false}, {3, 6, 63, 0, true}}},
    {0x4F, 0x0000, {2560, 1600, false, 85, false, 505250, {208, 280, 488, 0, false}, {3, 6, 73, 0, true}}},
    {0x50, 0x0000, {2560, 1600, false, 120, true, 552750, {48, 32, 80, 0, true}, {3, 6, 85, 0, false}}},
    {0x57, 0x0000, {4096, 2160, false, 60, true, 556744, {8, 32, 40, 0, true}, {48, 8, 6, 0, false}}},
    {0x58, 0x0000, {4096, 2160, false, 60, true, 556188, {8, 32, 40, 0, true}, {48, 8, 6, 0, false}}},
};
// clang-format on

constexpr TableMode Dmt(uint32_t id) {
    for (const DmtEntry& e : kDmt) {
        if (e.id == id) {
            return e.mode;
        }
    }
    return {};
}

// Bytes 35 to 37 of the base block, bit 7 first: DMT's modes, and IBM's
// and Apple's of before DMT (their blanking as those makers defined it).
constexpr std::array<TableMode, 17> kEstablished = {{
    {720, 400, false, 70, false, 28320, {18, 108, 54, 0, false}, {12, 2, 35, 0, true}},
    {720, 400, false, 88, false, 35500, {18, 108, 54, 0, false}, {21, 2, 26, 0, false}},
    Dmt(0x04),
    {640, 480, false, 67, false, 30240, {64, 64, 96, 0, false}, {3, 3, 39, 0, false}},
    Dmt(0x05),
    Dmt(0x06),
    Dmt(0x08),
    Dmt(0x09),
    Dmt(0x0A),
    Dmt(0x0B),
    {832, 624, false, 75, false, 57284, {32, 64, 224, 0, false}, {1, 3, 39, 0, false}},
    Dmt(0x0F),
    Dmt(0x10),
    Dmt(0x11),
    Dmt(0x12),
    Dmt(0x24),
    {1152, 870, false, 75, false, 100000, {32, 128, 144, 0, false}, {3, 3, 39, 0, false}},
}};

// Bytes 6 to 11 of display descriptor 0xF7, bit 7 first.
constexpr std::array<uint8_t, 44> kEstablishedIii = {
    0x01, 0x02, 0x03, 0x07, 0x0E, 0x0C, 0x13, 0x15, 0x16, 0x17, 0x18, 0x19, 0x20, 0x21, 0x23,
    0x25, 0x27, 0x2E, 0x2F, 0x30, 0x31, 0x29, 0x2A, 0x2B, 0x2C, 0x39, 0x3A, 0x3B, 0x3C, 0x33,
    0x34, 0x35, 0x36, 0x37, 0x3E, 0x3F, 0x41, 0x42, 0x44, 0x45, 0x46, 0x47, 0x49, 0x4A,
};

const DmtEntry* FindById(uint32_t id) {
    const auto* found = std::find_if(std::begin(kDmt), std::end(kDmt),
                                     [id](const DmtEntry& e) { return e.id == id; });
    return found != std::end(kDmt) ? found : nullptr;
}

} // namespace

uint32_t HTotal(const TableMode& mode) {
    const TableBlanking& h = mode.h;
    return mode.width + h.frontPorch + h.sync + h.backPorch + 2 * h.border;
}

double FieldLines(const TableMode& mode) {
    const TableBlanking& v = mode.v;
    const uint32_t blanking = v.frontPorch + v.sync + v.backPorch + 2 * v.border;
    if (!mode.interlaced) {
        return mode.height + blanking;
    }
    // Fields alternate between one more and one fewer line, but for VIC 39.
    return mode.height / 2.0 + blanking + (mode.evenFields ? 0 : 0.5);
}

uint32_t VTotal(const TableMode& mode) {
    return static_cast<uint32_t>(mode.interlaced ? 2 * FieldLines(mode) : FieldLines(mode));
}

ModeTiming ModeOf(const TableMode& mode) {
    return {mode.width, mode.height, mode.interlaced,
            mode.pixelClockKHz * 1000.0 / (HTotal(mode) * FieldLines(mode))};
}

std::optional<TableMode> FindDmtTableMode(uint32_t width, uint32_t height, uint32_t nominalHz) {
    // DMT gives 1024x768 at 70 Hz the standard timing code of 72 Hz (61 4C).
    if (width == 1024 && height == 768 && nominalHz == 72) {
        nominalHz = 70;
    }
    const TableMode* found = nullptr;
    for (const DmtEntry& e : kDmt) {
        const TableMode& mode = e.mode;
        if (mode.width == width && mode.height == height && mode.nominalHz == nominalHz &&
            !mode.interlaced &&
            (found == nullptr || (found->reducedBlanking && !mode.reducedBlanking))) {
            found = &mode;
            // Normal blanking is what is looked for first: nothing beats it.
            if (!found->reducedBlanking) {
                break;
            }
        }
    }
    return found != nullptr ? std::optional(*found) : std::nullopt;
}

std::optional<TableMode> FindDmtByStandardCode(uint32_t code) {
    // The modes that have a code, by code: the base block names up to 8.
    static const std::vector<const DmtEntry*> byCode = [] {
        std::vector<const DmtEntry*> entries;
        for (const DmtEntry& e : kDmt) {
            if (e.standardCode != 0) {
                entries.push_back(&e);
            }
        }
        std::sort(entries.begin(), entries.end(), [](const DmtEntry* a, const DmtEntry* b) {
            return a->standardCode < b->standardCode;
        });
        return entries;
    }();
    const auto found =
        std::lower_bound(byCode.begin(), byCode.end(), code,
                         [](const DmtEntry* e, uint32_t c) { return e->standardCode < c; });
    return found != byCode.end() && (*found)->standardCode == code ? std::optional((*found)->mode)
                                                                   : std::nullopt;
}

std::optional<ModeTiming> FindDmtMode(uint32_t width, uint32_t height, uint32_t nominalHz) {
    const std::optional<TableMode> found = FindDmtTableMode(width, height, nominalHz);
    return found ? std::optional(ModeOf(*found)) : std::nullopt;
}

std::optional<TableMode> FindDmtTableModeById(uint32_t id) {
    const DmtEntry* entry = FindById(id);
    return entry != nullptr ? std::optional(entry->mode) : std::nullopt;
}

std::optional<ModeTiming> FindDmtModeById(uint32_t id) {
    const DmtEntry* entry = FindById(id);
    return entry != nullptr ? std::optional(ModeOf(entry->mode)) : std::nullopt;
}

std::span<const DmtEntry> DmtEntries() {
    return kDmt;
}

std::span<const TableMode, 17> EstablishedModes() {
    return kEstablished;
}

std::span<const uint8_t, 44> EstablishedIiiDmtIds() {
    return kEstablishedIii;
}

} // namespace moniquet
