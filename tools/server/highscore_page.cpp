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

// The mark beside a score: verified (a link to its replay while it is kept),
// rejected with the reason, or waiting for its verification.
std::string Mark(const RankedPlayer& p) {
    const ReplayMarks& m = p.replays;
    if (m.verifiedScore == p.score) {
        if (m.verifiedReplay == 0) return "<span title=\"verified\">&#10003;</span>";
        return "<a href=\"/replays/" + std::to_string(m.verifiedReplay) +
               ".replay\" title=\"verified: the replay, for vantorel --replay\">&#10003;</a>";
    }
    if (m.state == "rejected")
        return "<span title=\"rejected: " + HtmlEscape(m.reason) + "\">&#10007;</span>";
    if (m.state == "pending" || m.state == "checking")
        return "<span title=\"being verified\">&hellip;</span>";
    return "";
}

std::string Row(const RankedPlayer& p) {
    const std::string details = Details(p.data);
    std::string row = p.rank % 2 == 0 ? "<tr bgcolor=\"#3a0f30\">" : "<tr>";
    row += "<td class=\"n\">" + std::to_string(p.rank) + "</td><td><b>" + HtmlEscape(p.data.name) + "</b>";
    if (!details.empty()) row += "<br><span class=\"small\">" + details + "</span>";
    row += "</td><td class=\"n\"><b>" + std::to_string(p.score) + "</b></td><td>" + Mark(p) + "</td></tr>\n";
    return row;
}

// The heading, and the link to the other list where there is one.
std::string Heading(HighscoreList list) {
    switch (list) {
        case HighscoreList::All:
            return "<h3>Ranking list</h3>\n<p class=\"small\">&#10003; verified by replaying the game. "
                   "<a href=\"/vtrinternal/highscore.html?list=verified\">Verified scores only</a></p>\n";
        case HighscoreList::Verified:
            return "<h3>Verified scores</h3>\n<p class=\"small\">Scores whose game the server replayed. "
                   "<a href=\"/vtrinternal/highscore.html\">All scores</a></p>\n";
        case HighscoreList::VerifiedOnly:
            break;
    }
    return "<h3>Ranking list</h3>\n<p class=\"small\">Only scores whose game the server replayed rank.</p>\n";
}

}  // namespace

std::string HighscorePage(const std::vector<RankedPlayer>& players, std::int64_t playerCount,
                          HighscoreList list) {
    std::string body = Heading(list);
    if (players.empty()) {
        body += list == HighscoreList::All
                    ? "<p>No scores have been published yet. Be the first: Internet, Publish Highscore.</p>\n"
                    : "<p>No score has been verified yet.</p>\n";
        return HtmlPage("Vantorel ranking list", body);
    }
    body += "<p class=\"small\">The best " + std::to_string(players.size()) + " of " +
            std::to_string(playerCount) + (playerCount == 1 ? " player" : " players") + ".</p>\n";
    body +=
        "<table width=\"100%\" cellspacing=\"0\" cellpadding=\"2\">\n"
        "<tr><th class=\"n\">#</th><th>Player</th><th class=\"n\">Score</th><th></th></tr>\n";
    for (const RankedPlayer& p : players) body += Row(p);
    body += "</table>\n";
    return HtmlPage("Vantorel ranking list", body);
}
