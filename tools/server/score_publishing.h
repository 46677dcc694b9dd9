// The score server's request "/score2.php?cs=<encoded record>": the record
// is decoded and checked with the game's own code, stored, and answered with
// "key=value" lines (CR LF): ID (a new player only), Rang, Alterrang, Platz1,
// wRang, wAlterrang, wPlatz1. A bad record changes nothing.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "game_site.h"
#include "score_store.h"
#include "server_clock.h"

constexpr std::string_view ScorePublishPath = "/score2.php";
// The longest "cs" value taken (the largest record the game sends is about
// 2.3 KiB encoded); longer ones get 414 before anything is decoded.
constexpr std::size_t MaxScoreQueryBytes = 16 * 1024;

// The publication a query string ("cs=...", without "?") carries, at the
// given time, its texts turned into UTF-8. Throws EScoreRecordError when the
// record cannot be decoded or does not hold what a record must.
ScorePublication ScorePublicationFromQuery(std::string_view query, std::int64_t at);

// The reply lines of a stored publication.
std::string ScoreReplyText(const PublishResult& result);

// The whole request: 200 with the reply, 400 for a missing or bad record,
// 414 for an over-long one. Failures of the store or the clock are thrown.
SiteResponse PublishScoreRequest(std::string_view query, IScoreStore& store, IServerClock& clock,
                                 ListRanking ranking = ListRanking::AllScores);
