// Score records: built from Env, cleaned, filled, and checked when read back.
#include <gtest/gtest.h>

#include <string>

#include "infra/env_data.h"
#include "online/score_encoding.h"
#include "online/score_record.h"
#include "online/score_reply.h"

namespace {

void PublishingEnv() {
    SetEnvDefaults();
    Env.Highscores[0].Score = 5000;
    Env.PlayerID.assign("k7-x_9");
    Env.PublishName.assign("Anna");
    Env.City.assign("Bern");
    Env.Country.assign("CH");
    Env.Email.assign("anna@example.org");
    Env.Age = 33;
    Env.Sex = 'f';
    Env.Comment.assign("Nice game");
    Env.GamesStarted = 12;
    Env.GamesWon = 4;
    Env.StatTexts[0].assign("Zeit 90 s");
}

std::string RejectionOf(const std::string& text) {
    try {
        ParseScoreRecord(text);
    } catch (const EScoreRecordError& e) {
        return e.what();
    }
    return "accepted";
}

}  // namespace

TEST(ScoreRecord, EnvFieldsInTheirOrder) {
    PublishingEnv();
    EXPECT_EQ(ScoreRecordText(ScoreRecordFromEnv(Env)),
              "VTR|k7-x_9|5000|Anna|Bern|CH|anna@example.org|33|f|Nice game|12|4|Zeit 90 s|VTR|");
}

TEST(ScoreRecord, EmptyFieldsHoldOneBlank) {
    SetEnvDefaults();
    Env.Highscores[0].Score = 700;
    Env.Country.reset();
    Env.Age = 0;  // not given: sent empty
    Env.GamesStarted = 1;
    Env.PlayerID.assign("bad id!");  // never issued by a server: left out
    const std::string text = ScoreRecordText(ScoreRecordFromEnv(Env));
    EXPECT_EQ(text, "VTR| |700| | | | | | | |1|0| |VTR|");
    EXPECT_EQ(FillEmptyScoreFields("a|||b||"), "a| | |b| |");
}

TEST(ScoreRecord, BarsAndControlCharactersCannotShiftAField) {
    PublishingEnv();
    Env.PublishName.assign("A|B\tC");
    Env.Comment.assign("one\r\ntwo|three\x7f");
    Env.Sex = '\0';
    const std::string text = ScoreRecordText(ScoreRecordFromEnv(Env));
    EXPECT_EQ(text, "VTR|k7-x_9|5000|A/BC|Bern|CH|anna@example.org|33| |onetwo/three|12|4|Zeit 90 s|VTR|");
    EXPECT_EQ(ParseScoreRecord(text).Name, "A/BC");
}

TEST(ScoreRecord, ReadsBackWhatWasSentThroughTheEncoding) {
    PublishingEnv();
    Env.Comment.assign("100% sure, \xE4\xF6\xFC");
    TScoreRecord sent = ScoreRecordFromEnv(Env);
    TOnlineRandom random(3);
    const TScoreRecord read =
        ParseScoreRecord(DecodeScoreRecord(EncodeScoreRecord(ScoreRecordText(sent), random)));
    EXPECT_EQ(read, sent);

    SetEnvDefaults();
    Env.Highscores[0].Score = -250;
    const TScoreRecord blank = ParseScoreRecord(ScoreRecordText(ScoreRecordFromEnv(Env)));
    EXPECT_EQ(blank.Score, -250);
    EXPECT_EQ(blank.PlayerID, "");
    EXPECT_EQ(blank.Name, "");
    EXPECT_EQ(blank.Age, 0);
    EXPECT_EQ(blank.Sex, ' ');
}

TEST(ScoreRecord, RecordsThatAreNotWhatTheProgramSendsAreRefused) {
    const std::string good = "VTR|id|5|N|C|L|e|33|m|c|1|0|s|VTR|";
    ASSERT_EQ(RejectionOf(good + "   "), "accepted");
    const std::string cases[] = {
        "VTX|id|5|N|C|L|e|33|m|c|1|0|s|VTR|",            // first tag
        "VTR|id|5|N|C|L|e|33|m|c|1|0|s|VTX|",            // last tag
        "VTR|id|5|N|C|L|e|33|m|c|1|0|VTR|",              // 13 fields
        "VTR|id|5|N|C|L|e|33|m|c|1|0|s|x|VTR|",          // 15 fields
        good + "x",                                      // text after the end
        "VTR|id|5x|N|C|L|e|33|m|c|1|0|s|VTR|",           // score
        "VTR|id|99999999999|N|C|L|e|33|m|c|1|0|s|VTR|",  // score beyond 32 bits
        "VTR|id|5|N|C|L|e|111|m|c|1|0|s|VTR|",           // age
        "VTR|id|5|N|C|L|e|33|x|c|1|0|s|VTR|",            // sex
        "VTR|id|5|N|C|L|e|33|m|c|-1|0|s|VTR|",           // games started
        "VTR|id|5|" + std::string(21, 'n') + "|C|L|e|33|m|c|1|0|s|VTR|",
        "VTR|id|5|N|C|L|" + std::string(41, 'e') + "|33|m|c|1|0|s|VTR|",
        "VTR|id|5|N|C|L|e|33|m|c|1|0|" + std::string(101, 's') + "|VTR|",
        "VTR|id|5|N\x01|C|L|e|33|m|c|1|0|s|VTR|",  // control character
        "VTR|i d|5|N|C|L|e|33|m|c|1|0|s|VTR|",     // ID
        "",
    };
    for (const std::string& text : cases) EXPECT_NE(RejectionOf(text), "accepted") << text;
}

TEST(ScoreReply, KeysMatchWithoutRegardToCase) {
    const TScoreReply reply = ParseScoreReply(
        "ID=abc\r\nrang=5\r\nALTERRANG=\r\nPlatz1=9000\nwRang=2\rnoise\r\n"
        "Rang=7\r\nwPlatz1=a=b");
    EXPECT_EQ(reply.Value("ID"), "abc");
    EXPECT_EQ(reply.Value("Rang"), "5");  // the first line wins
    EXPECT_EQ(reply.Value("Alterrang"), "");
    EXPECT_EQ(reply.Value("platz1"), "9000");
    EXPECT_EQ(reply.Value("wRang"), "2");
    EXPECT_EQ(reply.Value("wPlatz1"), "a=b");
    EXPECT_EQ(reply.Value("wAlterrang"), "");
    EXPECT_EQ(ParseScoreReply("").Lines.size(), 0u);
}

TEST(ScoreReply, OnlyPlainIdentifiersAreAccepted) {
    EXPECT_TRUE(IsValidPlayerID("a"));
    EXPECT_TRUE(IsValidPlayerID("Ab_9-" + std::string(27, 'x')));  // 32
    EXPECT_FALSE(IsValidPlayerID(""));
    EXPECT_FALSE(IsValidPlayerID(std::string(33, 'x')));
    for (const char* bad : {"a b", "a|b", "<b>", "a\r", "\xE4"}) EXPECT_FALSE(IsValidPlayerID(bad)) << bad;
}
