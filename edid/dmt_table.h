// The VESA DMT modes (Display Monitor Timing 1.0, revision 13) and the
// modes that the established timing bits of the base block and of display
// descriptor 0xF7 name.
#pragma once

#include "moniquet/info_base.h"

#include <cstdint>
#include <optional>
#include <span>

namespace moniquet {

// One direction of a mode's blanking, in pixels (horizontal) or lines
// (vertical: a field's, when the mode is interlaced).
struct TableBlanking {
    uint32_t frontPorch = 0;
    uint32_t sync = 0;
    uint32_t backPorch = 0;
    // On each side of the addressable video; the porches leave it out.
    uint32_t border = 0;
    bool syncPositive = false;
};

// A mode as a table or a formula of the standards defines it: its
// addressable size, pixel clock and blanking, from which its exact rates
// follow.
struct TableMode {
    uint32_t width = 0;
    // Lines of a frame; each field of an interlaced mode has half.
    uint32_t height = 0;
    bool interlaced = false;
    // Nominal vertical rate, Hz, as the standards name the mode; 0 for
    // the VIC table.
    uint32_t nominalHz = 0;
    // Reduced blanking (CVT-RB).
    bool reducedBlanking = false;
    uint32_t pixelClockKHz = 0;
    TableBlanking h;
    TableBlanking v;
    // Interlaced with fields of the same number of lines (VIC 39) rather
    // than fields half a line apart.
    bool evenFields = false;
    // The picture aspect ratio, e.g. 16 and 9, where the table gives one
    // (VICs); 0 and 0 otherwise.
    uint32_t aspectH = 0;
    uint32_t aspectV = 0;
};

// Pixels of a line, blanking and borders included.
uint32_t HTotal(const TableMode& mode);

// Lines of a field (of the frame when progressive), half lines counted:
// what the vertical rate divides the line rate by.
double FieldLines(const TableMode& mode);

// The lines of a frame, both fields of an interlaced mode.
uint32_t VTotal(const TableMode& mode);

// The DMT mode as FindDmtMode chooses it, with its blanking and clock.
std::optional<TableMode> FindDmtTableMode(uint32_t width, uint32_t height, uint32_t nominalHz);

// The DMT mode whose standard timing code (two bytes, first byte high) is
// `code`, as DMT lists them; empty when none has it.
std::optional<TableMode> FindDmtByStandardCode(uint32_t code);

// The mode with its exact rate: the clock over the totals (a field's
// half-frame of lines when interlaced).
ModeTiming ModeOf(const TableMode& mode);

// The DMT mode of that size and nominal rate, one with normal blanking where
// both kinds exist; empty when DMT has none.
std::optional<ModeTiming> FindDmtMode(uint32_t width, uint32_t height, uint32_t nominalHz);

// The DMT mode of DMT ID `id`, 0x01 to 0x58; empty for any other.
std::optional<ModeTiming> FindDmtModeById(uint32_t id);
std::optional<TableMode> FindDmtTableModeById(uint32_t id);

// Every DMT mode with its DMT ID, in the order of DMT's own table.
struct DmtEntry {
    uint32_t id = 0;
    // The standard timing code DMT gives the mode, first byte high; 0 for
    // none.
    uint32_t standardCode = 0;
    TableMode mode;
};
std::span<const DmtEntry> DmtEntries();

// The 17 modes of the established timing bits, in the order of their bits:
// byte 35 bit 7 first, byte 37 bit 7 last.
std::span<const TableMode, 17> EstablishedModes();

// The 44 DMT IDs of the bits of display descriptor 0xF7 (established
// timings III), byte 6 bit 7 first, byte 11 bit 4 last.
std::span<const uint8_t, 44> EstablishedIiiDmtIds();

} // namespace moniquet
