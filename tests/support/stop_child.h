// Ends a child process of a test: a signal, then SIGKILL when it has not
// ended within the grace time. Header-only.
#pragma once

#include <signal.h>
#include <sys/wait.h>

#include <chrono>
#include <thread>

// Returns the child's wait status. Once the child is reaped its pid may
// belong to another process, so SIGKILL goes only to a child not yet reaped.
inline int StopChild(pid_t pid, int signal, std::chrono::milliseconds grace) {
    kill(pid, signal);
    int status = 0;
    const auto deadline = std::chrono::steady_clock::now() + grace;
    while (waitpid(pid, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() >= deadline) {
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return status;
}
