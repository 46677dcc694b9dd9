// Where the program's internet pages live. The host names are settings with
// built-in defaults; environment variables override them, so that a test can
// point the program at a server of its own.
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
