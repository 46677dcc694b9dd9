// Replays verified by the real vantorel-server: a bot's game published by the game's own code,
// forged ones rejected, and bad uploads refused with their reason while the server serves on.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

#include "game/replay_files.h"
#include "headless_game.h"
#include "infra/env_data.h"
#include "online/highscore_publisher.h"
#include "online/score_reply.h"
#include "platform/curl_http_client.h"
#include "support/fake_internet.h"
#include "support/game_server_process.h"
#include "support/raw_http.h"
#include "support/recording_messages.h"
#include "support/replay_uploads.h"
#include "support/score_requests.h"

namespace {

const std::chrono::seconds kVerification(60);

std::string SourceReplay(const std::string& name) {
    std::ifstream in(std::string(VANTOREL_SOURCE_DIR) + "/tests/replays/" + name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool LineStarts(GameServerProcess& server, const std::string& start) {
    return server.WaitForLine([&](const std::string& l) { return l.rfind(start, 0) == 0; }, kVerification);
}

// Publishes the record by hand; the player's ID (the new one, or the record's own).
std::string PublishByHand(GameServerProcess& server, const TScoreRecord& record) {
    const std::string answer = RawHttpGet(server.Port(), ScoreRequestTarget(record));
    EXPECT_EQ(HttpStatusOf(answer), 200) << answer;
    const std::string id = ParseScoreReply(HttpBodyOf(answer)).Value("ID");
    return id.empty() ? record.PlayerID : id;
}

TEST(ReplayPublication, ABotsGameIsVerifiedOnTheListAndARaisedScoreOrAnotherGameIsRejected) {
    HeadlessGame game;
    const HeadlessResult run = game.Run("", 7, 30000, "--bot");
    ASSERT_EQ(run.ExitCode, 0) << run.Text();
    const std::int32_t score = Env.Highscores[0].Score;
    ASSERT_GT(score, 0);
    GameServerProcess server(VANTOREL_SERVER_BINARY, game.Dir / "server");
    ASSERT_EQ(setenv("VANTOREL_SCORE_SERVER", server.Url().c_str(), 1), 0);

    // The game's own publication, and its upload behind it.
    Env.PublishName.reset("Bot");
    CurlHttpClient http;
    FakeBrowser browser;
    FakeConnection connection;
    RecordingMessages messages;
    TInternet internet(http, browser, connection, messages);
    const std::string replays = (game.Dir / "replays").string();
    THighscorePublisher publisher(internet, messages, Env, [] {},
                                  {&http, [&](std::int32_t s, const std::string& stats) {
                                       return FindReplayOfScore(replays, s, stats);
                                   }});
    ASSERT_EQ(publisher.Publish().Outcome, TPublishOutcome::Published);
    EXPECT_EQ(publisher.FinishUpload(), TReplayUploadOutcome::Sent);
    EXPECT_TRUE(messages.shown.empty());
    ASSERT_TRUE(LineStarts(server, "replay 1 verified (won " + std::to_string(score) + ") in "));
    const std::string page = HttpBodyOf(RawHttpGet(server.Port(), "/vtrinternal/highscore.html"));
    EXPECT_NE(page.find("<b>" + std::to_string(score) + "</b></td><td><a href=\"/replays/1.replay\""),
              std::string::npos)
        << page;
    const std::string replay = *FindReplayOfScore(replays, score, Env.StatTexts[0].str());
    EXPECT_EQ(HttpBodyOf(RawHttpGet(server.Port(), "/replays/1.replay")), replay);

    // The same record with its score raised, and the same replay: as a cheater would send them.
    const std::string id = Env.PlayerID.str();
    TScoreRecord raised = ScoreRecordFromEnv(Env);
    raised.Score += 1000;
    PublishByHand(server, raised);
    EXPECT_EQ(HttpStatusOf(RawHttpPost(server.Port(), ReplayUploadTarget(id, raised), replay)), 202);
    ASSERT_TRUE(LineStarts(server, "replay 2 rejected: score differs"));
    EXPECT_EQ(HttpBodyOf(RawHttpGet(server.Port(), "/replays/2")), "rejected: score differs\r\n");
    EXPECT_NE(HttpBodyOf(RawHttpGet(server.Port(), "/vtrinternal/highscore.html"))
                  .find("title=\"rejected: score differs\""),
              std::string::npos);

    // The true record again, with the replay of another game.
    const TScoreRecord honest = ScoreRecordFromEnv(Env);
    PublishByHand(server, honest);
    EXPECT_EQ(HttpStatusOf(RawHttpPost(server.Port(), ReplayUploadTarget(id, honest),
                                       SourceReplay("torpedoes.replay"))),
              202);
    ASSERT_TRUE(LineStarts(server, "replay 3 rejected: "));

    // The verified list keeps the verified score alone.
    const std::string verified =
        HttpBodyOf(RawHttpGet(server.Port(), "/vtrinternal/highscore.html?list=verified"));
    EXPECT_NE(verified.find("<b>" + std::to_string(score) + "</b>"), std::string::npos);
    EXPECT_EQ(verified.find("<b>" + std::to_string(raised.Score) + "</b>"), std::string::npos);
}

TEST(ReplayPublication, BadUploadsAreRefusedWithTheirReasonAndTheServerServesOn) {
    TempProgramDir dir;
    GameServerProcess server(VANTOREL_SERVER_BINARY, dir / "server", {"--replay-steps", "20000"});
    const std::string won = SourceReplay("won.replay");
    const TScoreRecord record = RecordOfReplayGame(won, "Anna");
    const std::string id = PublishByHand(server, record);
    const std::string target = ReplayUploadTarget(id, record);
    const auto refusal = [&](const std::string& to, const std::string& body) {
        const std::string answer = RawHttpPost(server.Port(), to, body);
        return std::to_string(HttpStatusOf(answer)) + " " + HttpBodyOf(answer);
    };

    EXPECT_EQ(refusal(target, std::string(5 * 1024 * 1024, 'f')).substr(0, 3), "413");
    EXPECT_EQ(refusal(target, won.substr(0, won.size() / 2)).substr(0, 21), "400 bad replay: line ");
    EXPECT_EQ(refusal(target, won + std::string(1, '\0')),
              "400 not a replay: byte " + std::to_string(won.size()) + " is not text\r\n");
    EXPECT_EQ(refusal(ReplayUploadTarget("AAAAAAAAAAAAAAAA", record), won),
              "404 no publication of this player with this record\r\n");
    // A replay built to run long: more steps than this server verifies.
    std::string endless = won.substr(0, won.find("begin\n") + 6);
    for (int i = 0; i < 5000; ++i) endless += "f 5\n";
    EXPECT_EQ(refusal(target, endless + "check 25000 00000000\nend 25000 5000\n").substr(0, 21),
              "400 bad replay: line ");

    EXPECT_EQ(refusal(target, won), "202 replay 1 taken: /replays/1\r\n");
    EXPECT_EQ(refusal(target, won), "409 this publication has a replay already\r\n");
    ASSERT_TRUE(LineStarts(server, "replay 1 verified (won 14880) in "));
    EXPECT_EQ(HttpBodyOf(RawHttpGet(server.Port(), "/replays/1")), "verified won\r\n");
    EXPECT_EQ(HttpStatusOf(RawHttpGet(server.Port(), "/replays")), 405);
    EXPECT_EQ(HttpStatusOf(RawHttpGet(server.Port(), "/vtrinternal/highscore.html")), 200);
}

}  // namespace
