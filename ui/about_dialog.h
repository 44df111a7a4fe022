// The About box: icon, name and version, publisher line and OK.
#pragma once

#include <windows.h>

namespace moniquet {

// Shows the About box over `owner` and returns once it is closed.
void ShowAboutBox(HWND owner);

} // namespace moniquet
