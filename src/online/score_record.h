// The score record a publication sends: fourteen "|"-terminated fields
// between two "VTR" tags, built from Env, and read back by the score server.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

struct TEnvData;

constexpr std::string_view ScoreRecordTag = "VTR";
constexpr int ScoreRecordFieldCount = 14;

// The fields between the tags. Texts are Windows-1252; an empty text, an Age
// of 0 and a Sex of ' ' mean "not given".
struct TScoreRecord {
    std::string PlayerID;
    std::int32_t Score = 0;
    std::string Name;
    std::string City;
    std::string Country;
    std::string Email;
    std::int32_t Age = 0;
    char Sex = ' ';
    std::string Comment;
    std::int32_t GamesStarted = 0;
    std::int32_t GamesWon = 0;
    std::string Statistics;

    bool operator==(const TScoreRecord&) const = default;
};

// Rank 1's score, the publishing data, the game counters and rank 1's
// statistics text, as Env holds them.
TScoreRecord ScoreRecordFromEnv(const TEnvData& env);

// A text as a record field may carry it: "|" becomes "/" and control
// characters (bytes below 32 and 127) are dropped, so that nothing a player
// types can add, remove or shift a field.
std::string CleanScoreField(std::string_view text);
// As long as the text contains "||", a blank goes between the two bars.
std::string FillEmptyScoreFields(std::string_view record);
// The plain record: "VTR|" + the twelve cleaned fields, each followed by "|",
// + "VTR|", empty fields filled with one blank. An Age of 0 is sent empty.
std::string ScoreRecordText(const TScoreRecord& record);

// The checksum that binds a replay upload to its publication (FNV-1a, as in
// the replays): of the record's text without the blanks the encoding pads
// it with, so both ends compute it alike.
std::uint32_t ScoreRecordChecksum(std::string_view recordText);

// Reads a decoded record (padding blanks after the last tag allowed): both
// tags, exactly fourteen fields, decimal numbers, the lengths the publishing
// data can have (ID 1 to 32 letters, digits, "_" or "-"; name, city, country
// 20; e-mail 40; comment 80; statistics 100), age 0 to 110, sex " ", "f" or
// "m", no control characters. A field of one blank reads as empty. Raises
// EScoreRecordError saying what is wrong.
TScoreRecord ParseScoreRecord(std::string_view text);
