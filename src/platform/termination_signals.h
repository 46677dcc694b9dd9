// SIGTERM and SIGINT (a desktop logout, Ctrl+C, kill) turned into a readable
// file descriptor, so that an event loop can end the program the orderly
// way instead of dying in the middle of a save.
#pragma once

#include <csignal>

class TTerminationSignals {
public:
    // Installs the handlers; the previous ones come back on destruction. One
    // instance at a time.
    TTerminationSignals();
    ~TTerminationSignals();
    TTerminationSignals(const TTerminationSignals&) = delete;
    TTerminationSignals& operator=(const TTerminationSignals&) = delete;

    // Readable once a signal came.
    int Fd() const { return readFd_; }
    // Empties the descriptor; true when a signal came since the last call.
    bool Take();

private:
    int readFd_ = -1;
    struct sigaction oldTerm_ {};
    struct sigaction oldInt_ {};
};
