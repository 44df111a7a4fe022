// Removal of a save's temporary file when SIGINT or SIGTERM ends the program
// in the middle of the save. One save at a time: the file's name is kept in
// one static buffer, the only memory a signal handler may safely read.
#pragma once

#include <csignal>

// The program's handling of the two signals before the save, to be put back.
struct InterruptWatch {
    struct sigaction previous[2]; // SIGINT's and SIGTERM's actions
    bool installed[2];            // whether ours replaced them
};

// Installs the removal for each of the two signals left at its default
// action; a program that ignores or handles one itself keeps doing so.
InterruptWatch WatchInterruptions();

// Puts back what WatchInterruptions found.
void StopWatchingInterruptions(const InterruptWatch& watch);

// The file a signal removes from now on; nullptr for none. A path that does
// not fit the buffer is not recorded (the system would refuse it anyway).
void RemoveOnInterruption(const char* path);
