// The site's side of replays: the capabilities file, the upload
// (POST /replays?id=ID&sum=CHECKSUM), a replay's state and its download.
#pragma once

#include <string>
#include <string_view>

#include "game/replay_format.h"
#include "game_site.h"
#include "replay_settings.h"
#include "score_store.h"
#include "server_clock.h"

// The reader's caps for a replay of at most caps.steps steps.
TReplayLimits ReplayLimitsOf(const ReplayCaps& caps);

// "replays /replays 4194304" with a CR LF when replays are taken: the path
// to send them to and the largest taken; else empty.
std::string CapabilitiesText(const ReplaySettings& settings);

// Whether the target is one of the replays' addresses (the query aside).
bool IsReplayPath(std::string_view target);

// A request to one of those addresses. Never throws for bad requests: 400
// with the reason (not a replay, a truncated one, a bad ID or checksum), 404
// (no such publication or replay), 405, 409 (the publication has a replay),
// 413 (too large), 503 (not taken here, or too many waiting). Failures of the
// store are thrown.
SiteResponse ReplayRequest(std::string_view method, std::string_view target, std::string_view body,
                           IScoreStore& store, IServerClock& clock, const ReplaySettings& settings);
