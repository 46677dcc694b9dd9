// Routing of the site's requests to files, the ranking list and errors.
#include "game_site.h"

#include <fstream>
#include <iterator>
#include <system_error>
#include <utility>

#include "highscore_page.h"
#include "html_page.h"
#include "infra/helpers.h"
#include "replay_site.h"
#include "score_publishing.h"
#include "site_path.h"

namespace fs = std::filesystem;

namespace {

std::string ContentType(const fs::path& file) {
    const std::string ext = AsciiLowerCase(file.extension().string());
    if (ext == ".htm" || ext == ".html") return "text/html; charset=utf-8";
    // Rules are matched byte for byte against the game's log: no charset is claimed.
    if (ext == ".txt") return "text/plain";
    if (ext == ".css") return "text/css";
    if (ext == ".jpg" || ext == ".jpeg") return "image/jpeg";
    if (ext == ".png") return "image/png";
    if (ext == ".gif") return "image/gif";
    if (ext == ".bmp") return "image/bmp";
    if (ext == ".ico") return "image/x-icon";
    return "application/octet-stream";
}

bool IsInside(const fs::path& file, const fs::path& folder) {
    auto f = file.begin();
    for (auto d = folder.begin(); d != folder.end(); ++d, ++f)
        if (f == file.end() || *f != *d) return false;
    return true;
}

// The reason phrase of the statuses the site gives ("Not Found").
std::string_view StatusText(int status) {
    switch (status) {
        case 200:
            return "OK";
        case 302:
            return "Found";
        case 400:
            return "Bad Request";
        case 404:
            return "Not Found";
        case 405:
            return "Method Not Allowed";
        case 414:
            return "URI Too Long";
        case 500:
            return "Internal Server Error";
        default:
            return "Error";
    }
}

}  // namespace

SiteResponse ErrorResponse(int status) {
    SiteResponse r;
    r.status = status;
    r.contentType = "text/html; charset=utf-8";
    const std::string title = std::to_string(status) + " " + std::string(StatusText(status));
    r.body =
        HtmlPage(title, "<h3>" + HtmlEscape(title) + "</h3>\n<p><a href=\"/vtrinternal\">Vantorel</a></p>");
    if (status == 405) r.allow = "GET, HEAD";
    return r;
}

GameSite::GameSite(fs::path www, IScoreStore& store, IServerClock& clock, ReplaySettings replays)
    : www_(std::move(www)), store_(store), clock_(clock), replays_(std::move(replays)) {}

SiteResponse GameSite::Handle(std::string_view method, std::string_view target, std::string_view body) const {
    const std::size_t query = target.find('?');
    if (IsReplayPath(target)) {
        try {
            return ReplayRequest(method, target, body, store_, clock_, replays_);
        } catch (const std::exception&) {
            return ErrorResponse(500);
        }
    }
    if (target.substr(0, query) == ScorePublishPath) {
        // A publication changes the list: only GET, never HEAD.
        if (method != "GET") {
            SiteResponse r = ErrorResponse(405);
            r.allow = "GET";
            return r;
        }
        try {
            return PublishScoreRequest(
                query == std::string_view::npos ? "" : target.substr(query + 1), store_, clock_,
                replays_.verifiedOnly ? ListRanking::VerifiedScores : ListRanking::AllScores);
        } catch (const std::exception&) {
            return ErrorResponse(500);
        }
    }
    if (method != "GET" && method != "HEAD") return ErrorResponse(405);
    const SitePath path = ParseSitePath(target);
    switch (path.kind) {
        case SitePath::Bad:
            return ErrorResponse(path.status);
        case SitePath::Outside:
            return ErrorResponse(404);
        case SitePath::Root: {
            SiteResponse r = ErrorResponse(302);
            r.location = std::string(SiteAreaPath);
            return r;
        }
        case SitePath::Area:
            break;
    }
    try {
        if (path.parts.size() == 1 && !path.folder)
            if (SiteResponse r =
                    Generated(path.parts[0], query == std::string_view::npos ? "" : target.substr(query + 1));
                r.status != 0)
                return r;
        fs::path relative;
        for (const std::string& part : path.parts) relative /= part;
        return File(relative, path.folder || path.parts.empty());
    } catch (const std::exception&) {
        return ErrorResponse(500);
    }
}

SiteResponse GameSite::File(const fs::path& relative, bool folder) const {
    std::error_code ec;
    fs::path file = www_ / relative;
    if (folder || fs::is_directory(file, ec)) file /= "index.html";
    // A link in the folder may point anywhere; only what really lies inside is served.
    const fs::path real = fs::canonical(file, ec);
    if (ec) return ErrorResponse(404);
    const fs::path root = fs::canonical(www_, ec);
    if (ec || !IsInside(real, root) || !fs::is_regular_file(real, ec)) return ErrorResponse(404);
    const std::uintmax_t size = fs::file_size(real, ec);
    if (ec || size > MaxSiteFileBytes) return ErrorResponse(404);
    std::ifstream in(real, std::ios::binary);
    if (!in) return ErrorResponse(404);
    SiteResponse r;
    r.body.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    r.contentType = ContentType(real);
    return r;
}

// The pages made at each request; status 0 for any other page.
SiteResponse GameSite::Generated(const std::string& page, std::string_view query) const {
    SiteResponse r;
    if (page == "highscore.html") return Highscores(query);
    if (page == CapabilitiesPage) {
        r.contentType = "text/plain";
        r.body = CapabilitiesText(replays_);
        return r;
    }
    r.status = 0;
    return r;
}

SiteResponse GameSite::Highscores(std::string_view query) const {
    SiteResponse r;
    r.contentType = "text/html; charset=utf-8";
    // Where only verified scores rank, they are the list.
    const bool verified = replays_.verifiedOnly || query == "list=verified";
    const HighscoreList list = replays_.verifiedOnly ? HighscoreList::VerifiedOnly
                               : verified            ? HighscoreList::Verified
                                                     : HighscoreList::All;
    if (verified)
        r.body =
            HighscorePage(store_.TopVerifiedPlayers(HighscorePageSize), store_.VerifiedPlayerCount(), list);
    else
        r.body = HighscorePage(store_.TopPlayers(HighscorePageSize), store_.PlayerCount(), list);
    return r;
}
