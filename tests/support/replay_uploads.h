// Publishing a replay's game and sending the replay by hand, as a player or a
// cheater would: the record of a replay's game, and the upload's address.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

#include "game/replay_format.h"
#include "hud/stat_text.h"
#include "infra/checksum.h"
#include "online/score_record.h"

// The record of the last game of a replay, as the game would publish it.
inline TScoreRecord RecordOfReplayGame(const std::string& replay, const std::string& name,
                                       const std::string& playerId = "") {
    TReplayReader reader(replay);
    reader.ReadHeader();
    TScoreRecord record;
    bool found = false;
    for (TReplayRecord r; reader.Next(r);) {
        if (r.Kind != TReplayItem::Game) continue;
        record.Score = r.Game.Score;
        record.Statistics = EncodeStatText(r.Game.Stats);
        record.GamesWon = r.Game.Outcome == TGameOutcome::Won ? 1 : 0;
        found = true;
    }
    if (!found) throw std::runtime_error("the replay holds no game");
    record.GamesStarted = 1;
    record.Name = name;
    record.PlayerID = playerId;
    return record;
}

// Where the replay of a publication of that record goes.
inline std::string ReplayUploadTarget(const std::string& playerId, const TScoreRecord& record) {
    return "/replays?id=" + playerId + "&sum=" + ChecksumText(ScoreRecordChecksum(ScoreRecordText(record)));
}
