// The ranking list as a table narrow enough for the news pane: rank, the
// name with the player's place, age and sex below it, and the score.
#include "highscore_page.h"

#include "html_page.h"

namespace {

std::string SexText(const std::string& sex) {
    if (sex == "f") return "female";
    if (sex == "m") return "male";
    return "";
}

// "City, Country · 23 · female", leaving out what the player did not give.
std::string Details(const PlayerData& d) {
    std::string place = d.city;
    if (!place.empty() && !d.country.empty()) place += ", ";
    place += d.country;
    std::string out;
    for (const std::string& part : {place, d.age > 0 ? "age " + std::to_string(d.age) : "", SexText(d.sex)}) {
        if (part.empty()) continue;
        if (!out.empty()) out += " &middot; ";
        out += HtmlEscape(part);
    }
    return out;
}

std::string Row(const RankedPlayer& p) {
    const std::string details = Details(p.data);
    std::string row = p.rank % 2 == 0 ? "<tr bgcolor=\"#3a0f30\">" : "<tr>";
    row += "<td class=\"n\">" + std::to_string(p.rank) + "</td><td><b>" + HtmlEscape(p.data.name) + "</b>";
    if (!details.empty()) row += "<br><span class=\"small\">" + details + "</span>";
    row += "</td><td class=\"n\"><b>" + std::to_string(p.score) + "</b></td></tr>\n";
    return row;
}

}  // namespace

std::string HighscorePage(const std::vector<RankedPlayer>& players, std::int64_t playerCount) {
    std::string body = "<h3>Ranking list</h3>\n";
    if (players.empty()) {
        body += "<p>No scores have been published yet. Be the first: Internet, Publish Highscore.</p>\n";
        return HtmlPage("Vantorel ranking list", body);
    }
    body += "<p class=\"small\">The best " + std::to_string(players.size()) + " of " +
            std::to_string(playerCount) + (playerCount == 1 ? " player" : " players") + ".</p>\n";
    body +=
        "<table width=\"100%\" cellspacing=\"0\" cellpadding=\"2\">\n"
        "<tr><th class=\"n\">#</th><th>Player</th><th class=\"n\">Score</th></tr>\n";
    for (const RankedPlayer& p : players) body += Row(p);
    body += "</table>\n";
    return HtmlPage("Vantorel ranking list", body);
}
