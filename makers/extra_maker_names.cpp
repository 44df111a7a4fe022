// Codes that real monitors carry but hwdata's pnp.ids (0.368) does not list.
// A code is here only when its maker is beyond doubt: the EDIDs that carry it
// name the maker themselves, in their product name or data string, and the
// name given is the one the company publishes for itself. Codes seen with no
// such evidence (e.g. a television brand sold by a retailer, or a code on a
// single sample) are left unknown rather than guessed.
#include "makers/maker_table.h"

namespace moniquet {

namespace {

constexpr MakerName kExtraMakerNames[] = {
    // AOC's monitors: product names such as "AOC203VW" and AOC's model numbers.
    {u"AOC", u"AOC International"},
    // BenQ's monitors: product names "BenQ GL2450H", "BenQ EW2740L" and so on.
    {u"BNQ", u"BenQ Corporation"},
    // Laptop panels whose own data string reads "InfoVision", with that
    // maker's part numbers (M116NWR6).
    {u"IVO", u"InfoVision Optoelectronics"},
    // Laptop panels whose own data string reads "SAMSUNG", with Samsung's
    // panel part numbers (133YL04).
    {u"SDC", u"Samsung Display"},
};

} // namespace

std::span<const MakerName> ExtraMakerNames() {
    return kExtraMakerNames;
}

} // namespace moniquet
