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
// Starts C:\e2e\EXE, prints the milliseconds until its own visible window
// CAPTION, closes it and waits for the process to end. Refuses to start
// while a window CAPTION or a process of that image is already there.
int LaunchCommand(const DriverArgs& args);
// Starts C:\e2e\EXE ARG... with standard output to OUTPUT-FILE and prints
// the milliseconds until it ends; fails when it ends with a non-zero status.
// Both wait up to the default wait (E2E_WAIT_MS).
int RunCommand(const DriverArgs& args);
