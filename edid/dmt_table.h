// The VESA DMT modes (Display Monitor Timing 1.0, revision 13) and the
// modes that the established timing bits of the base block name.
#pragma once

#include "edid/info_base.h"

#include <cstdint>
#include <optional>
#include <span>

// A mode of a timing table: its addressable size and the totals and pixel
// clock its exact rate comes from.
struct TableMode {
    uint32_t width = 0;
    uint32_t height = 0;
    bool interlaced = false;
    // Nominal vertical rate, Hz, as the standards name the mode.
    uint32_t nominalHz = 0;
    // Reduced blanking (CVT-RB).
    bool reducedBlanking = false;
    uint32_t pixelClockKHz = 0;
    uint32_t hTotal = 0;
    // Lines of a frame; an interlaced mode's fields have half each.
    uint32_t vTotal = 0;
};

// The DMT mode as FindDmtMode chooses it, with its totals and clock.
std::optional<TableMode> FindDmtTableMode(uint32_t width, uint32_t height, uint32_t nominalHz);

// The mode with its exact rate: the clock over the totals (a field's
// half-frame of lines when interlaced).
ModeTiming ModeOf(const TableMode& mode);

// The DMT mode of that size and nominal rate, one with normal blanking where
// both kinds exist; empty when DMT has none.
std::optional<ModeTiming> FindDmtMode(uint32_t width, uint32_t height, uint32_t nominalHz);

// The DMT mode of DMT ID `id`, 0x01 to 0x58; empty for any other.
std::optional<ModeTiming> FindDmtModeById(uint32_t id);

// The 17 modes of the established timing bits, in the order of their bits:
// byte 35 bit 7 first, byte 37 bit 7 last.
std::span<const TableMode, 17> EstablishedModes();
