// The request a game sends to publish a score: "/score2.php?cs=" and the
// encoded record, built with the game's own functions. Header-only.
#pragma once

#include <cstdint>
#include <string>

#include "online/online_random.h"
#include "online/score_encoding.h"
#include "online/score_record.h"

inline std::string ScoreRequestTarget(const TScoreRecord& record, std::uint64_t seed = 1) {
    TOnlineRandom random(seed);
    return "/score2.php?cs=" + EncodeScoreRecord(ScoreRecordText(record), random);
}

// A record with a name and a score; the rest not given.
inline TScoreRecord ScoreRecordOf(const std::string& name, std::int32_t score,
                                  const std::string& playerId = "") {
    TScoreRecord r;
    r.PlayerID = playerId;
    r.Name = name;
    r.Score = score;
    return r;
}
