// Server addresses: defaults, overridden by the environment.
#include "online/server_addresses.h"

#include <charconv>
#include <cstdlib>

namespace {

std::string FromEnvironment(const char* name, std::string_view fallback) {
    const char* value = std::getenv(name);
    return value && *value ? std::string(value) : std::string(fallback);
}

std::string WithoutTrailingSlashes(std::string text) {
    while (!text.empty() && text.back() == '/') text.pop_back();
    return text;
}

}  // namespace

std::string GameServerRoot() {
    return WithoutTrailingSlashes(FromEnvironment("VANTOREL_GAME_SERVER", "https://www.vantorel-game.net"));
}

std::string GameServerBase() {
    return GameServerRoot() + std::string(GameServerAreaPath);
}

std::string GameServerPage(std::string_view page) {
    return GameServerBase() + "/" + std::string(page);
}

std::string CampaignWebsite() {
    return FromEnvironment("VANTOREL_CAMPAIGN_URL", "https://www.velmora-campaign.org/");
}

std::string CampaignGamePage() {
    return WithoutTrailingSlashes(CampaignWebsite()) + "/game/game_vantorel.html";
}

std::string ScoreServerRoot() {
    const std::string own = WithoutTrailingSlashes(FromEnvironment("VANTOREL_SCORE_SERVER", ""));
    return own.empty() ? GameServerRoot() : own;
}

std::string ScorePublishUrl(std::string_view encodedRecord) {
    return ScoreServerRoot() + "/score2.php?cs=" + std::string(encodedRecord);
}

std::string ErrorMailHost() {
    return FromEnvironment("VANTOREL_MAIL_HOST", "mail.vantorel-game.net");
}

int ErrorMailPort() {
    constexpr int DefaultSmtpPort = 25;
    const std::string text = FromEnvironment("VANTOREL_MAIL_PORT", "");
    int port = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), port);
    const bool valid = ec == std::errc() && end == text.data() + text.size() && port >= 1 && port <= 65535;
    return valid ? port : DefaultSmtpPort;
}

std::string ErrorMailRecipient() {
    return FromEnvironment("VANTOREL_MAIL_TO", "bugs@vantorel-game.net");
}
