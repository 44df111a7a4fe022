// The two ways out for the selected monitor: its report to the clipboard and
// its whole EDID to a file the user names.
#pragma once

#include <windows.h>

#include <string_view>

namespace moniquet {

// Path proposed by the save dialog and written back by it. Kept for the whole
// run, so that a second Save proposes the path chosen the first time.
inline constexpr size_t kSaveFileNameCapacity = 2048;
extern wchar_t g_saveFileName[kSaveFileNameCapacity];

// Puts the selected monitor's report on the clipboard; silently does nothing
// when no monitor is selected or the text cannot be placed there.
void CopyReport(HWND window);

// Asks for a file name, then writes the selected monitor's whole EDID
// there, every block as read. A failure, including a save dialog that cannot be shown, shows the
// save-failure box and leaves any old file whole.
void SaveRawBlock(HWND window);

// Replaces the clipboard's content by `text` as Unicode text, with `owner` as
// the clipboard's owner. On failure the clipboard keeps what it held, unless
// the hand-over itself failed. `text` should hold no U+0000, as readers of the
// clipboard stop at the first one.
bool CopyTextToClipboard(HWND owner, std::u16string_view text);

} // namespace moniquet
