// Removal of a save's temporary file when Ctrl+C, Ctrl+Break or the closing
// of the console ends the program in the middle of the save. The console's
// control handler runs on a thread of its own: the name it removes is kept
// under a lock, which the save holds while it creates the file and while it
// puts it in place, so that the handler never comes between. One save at a
// time.
#pragma once

#include <string>

namespace moniquet {

// Installs the handler for the time of one save. Handlers the program
// installed before still run after it, so a program that handles Ctrl+C
// itself keeps doing so (its save then fails, as the file is gone).
void WatchConsoleInterruptions();

// Takes the handler away again and forgets the recorded name.
void StopWatchingConsoleInterruptions();

// Make the handler wait, and let it go on again.
void HoldOffConsoleInterruptions();
void AllowConsoleInterruptions();

// The file the handler removes from now on, empty for none; called while the
// handler is held off. The file must be open with FILE_SHARE_DELETE, so that
// it can be removed while the save still writes to it.
void RemoveOnConsoleInterruption(const std::wstring& path);

} // namespace moniquet
