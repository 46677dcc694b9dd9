// The web ranking list, generated from the store for every request.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "score_store.h"

// How many players the list page shows.
constexpr std::size_t HighscorePageSize = 100;

// Which list the page shows: all published scores (with the marks of their
// replays), the verified ones alone, or the verified ones as the only list
// (--verified-only).
enum class HighscoreList { All, Verified, VerifiedOnly };

// Rank, name, city, country, age, sex and score of each player; never the
// e-mail address or the comment. Every text is escaped. A verified score is
// marked, with a link to its replay while it is kept; a rejected one says why.
std::string HighscorePage(const std::vector<RankedPlayer>& players, std::int64_t playerCount,
                          HighscoreList list = HighscoreList::All);
