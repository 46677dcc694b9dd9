// The self-pipe behind the termination signals: the handler only writes one
// byte, which is all a signal handler may safely do.
#include "termination_signals.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <stdexcept>

namespace {

int g_writeFd = -1;

void OnSignal(int) {
    const int saved = errno;
    const char byte = 1;
    // A full pipe already says a signal came.
    [[maybe_unused]] const ssize_t n = write(g_writeFd, &byte, 1);
    errno = saved;
}

}  // namespace

TTerminationSignals::TTerminationSignals() {
    int fds[2];
    if (pipe2(fds, O_CLOEXEC | O_NONBLOCK) != 0) throw std::runtime_error("signal pipe");
    readFd_ = fds[0];
    g_writeFd = fds[1];
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, &oldTerm_);
    sigaction(SIGINT, &action, &oldInt_);
}

TTerminationSignals::~TTerminationSignals() {
    sigaction(SIGTERM, &oldTerm_, nullptr);
    sigaction(SIGINT, &oldInt_, nullptr);
    close(g_writeFd);
    close(readFd_);
    g_writeFd = -1;
}

bool TTerminationSignals::Take() {
    bool came = false;
    char buffer[64];
    while (read(readFd_, buffer, sizeof buffer) > 0) came = true;
    return came;
}
