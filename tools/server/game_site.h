// The game server's site: what a request for a path below "/vtrinternal"
// gets, and the score server's "/score2.php". Pages are files of the www
// folder, read at each request so that an operator's edits show at once; the
// ranking list comes from the store.
// Independent of the HTTP library, so tests and the fuzzer call it directly.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

#include "replay_settings.h"
#include "score_store.h"
#include "server_clock.h"

struct SiteResponse {
    int status = 200;
    std::string contentType;
    std::string body;
    std::string location;     // where a redirect leads
    std::string allow;        // the methods a 405 names
    std::string disposition;  // a download's Content-Disposition
};

// The largest file the site serves.
constexpr std::size_t MaxSiteFileBytes = 16 * 1024 * 1024;

class GameSite {
public:
    // clock: the time a publication is stored with, which decides its week.
    GameSite(std::filesystem::path www, IScoreStore& store, IServerClock& clock, ReplaySettings replays = {});

    // method as sent ("GET"); target: the request target, query included;
    // body: what a POST sent. Never throws: bad requests get 4xx, failures
    // of the store 500.
    SiteResponse Handle(std::string_view method, std::string_view target, std::string_view body = {}) const;

private:
    SiteResponse File(const std::filesystem::path& relative, bool folder) const;
    SiteResponse Highscores(std::string_view query) const;
    SiteResponse Generated(const std::string& page, std::string_view query) const;

    std::filesystem::path www_;
    IScoreStore& store_;
    IServerClock& clock_;
    ReplaySettings replays_;
};

// The response of an error status: a short page that names it.
SiteResponse ErrorResponse(int status);
