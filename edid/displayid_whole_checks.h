// The DisplayID rules of the EDID as a whole: the data blocks a display's
// sections require, and what one section says against another or against
// the base block. They read the decoded model and the walk's scratch.
#pragma once

#include "edid/walk.h"

namespace moniquet {

void CheckDisplayIdWhole(Walk& walk);

} // namespace moniquet
