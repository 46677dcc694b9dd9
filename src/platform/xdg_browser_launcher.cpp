// Starts xdg-open (or the program VANTOREL_BROWSER names) with the address as
// its only argument (no shell between).
#include "platform/xdg_browser_launcher.h"

#include <spawn.h>
#include <sys/wait.h>

#include <cstdlib>

#include <thread>

extern char** environ;

bool XdgBrowserLauncher::Open(const std::string& url) {
    if (!IsWebAddress(url)) return false;
    pid_t pid = 0;
    const char* chosen = std::getenv("VANTOREL_BROWSER");
    std::string program = chosen && *chosen ? chosen : "xdg-open";
    std::string argument = url;
    char* argv[] = {program.data(), argument.data(), nullptr};
    if (posix_spawnp(&pid, program.c_str(), nullptr, nullptr, argv, environ) != 0) return false;
    // xdg-open may stay until the browser ends: a thread of its own reaps it.
    std::thread([pid] {
        int status = 0;
        waitpid(pid, &status, 0);
    }).detach();
    return true;
}
