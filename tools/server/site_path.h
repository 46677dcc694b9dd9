// From a request target to a place on the site: only "/vtrinternal" and the
// page names below it, each part percent-decoded on its own and checked, so
// that no request can name a file outside the site's folder.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// The folder below the server's root that holds every page of the game.
constexpr std::string_view SiteAreaPath = "/vtrinternal";
// Longest path (without the query) the server looks at; longer ones get 414.
constexpr std::size_t MaxSitePathBytes = 1024;
// Deepest page below the area.
constexpr std::size_t MaxSitePathParts = 8;

// A page or folder name: 1 to 100 letters, digits, ".", "_" or "-", not
// starting with "." and without "..".
bool IsPageName(std::string_view name);

struct SitePath {
    enum Kind {
        Bad,      // malformed: status 400 (or 414 when too long)
        Root,     // "/": the server's root, which leads to the area
        Outside,  // a well-formed path outside the area: 404
        Area,     // the area itself or a page below it
    };
    Kind kind = Bad;
    int status = 400;                // for Bad
    std::vector<std::string> parts;  // below the area, decoded; empty for the home page
    bool folder = false;             // the path ended with "/"
};

// target: the request target as it came (origin form, query included).
SitePath ParseSitePath(std::string_view target);
