// SIGTERM and SIGINT reach the descriptor instead of ending the process, and
// the handlers before come back afterwards.
#include <gtest/gtest.h>
#include <poll.h>

#include <csignal>

#include "platform/termination_signals.h"

namespace {

bool Readable(int fd) {
    pollfd p{fd, POLLIN, 0};
    return poll(&p, 1, 0) == 1;
}

}  // namespace

TEST(TerminationSignals, TermAndIntBecomeReadableAndTheOldHandlersReturn) {
    std::signal(SIGTERM, SIG_IGN);
    {
        TTerminationSignals signals;
        EXPECT_FALSE(Readable(signals.Fd()));
        EXPECT_FALSE(signals.Take());
        std::raise(SIGTERM);
        EXPECT_TRUE(Readable(signals.Fd()));
        EXPECT_TRUE(signals.Take());
        EXPECT_FALSE(signals.Take());
        std::raise(SIGINT);
        std::raise(SIGINT);
        EXPECT_TRUE(signals.Take());
        EXPECT_FALSE(Readable(signals.Fd()));
    }
    struct sigaction now {};
    sigaction(SIGTERM, nullptr, &now);
    EXPECT_EQ(now.sa_handler, SIG_IGN);
    std::signal(SIGTERM, SIG_DFL);
}
