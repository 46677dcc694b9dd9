// The user's web browser and the machine's connection state, as the core
// sees them; the platform layer implements both, tests give fakes.
#pragma once

#include <string>
#include <string_view>

class IBrowserLauncher {
public:
    virtual ~IBrowserLauncher() = default;
    // Opens the address in the user's default browser without waiting for
    // the browser to end; false when it could not be started or said that it
    // could not open the address.
    virtual bool Open(const std::string& url) = 0;
};

class IConnection {
public:
    virtual ~IConnection() = default;
    // True when the machine has a connection to the internet.
    virtual bool IsOnline() = 0;
    // Brings a dial-up connection up when one is needed; the result is not reported.
    virtual void Autodial() = 0;
};

// True for the addresses the program hands to a browser: "http://" and
// "https://" ones, in any letter case. A file or program address from a page
// must never be started by the player's desktop.
bool IsWebAddress(std::string_view url);
