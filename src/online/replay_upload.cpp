// The capabilities read and the replay sent.
#include "online/replay_upload.h"

#include <charconv>

#include "infra/checksum.h"
#include "online/score_reply.h"
#include "online/server_addresses.h"

namespace {

// A path the upload may go to: "/" and letters, digits, "/", ".", "_" and "-" only.
bool IsPlainPath(std::string_view path) {
    if (path.empty() || path[0] != '/') return false;
    for (const char c : path) {
        const bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                        c == '/' || c == '.' || c == '_' || c == '-';
        if (!ok) return false;
    }
    return path.find("..") == std::string_view::npos;
}

}  // namespace

std::optional<TReplayOffer> ReplayOfferOf(std::string_view text) {
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.substr(0, 8) != "replays ") continue;
        line.remove_prefix(8);
        const std::size_t gap = line.find(' ');
        if (gap == std::string_view::npos) return std::nullopt;
        TReplayOffer offer{std::string(line.substr(0, gap)), 0};
        const std::string_view size = line.substr(gap + 1);
        const auto [at, ec] = std::from_chars(size.data(), size.data() + size.size(), offer.maxBytes);
        if (ec != std::errc() || at != size.data() + size.size() || !IsPlainPath(offer.path))
            return std::nullopt;
        return offer;
    }
    return std::nullopt;
}

TReplayUploadOutcome UploadReplay(IHttpClient& http, const TReplayUploadJob& job, const TReplayFinder& find,
                                  std::stop_token stop) {
    if (!IsValidPlayerID(job.playerId)) return TReplayUploadOutcome::NotOffered;
    const THttpResponse asked = http.Get(
        job.serverRoot + std::string(GameServerAreaPath) + "/" + std::string(CapabilitiesFile), stop);
    const std::optional<TReplayOffer> offer =
        asked.Failed() || asked.Status != 200 ? std::nullopt : ReplayOfferOf(asked.Body);
    if (!offer) return TReplayUploadOutcome::NotOffered;
    const std::optional<std::string> replay = find(job.score, job.statText);
    if (!replay) return TReplayUploadOutcome::NoReplay;
    if (replay->size() > offer->maxBytes) return TReplayUploadOutcome::TooLarge;
    const std::string url =
        job.serverRoot + offer->path + "?id=" + job.playerId + "&sum=" + ChecksumText(job.recordSum);
    const THttpResponse sent = http.Post(url, *replay, "text/plain", stop);
    if (sent.Failed()) return TReplayUploadOutcome::Failed;
    return sent.Status >= 200 && sent.Status < 300 ? TReplayUploadOutcome::Sent
                                                   : TReplayUploadOutcome::Refused;
}
