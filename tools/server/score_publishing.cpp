// Publishing a score: from the query string to the stored publication and the reply.
#include "score_publishing.h"

#include "infra/cp1252.h"
#include "online/score_encoding.h"
#include "online/score_record.h"

namespace {

// Thrown for a "cs" value over the limit, which gets its own status.
class ETooLong : public std::exception {};

// The raw value of the first "cs" parameter; the record's decoding undoes its escapes.
std::string_view EncodedRecordOf(std::string_view query) {
    while (!query.empty()) {
        const std::size_t amp = query.find('&');
        const std::string_view param = query.substr(0, amp);
        if (param.substr(0, 3) == "cs=") {
            if (param.size() - 3 > MaxScoreQueryBytes) throw ETooLong();
            return param.substr(3);
        }
        if (amp == std::string_view::npos) break;
        query.remove_prefix(amp + 1);
    }
    throw EScoreRecordError("cs fehlt");
}

std::string Line(std::string_view key, const std::string& value) {
    return std::string(key) + "=" + value + "\r\n";
}

std::string RankText(const std::optional<std::int64_t>& rank) {
    return rank ? std::to_string(*rank) : std::string();
}

// The reason of a refusal, on one line whatever byte the record held.
std::string OneLine(const std::string& cp1252) {
    std::string text;
    for (const char c : cp1252)
        if (static_cast<unsigned char>(c) >= 32 && c != 127) text += c;
    return Cp1252ToUtf8(text);
}

SiteResponse PlainText(int status, std::string body) {
    SiteResponse r;
    r.status = status;
    r.contentType = "text/plain; charset=utf-8";
    r.body = std::move(body);
    return r;
}

}  // namespace

ScorePublication ScorePublicationFromQuery(std::string_view query, std::int64_t at) {
    const std::string decoded = DecodeScoreRecord(EncodedRecordOf(query));
    const TScoreRecord record = ParseScoreRecord(decoded);
    ScorePublication p;
    p.recordSum = ScoreRecordChecksum(decoded);
    p.playerId = record.PlayerID;
    p.score = record.Score;
    p.at = at;
    PlayerData& d = p.data;
    d.name = Cp1252ToUtf8(record.Name);
    d.city = Cp1252ToUtf8(record.City);
    d.country = Cp1252ToUtf8(record.Country);
    d.email = Cp1252ToUtf8(record.Email);
    d.age = record.Age;
    d.sex = record.Sex == ' ' ? std::string() : std::string(1, record.Sex);
    d.comment = Cp1252ToUtf8(record.Comment);
    d.gamesStarted = record.GamesStarted;
    d.gamesWon = record.GamesWon;
    d.statText = Cp1252ToUtf8(record.Statistics);
    return p;
}

std::string ScoreReplyText(const PublishResult& r) {
    std::string text;
    if (r.newPlayer) text += Line("ID", r.playerId);
    text += Line("Rang", std::to_string(r.overall.rank));
    text += Line("Alterrang", RankText(r.overall.oldRank));
    text += Line("Platz1", std::to_string(r.overall.topScore));
    text += Line("wRang", std::to_string(r.weekly.rank));
    text += Line("wAlterrang", RankText(r.weekly.oldRank));
    text += Line("wPlatz1", std::to_string(r.weekly.topScore));
    return text;
}

SiteResponse PublishScoreRequest(std::string_view query, IScoreStore& store, IServerClock& clock,
                                 ListRanking ranking) {
    const std::int64_t now = clock.Now();
    ScorePublication publication;
    try {
        publication = ScorePublicationFromQuery(query, now);
        publication.ranking = ranking;
    } catch (const ETooLong&) {
        return PlainText(414, "URI Too Long\r\n");
    } catch (const EScoreRecordError& e) {
        return PlainText(400, "Bad Request: " + OneLine(e.what()) + "\r\n");
    }
    return PlainText(200, ScoreReplyText(store.Publish(publication, WeekStart(now))));
}
