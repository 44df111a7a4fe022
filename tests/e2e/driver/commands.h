// The driver's subcommands. Each takes the arguments after its name and
// returns the exit status: 0 done, 1 window/control/data not found or timed
// out, 2 wrong command line.
#pragma once

#include <string>
#include <vector>

using DriverArgs = std::vector<std::wstring>;

inline constexpr int kDone = 0;
inline constexpr int kNotFound = 1;
inline constexpr int kUsage = 2;

int WaitCommand(const DriverArgs& args);
int GoneCommand(const DriverArgs& args);
int TextCommand(const DriverArgs& args);
int ControlsCommand(const DriverArgs& args);
int WindowsCommand(const DriverArgs& args);
int ItemsCommand(const DriverArgs& args);
int SelectedCommand(const DriverArgs& args);
int SelectCommand(const DriverArgs& args);
int ClickCommand(const DriverArgs& args);
int SetTextCommand(const DriverArgs& args);
int KeyCommand(const DriverArgs& args);
int CloseCommand(const DriverArgs& args);
int ClipboardCommand(const DriverArgs& args);
int FontCommand(const DriverArgs& args);
int SizeCommand(const DriverArgs& args);
int PitchCommand(const DriverArgs& args);
