// The local table of the ten best scores, kept inside Env.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "infra/env_data.h"

// Places a score; returns its rank 1..10, or 0 when it is below the whole
// table. An equal score ranks above the older entry. The new entry's name is
// a single blank.
int InsertHighscore(std::int32_t score);
// Cuts every name longer than 10 characters to its first 10.
void TrimHighscoreNames();

// A finished game's result: inserts the score and, when it placed, gives the
// entry LastHighscoreName and stores the statistics text at that rank. The
// text is made (makeStatText called) only for a score that placed, since
// making it draws chance. Returns the rank (0 when it did not place).
int PlaceGameResult(std::int32_t score, const std::function<std::string()>& makeStatText);
// The name as it stands while the player types it (at most 20 characters).
void SetHighscoreName(int rank, std::string_view edited);
// The entry is finished (Enter or Escape): blanks trimmed, the edit cursor "_"
// removed, blanks trimmed again; the name becomes LastHighscoreName and Env is
// saved (by save, when one is given).
void FinishHighscoreName(int rank, std::string_view edited, const std::function<void()>& save = SaveEnv);
