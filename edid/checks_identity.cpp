// Who made the monitor and when: the letters, the serial number and the
// date of bytes 8 to 17.
#include "edid/bits.h"
#include "edid/checks_base.h"
#include "edid/edid_layout.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <string>

namespace moniquet {

namespace {

using std::to_string;

constexpr uint32_t kLastWeek13 = 53;
constexpr uint32_t kLastWeek = 54;
// This code was written in this year: no clock it runs under shows an
// earlier one, so no year up to the next one needs the clock read.
constexpr uint32_t kYearWritten = 2026;

uint32_t ClockYear() {
    const auto today = std::chrono::floor<std::chrono::days>(std::chrono::system_clock::now());
    return static_cast<uint32_t>(static_cast<int>(std::chrono::year_month_day(today).year()));
}

// Three 5-bit letter codes, 1 to 26 for A to Z.
void CheckManufacturer(WholeBlock block, const DiagnosticSink& sink) {
    const uint32_t id = block[kManufacturerIdOffset] << 8 | block[kManufacturerIdOffset + 1];
    const std::array<uint32_t, 3> letters = {id >> 10 & 0x1F, id >> 5 & 0x1F, id & 0x1F};
    if (std::all_of(letters.begin(), letters.end(), [](uint32_t l) { return l >= 1 && l <= 26; })) {
        return;
    }
    Fail(sink, DiagnosticCode::ManufacturerIdInvalid, kManufacturerIdOffset,
         "bytes 8 and 9 hold the letter codes " + to_string(letters[0]) + ", " +
             to_string(letters[1]) + " and " + to_string(letters[2]) +
             " as the manufacturer's ID, but each must be 1 to 26 (A to Z)");
}

void CheckWeek(WholeBlock block, const DiagnosticSink& sink, uint32_t revision) {
    const uint8_t week = block[kWeekOffset];
    if (week == kWeekIsModelYear && revision <= 3) {
        Fail(sink, DiagnosticCode::ManufactureWeekInvalid, kWeekOffset,
             "byte 16 is 0xFF, which marks a model year from EDID 1.4 on, but this EDID is 1." +
                 to_string(revision));
    } else if (week == kLastWeek && revision <= 3) {
        Fail(sink, DiagnosticCode::ManufactureWeekInvalid, kWeekOffset,
             "byte 16 is week 54, but EDID 1." + to_string(revision) + " counts weeks 1 to " +
                 to_string(kLastWeek13));
    } else if (week != kWeekIsModelYear && week > kLastWeek) {
        Fail(sink, DiagnosticCode::ManufactureWeekInvalid, kWeekOffset,
             "byte 16 is week " + to_string(week) +
                 ", but weeks go from 1 to 54 (0: no week, 0xFF: a model year)");
    }
}

// A date more than a year ahead is no plan of a maker's: the byte is
// garbage.
void CheckYear(WholeBlock block, const DiagnosticSink& sink, const BaseCheckState& state) {
    const uint32_t year = kFirstYear + block[kYearOffset];
    if (year <= kYearWritten + 1) {
        return;
    }
    const uint32_t reference = state.referenceYear ? *state.referenceYear : ClockYear();
    if (year > reference + 1) {
        Fail(sink, DiagnosticCode::ManufactureYearInFuture, kYearOffset,
             "byte 17 gives the year " + to_string(year) + ", more than a year after " +
                 to_string(reference));
    }
}

} // namespace

uint32_t RevisionOf(const EdidInfo& info) {
    return info.version == 1u ? info.revision.value_or(0) : 0;
}

bool IsDummySerialNumber(uint32_t serial) {
    // Values found in many monitors of many models, in decimal and hex.
    static constexpr std::array<uint32_t, 8> kDummies = {1,          0x01010101, 1010101, 0x5445,
                                                         0x80000000, 20000080,   8888,    6666};
    return std::find(kDummies.begin(), kDummies.end(), serial) != kDummies.end();
}

void CheckIdentity(WholeBlock block, const DiagnosticSink& sink, const Walk& walk) {
    if (!Checking(sink)) {
        return;
    }
    CheckManufacturer(block, sink);
    const uint32_t serial = Le16(block, kSerialNumberOffset) | Le16(block, kSerialNumberOffset + 2)
                                                                   << 16;
    if (IsDummySerialNumber(serial)) {
        Warn(sink, DiagnosticCode::SerialNumberDummy, kSerialNumberOffset,
             "bytes 12 to 15 hold the serial number " + to_string(serial) +
                 ", a placeholder many makers use; 0 says there is none");
    }
    CheckWeek(block, sink, RevisionOf(walk.info));
    CheckYear(block, sink, walk.base);
}

} // namespace moniquet
