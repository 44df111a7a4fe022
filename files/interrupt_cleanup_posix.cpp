#include "files/interrupt_cleanup_posix.h"

#include <atomic>
#include <climits>
#include <cstring>
#include <unistd.h>

namespace moniquet {

namespace {

char g_pendingPath[PATH_MAX];
volatile std::sig_atomic_t g_pathRecorded = 0;

// Only async-signal-safe calls: the program then ends as the signal would
// have ended it without us.
void RemoveAndEnd(int signal) {
    if (g_pathRecorded != 0) {
        ::unlink(g_pendingPath);
    }
    struct sigaction fallback {};
    fallback.sa_handler = SIG_DFL;
    sigemptyset(&fallback.sa_mask);
    ::sigaction(signal, &fallback, nullptr);
    ::raise(signal);
}

} // namespace

InterruptWatch WatchInterruptions() {
    InterruptWatch watch{};
    struct sigaction removal {};
    removal.sa_handler = RemoveAndEnd;
    // A second signal waits until the first has removed the file.
    sigemptyset(&removal.sa_mask);
    for (const int signal : kEndingSignals) {
        sigaddset(&removal.sa_mask, signal);
    }
    for (int i = 0; i < kEndingSignalCount; ++i) {
        ::sigaction(kEndingSignals[i], nullptr, &watch.previous[i]);
        watch.installed[i] = (watch.previous[i].sa_flags & SA_SIGINFO) == 0 &&
                             watch.previous[i].sa_handler == SIG_DFL &&
                             ::sigaction(kEndingSignals[i], &removal, nullptr) == 0;
    }
    return watch;
}

void StopWatchingInterruptions(const InterruptWatch& watch) {
    RemoveOnInterruption(nullptr);
    for (int i = 0; i < kEndingSignalCount; ++i) {
        if (watch.installed[i]) {
            ::sigaction(kEndingSignals[i], &watch.previous[i], nullptr);
        }
    }
}

void RemoveOnInterruption(const char* path) {
    // The handler must never see a half-copied name.
    g_pathRecorded = 0;
    std::atomic_signal_fence(std::memory_order_seq_cst);
    if (path == nullptr || std::strlen(path) >= sizeof(g_pendingPath)) {
        return;
    }
    std::strcpy(g_pendingPath, path);
    std::atomic_signal_fence(std::memory_order_seq_cst);
    g_pathRecorded = 1;
}

} // namespace moniquet
