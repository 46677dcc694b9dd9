// Uploads, states and downloads of replays.
#include "replay_site.h"

#include <charconv>

#include "online/score_reply.h"

namespace {

SiteResponse Text(int status, const std::string& line) {
    SiteResponse r;
    r.status = status;
    r.contentType = "text/plain; charset=utf-8";
    r.body = line + "\r\n";
    return r;
}

// The first value of a query's parameter ("" when missing); IDs and checksums need no decoding.
std::string_view ParamOf(std::string_view query, std::string_view name) {
    while (!query.empty()) {
        const std::size_t amp = query.find('&');
        const std::string_view param = query.substr(0, amp);
        if (param.size() > name.size() && param.substr(0, name.size()) == name && param[name.size()] == '=')
            return param.substr(name.size() + 1);
        if (amp == std::string_view::npos) break;
        query.remove_prefix(amp + 1);
    }
    return {};
}

std::optional<std::uint32_t> ChecksumOfText(std::string_view text) {
    std::uint32_t value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
    if (text.size() != 8 || ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

// A replay is plain text: printable ASCII, LF and CR only. Anything else is refused
// before the reader sees it, and the store keeps only text.
std::optional<std::size_t> FirstNonText(std::string_view body) {
    for (std::size_t i = 0; i < body.size(); ++i) {
        const auto c = static_cast<unsigned char>(body[i]);
        if ((c < 32 || c > 126) && c != '\n' && c != '\r') return i;
    }
    return std::nullopt;
}

SiteResponse Upload(std::string_view query, std::string_view body, IScoreStore& store, IServerClock& clock,
                    const ReplaySettings& settings) {
    if (!settings.taken) return Text(503, "replays are not taken here");
    const std::string_view id = ParamOf(query, "id");
    const std::optional<std::uint32_t> sum = ChecksumOfText(ParamOf(query, "sum"));
    if (!IsValidPlayerID(id)) return Text(400, "bad player ID");
    if (!sum) return Text(400, "bad record checksum (sum=8 hexadecimal digits)");
    if (body.size() > MaxReplayUploadBytes) return Text(413, "replay too large");
    if (const auto at = FirstNonText(body))
        return Text(400, "not a replay: byte " + std::to_string(*at) + " is not text");
    try {
        ValidateReplay(body, ReplayLimitsOf(settings.caps));
    } catch (const EReplayError& e) {
        return Text(400, std::string("bad replay: ") + e.what());
    }
    const ReplayUploadResult r =
        store.AddReplay({std::string(id), *sum, std::string(body), clock.Now()}, MaxWaitingReplays);
    switch (r.refusal) {
        case ReplayRefusal::NoPublication:
            return Text(404, "no publication of this player with this record");
        case ReplayRefusal::AlreadyTaken:
            return Text(409, "this publication has a replay already");
        case ReplayRefusal::QueueFull:
            return Text(503, "too many replays wait for their verification; try again later");
        case ReplayRefusal::None:
            break;
    }
    if (settings.uploaded) settings.uploaded();
    const std::string where = std::string(ReplayUploadPath) + "/" + std::to_string(r.replay);
    return Text(202, "replay " + std::to_string(r.replay) + " taken: " + where);
}

// "/replays/N" (its state) or "/replays/N.replay" (the verified replay itself).
SiteResponse Show(std::string_view rest, IScoreStore& store) {
    constexpr std::string_view extension = ".replay";
    const bool download =
        rest.size() > extension.size() && rest.substr(rest.size() - extension.size()) == extension;
    if (download) rest.remove_suffix(extension.size());
    std::int64_t replay = 0;
    const auto [end, ec] = std::from_chars(rest.data(), rest.data() + rest.size(), replay);
    if (rest.empty() || ec != std::errc() || end != rest.data() + rest.size() || replay <= 0)
        return ErrorResponse(404);
    const std::optional<ReplayStatus> s = store.FindReplay(replay, download);
    if (!s || (download && s->state != "verified")) return ErrorResponse(404);
    if (!download) {
        if (s->state == "verified") return Text(200, "verified " + s->outcome);
        return Text(200, s->state == "rejected" ? "rejected: " + s->reason : s->state);
    }
    SiteResponse r;
    r.contentType = "application/octet-stream";
    r.disposition = "attachment; filename=\"vantorel-" + std::to_string(replay) + ".replay\"";
    r.body = s->text;
    return r;
}

}  // namespace

TReplayLimits ReplayLimitsOf(const ReplayCaps& caps) {
    TReplayLimits limits;
    limits.MaxBytes = MaxReplayUploadBytes;
    limits.MaxSteps = static_cast<std::uint64_t>(caps.steps);
    // A frame has at least one step; each step reads the mouse and the clock at most a few times.
    limits.MaxFrames = limits.MaxSteps;
    return limits;
}

std::string CapabilitiesText(const ReplaySettings& settings) {
    if (!settings.taken) return {};
    return "replays " + std::string(ReplayUploadPath) + " " + std::to_string(MaxReplayUploadBytes) + "\r\n";
}

bool IsReplayPath(std::string_view target) {
    const std::string_view path = target.substr(0, target.find('?'));
    return path == ReplayUploadPath || (path.size() > ReplayUploadPath.size() + 1 &&
                                        path.substr(0, ReplayUploadPath.size() + 1) == "/replays/");
}

SiteResponse ReplayRequest(std::string_view method, std::string_view target, std::string_view body,
                           IScoreStore& store, IServerClock& clock, const ReplaySettings& settings) {
    const std::size_t q = target.find('?');
    const std::string_view path = target.substr(0, q);
    if (path == ReplayUploadPath) {
        if (method != "POST") {
            SiteResponse r = ErrorResponse(405);
            r.allow = "POST";
            return r;
        }
        return Upload(q == std::string_view::npos ? "" : target.substr(q + 1), body, store, clock, settings);
    }
    if (method != "GET" && method != "HEAD") return ErrorResponse(405);
    return Show(path.substr(ReplayUploadPath.size() + 1), store);
}
