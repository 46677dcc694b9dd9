// Web addresses taken apart, and the test whether one lies in the game
// server's internal area: the news pane shows only pages from there.
#pragma once

#include <optional>
#include <string>
#include <string_view>

struct TWebAddress {
    std::string Scheme;  // "http" or "https"
    std::string Host;    // in lower case; an IPv6 address keeps its brackets
    int Port = 0;        // as given, otherwise 80 or 443
    std::string Path;    // "/" at least, with "." and ".." segments resolved
};

// An absolute http or https address without user name or password; nothing
// for anything else, and for paths holding a backslash or an encoded "/" or
// "\", which servers read in different ways.
std::optional<TWebAddress> ParseWebAddress(std::string_view url);

// True when url has the scheme, host and port of areaBase and its path is
// areaBase's path or lies below it ("/vtrinternal", "/vtrinternal/a.htm").
bool IsInArea(std::string_view url, std::string_view areaBase);
