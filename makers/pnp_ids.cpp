#include "makers/maker_table.h"

namespace moniquet {

namespace {

constexpr MakerName kPnpMakerNames[] = {
#include "makers/pnp_ids.inc"
};

} // namespace

std::span<const MakerName> PnpMakerNames() {
    return kPnpMakerNames;
}

} // namespace moniquet
