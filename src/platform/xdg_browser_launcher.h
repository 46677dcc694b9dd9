// The user's browser through xdg-open.
#pragma once

#include <chrono>

#include "online/browser_launcher.h"

class XdgBrowserLauncher : public IBrowserLauncher {
public:
    // xdg-open that finds no browser says so (a non-zero exit status) within
    // a fraction of a second; one still running after this long has started
    // a browser and waits for it to end.
    static constexpr std::chrono::milliseconds DefaultVerdictWait{1500};

    explicit XdgBrowserLauncher(std::chrono::milliseconds verdictWait = DefaultVerdictWait)
        : verdictWait_(verdictWait) {}

    // Starts xdg-open for http and https addresses only and waits at most
    // the verdict wait for it to end: false for any other address, when
    // xdg-open cannot be started or when it ends with a non-zero exit status.
    // VANTOREL_BROWSER, when set, names the program to start instead.
    bool Open(const std::string& url) override;

private:
    std::chrono::milliseconds verdictWait_;
};
