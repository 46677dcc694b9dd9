// Where the program's internet pages live, and where error reports are mailed. The host names are settings
// with built-in defaults; environment variables override them, so that a test can point the program at a
// server of its own.
#pragma once

#include <string>
#include <string_view>

// The path of the game server's internal area; every game-server page lies below it.
constexpr std::string_view GameServerAreaPath = "/vtrinternal";

// The game server's root, "scheme://host[:port]" without a trailing slash
// (VANTOREL_GAME_SERVER, default "https://www.vantorel-game.net").
std::string GameServerRoot();
// The base address of the internal area: the root followed by "/vtrinternal".
std::string GameServerBase();
// A page of the internal area: GameServerBase() + "/" + page ("errors.txt").
std::string GameServerPage(std::string_view page);
// The campaign website (VANTOREL_CAMPAIGN_URL, default "https://www.velmora-campaign.org/").
std::string CampaignWebsite();
// The game's page on the campaign website: the website without its trailing
// slashes + "/game/game_vantorel.html".
std::string CampaignGamePage();

// The score server's root, "scheme://host[:port]" without a trailing slash
// (VANTOREL_SCORE_SERVER; unset, the game server's root, which serves the
// ranking list too).
std::string ScoreServerRoot();
// The address a publication is sent to: the score server's "/score2.php?cs="
// followed by the encoded record.
std::string ScorePublishUrl(std::string_view encodedRecord);

// The mail host that takes error reports (VANTOREL_MAIL_HOST, default
// "mail.vantorel-game.net").
std::string ErrorMailHost();
// Its SMTP port (VANTOREL_MAIL_PORT, default 25; a value that is not a port
// number counts as unset).
int ErrorMailPort();
// The one recipient of error reports (VANTOREL_MAIL_TO, default
// "bugs@vantorel-game.net").
std::string ErrorMailRecipient();
