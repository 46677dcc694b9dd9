// Building, cleaning and checking score records.
#include "online/score_record.h"

#include <charconv>
#include <vector>

#include "infra/checksum.h"
#include "infra/env_data.h"
#include "infra/helpers.h"
#include "online/score_encoding.h"
#include "online/score_reply.h"

namespace {

constexpr std::size_t MaxNameLength = 20;
constexpr std::size_t MaxEmailLength = 40;
constexpr std::size_t MaxCommentLength = 80;
constexpr std::size_t MaxStatisticsLength = 100;
constexpr std::int32_t MaxAge = 110;

[[noreturn]] void Reject(const std::string& why) {
    throw EScoreRecordError("Ung\xFCltiger Datensatz: " + why);
}

std::vector<std::string_view> SplitAtBars(std::string_view text) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    for (std::size_t bar = text.find('|'); bar != std::string_view::npos; bar = text.find('|', start)) {
        parts.push_back(text.substr(start, bar - start));
        start = bar + 1;
    }
    parts.push_back(text.substr(start));
    return parts;
}

std::string TextField(std::string_view field, std::size_t maxLength, const char* what) {
    if (field == " ") return {};
    if (field.size() > maxLength) Reject(std::string(what) + " ist zu lang");
    for (const char c : field)
        if (IsControlCharacter(c)) Reject(std::string(what) + " enth\xE4lt Steuerzeichen");
    return std::string(field);
}

std::int32_t NumberField(std::string_view field, std::int32_t min, std::int32_t max, const char* what) {
    std::int32_t value = 0;
    const char* end = field.data() + field.size();
    const auto [ptr, ec] = std::from_chars(field.data(), end, value);
    if (field.empty() || ec != std::errc() || ptr != end || field[0] == '+' || value < min || value > max)
        Reject(std::string(what) + " ist keine g\xFCltige Zahl");
    return value;
}

}  // namespace

TScoreRecord ScoreRecordFromEnv(const TEnvData& env) {
    TScoreRecord r;
    // An identifier the server cannot have issued (a damaged file) would get
    // every publication refused: without it the server hands out a new one.
    r.PlayerID = env.PlayerID.str();
    if (!IsValidPlayerID(r.PlayerID)) r.PlayerID.clear();
    r.Score = env.Highscores[0].Score;
    r.Name = env.PublishName.str();
    r.City = env.City.str();
    r.Country = env.Country.str();
    r.Email = env.Email.str();
    r.Age = env.Age;
    r.Sex = env.Sex;
    r.Comment = env.Comment.str();
    r.GamesStarted = env.GamesStarted;
    r.GamesWon = env.GamesWon;
    r.Statistics = env.StatTexts[0].str();
    return r;
}

std::string CleanScoreField(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        if (IsControlCharacter(c)) continue;
        out += c == '|' ? '/' : c;
    }
    return out;
}

std::string FillEmptyScoreFields(std::string_view record) {
    std::string out(record);
    for (std::size_t at = out.find("||"); at != std::string::npos; at = out.find("||", at))
        out.insert(at + 1, " ");
    return out;
}

std::string ScoreRecordText(const TScoreRecord& r) {
    const std::string fields[] = {
        r.PlayerID,
        std::to_string(r.Score),
        r.Name,
        r.City,
        r.Country,
        r.Email,
        r.Age == 0 ? std::string() : std::to_string(r.Age),
        std::string(1, r.Sex),
        r.Comment,
        std::to_string(r.GamesStarted),
        std::to_string(r.GamesWon),
        r.Statistics,
    };
    std::string text = std::string(ScoreRecordTag) + "|";
    for (const std::string& field : fields) text += CleanScoreField(field) + "|";
    text += std::string(ScoreRecordTag) + "|";
    return FillEmptyScoreFields(text);
}

std::uint32_t ScoreRecordChecksum(std::string_view recordText) {
    const std::size_t end = recordText.find_last_not_of(' ');
    return ChecksumOf(recordText.substr(0, end == std::string_view::npos ? 0 : end + 1));
}

TScoreRecord ParseScoreRecord(std::string_view text) {
    const std::vector<std::string_view> f = SplitAtBars(text);
    if (f.size() != ScoreRecordFieldCount + 1)
        Reject(std::to_string(f.size() - 1) + " Felder statt " + std::to_string(ScoreRecordFieldCount));
    if (f[0] != ScoreRecordTag || f[13] != ScoreRecordTag) Reject("Kennung fehlt");
    if (f[14].find_first_not_of(' ') != std::string_view::npos) Reject("Text nach dem Ende");
    TScoreRecord r;
    r.PlayerID = f[1] == " " ? std::string() : std::string(f[1]);
    if (!r.PlayerID.empty() && !IsValidPlayerID(r.PlayerID)) Reject("ID ist ung\xFCltig");
    r.Score = NumberField(f[2], INT32_MIN, INT32_MAX, "Punktzahl");
    r.Name = TextField(f[3], MaxNameLength, "Name");
    r.City = TextField(f[4], MaxNameLength, "Stadt");
    r.Country = TextField(f[5], MaxNameLength, "Land");
    r.Email = TextField(f[6], MaxEmailLength, "E-Mail");
    r.Age = f[7] == " " ? 0 : NumberField(f[7], 0, MaxAge, "Alter");
    if (f[8] != " " && f[8] != "f" && f[8] != "m") Reject("Geschlecht ist ung\xFCltig");
    r.Sex = f[8][0];
    r.Comment = TextField(f[9], MaxCommentLength, "Kommentar");
    r.GamesStarted = NumberField(f[10], 0, INT32_MAX, "Spiele");
    r.GamesWon = NumberField(f[11], 0, INT32_MAX, "Gewonnene Spiele");
    r.Statistics = TextField(f[12], MaxStatisticsLength, "Statistik");
    return r;
}
