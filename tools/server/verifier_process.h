// One verification in a process of its own: the replay on its standard input, one
// line read back, and a kill at its wall-clock limit or when the server stops.
#pragma once

#include <chrono>
#include <cstdint>
#include <stop_token>
#include <string>
#include <string_view>
#include <vector>

struct VerifierRun {
    enum Ending {
        Answered,  // it exited with 0 after a line
        Failed,    // it exited otherwise, or a signal (its own caps among them) ended it
        TimedOut,  // it was killed at the wall-clock limit
        Stopped,   // it was killed because the server stops
    };
    Ending ending = Failed;
    std::string line;  // its first line, without the line break
    int exitStatus = 0;
    int signal = 0;  // the signal that ended it, 0 when it exited
    std::int64_t ms = 0;
};

// argv[0] is the program's path. Throws std::runtime_error when it cannot
// be started at all.
VerifierRun RunVerifier(const std::vector<std::string>& argv, std::string_view input,
                        std::chrono::milliseconds wallLimit, std::stop_token stop);
