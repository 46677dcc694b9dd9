// The user's browser through xdg-open.
#pragma once

#include "online/browser_launcher.h"

class XdgBrowserLauncher : public IBrowserLauncher {
public:
    // Starts xdg-open for http and https addresses only, without waiting for
    // it; false for any other address or when xdg-open cannot be started.
    // VANTOREL_BROWSER, when set, names the program to start instead.
    bool Open(const std::string& url) override;
};
