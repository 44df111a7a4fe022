// Removal of a save's temporary file when a signal ends the program in the
// middle of the save: a terminal closed (SIGHUP), Ctrl-C or Ctrl-\, a kill,
// a timer, a file size limit. One save at a time: the file's name is kept in
// one static buffer, the only memory a signal handler may safely read.
#pragma once

#include <csignal>

namespace moniquet {

// Every signal whose default action ends the program and that may come
// while a save runs.
inline constexpr int kEndingSignals[] = {SIGHUP,  SIGINT,  SIGQUIT, SIGPIPE,   SIGALRM, SIGTERM,
                                         SIGXFSZ, SIGUSR1, SIGUSR2, SIGVTALRM, SIGPROF};
inline constexpr int kEndingSignalCount = sizeof(kEndingSignals) / sizeof(kEndingSignals[0]);

// The program's handling of those signals before the save, to be put back.
struct InterruptWatch {
    struct sigaction previous[kEndingSignalCount];
    bool installed[kEndingSignalCount]; // whether ours replaced them
};

// Installs the removal for each of the signals left at its default
// action; a program that ignores or handles one itself keeps doing so.
InterruptWatch WatchInterruptions();

// Puts back what WatchInterruptions found.
void StopWatchingInterruptions(const InterruptWatch& watch);

// The file a signal removes from now on; nullptr for none. A path that does
// not fit the buffer is not recorded (the system would refuse it anyway).
void RemoveOnInterruption(const char* path);

} // namespace moniquet
