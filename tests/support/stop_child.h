// Stopping a child process: a polite signal, some time to go, then SIGKILL
// for one that stays. Header-only, for the tests' server helpers.
#pragma once

#include <signal.h>
#include <sys/types.h>
#include <sys/wait.h>

#include <chrono>
#include <thread>

// Sends signal to the child pid, waits up to polls times 50 ms for it to end
// and kills it when it has not; the raw wait status. The child is reaped
// either way, and a child already reaped is never signalled again, so a
// reused process id cannot be hit.
inline int StopChild(pid_t pid, int signal, int polls) {
    kill(pid, signal);
    int raw = 0;
    for (int i = 0; i < polls; ++i) {
        if (waitpid(pid, &raw, WNOHANG) != 0) return raw;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    kill(pid, SIGKILL);
    waitpid(pid, &raw, 0);
    return raw;
}
