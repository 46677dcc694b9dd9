// Starts xdg-open (or the program VANTOREL_BROWSER names) with the address as
// its only argument (no shell between) and waits a short while for its verdict.
#include "platform/xdg_browser_launcher.h"

#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>
#include <cstdlib>
#include <future>
#include <memory>
#include <thread>

extern char** environ;

namespace {

// True when the process ended with exit status 0; waits for it to end.
bool ReapedWithSuccess(pid_t pid) {
    int status = 0;
    pid_t reaped = 0;
    do {
        reaped = waitpid(pid, &status, 0);
    } while (reaped < 0 && errno == EINTR);
    return reaped == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace

bool XdgBrowserLauncher::Open(const std::string& url) {
    if (!IsWebAddress(url)) return false;
    pid_t pid = 0;
    const char* chosen = std::getenv("VANTOREL_BROWSER");
    std::string program = chosen && *chosen ? chosen : "xdg-open";
    std::string argument = url;
    char* argv[] = {program.data(), argument.data(), nullptr};
    if (posix_spawnp(&pid, program.c_str(), nullptr, nullptr, argv, environ) != 0) return false;
    // A thread of its own reaps xdg-open whenever it ends, also long after
    // the wait below has given up on it.
    auto verdict = std::make_shared<std::promise<bool>>();
    std::future<bool> result = verdict->get_future();
    std::thread([pid, verdict] { verdict->set_value(ReapedWithSuccess(pid)); }).detach();
    if (result.wait_for(verdictWait_) == std::future_status::ready) return result.get();
    // Still running: it has started a browser and stays until that ends.
    return true;
}
