// The web ranking list, generated from the store for every request.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "score_store.h"

// How many players the list page shows.
constexpr std::size_t HighscorePageSize = 100;

// Rank, name, city, country, age, sex and score of each player; never the
// e-mail address or the comment. Every text is escaped.
std::string HighscorePage(const std::vector<RankedPlayer>& players, std::int64_t playerCount);
