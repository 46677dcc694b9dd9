// The site's side of replays: the capabilities file, an upload with its state and
// download, and the list's marks, its verified scores alone and their ranking.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "game_site.h"
#include "online/score_reply.h"
#include "replay_site.h"
#include "sqlite_score_store.h"
#include "support/replay_uploads.h"
#include "support/score_requests.h"
#include "support/temp_program_dir.h"

namespace {

std::string WonReplay() {
    std::ifstream in(std::string(VANTOREL_SOURCE_DIR) + "/tests/replays/won.replay", std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class ReplaySiteTest : public testing::Test {
protected:
    GameSite Site(bool taken, bool verifiedOnly = false) {
        return GameSite(dir / "www", store, clock, {taken, verifiedOnly, {}, [this] { ++wakes; }});
    }
    // Publishes the record through the site; the player's ID.
    std::string Publish(const GameSite& site, const TScoreRecord& published) {
        const SiteResponse r = site.Handle("GET", ScoreRequestTarget(published));
        EXPECT_EQ(r.status, 200) << r.body;
        const std::string id = ParseScoreReply(r.body).Value("ID");
        return id.empty() ? published.PlayerID : id;
    }
    // Takes the oldest waiting replay and judges it as a verifier would.
    void Judge(bool verified) {
        const std::optional<ClaimedReplay> c = store.ClaimReplay("test", clock.Now(), 0);
        ASSERT_TRUE(c);
        ReplayVerdictRecord v;
        v.verified = verified;
        v.outcome = "won";
        v.reason = verified ? "" : "score differs";
        store.FinishReplay(c->replay, v);
    }

    TempProgramDir dir;
    SqliteScoreStore store{":memory:"};
    ManualServerClock clock{1714953600};
    int wakes = 0;
    const std::string replay = WonReplay();
    const TScoreRecord record = RecordOfReplayGame(replay, "Anna");
};

TEST_F(ReplaySiteTest, OnlyAServerThatTakesReplaysSaysSoAndTakesThem) {
    const GameSite site = Site(true), off = Site(false);
    EXPECT_EQ(site.Handle("GET", "/vtrinternal/capabilities.txt").body, "replays /replays 4194304\r\n");
    EXPECT_EQ(off.Handle("GET", "/vtrinternal/capabilities.txt").body, "");
    const std::string target = ReplayUploadTarget(Publish(site, record), record);
    EXPECT_EQ(off.Handle("POST", target, replay).status, 503);
    EXPECT_EQ(wakes, 0);
}

TEST_F(ReplaySiteTest, AnUploadIsTakenOnceAndItsStateAndReplayAreShown) {
    const GameSite site = Site(true);
    const std::string id = Publish(site, record);
    const std::string target = ReplayUploadTarget(id, record);
    EXPECT_EQ(site.Handle("POST", "/replays?id=bad!id&sum=00000000", replay).body, "bad player ID\r\n");
    EXPECT_EQ(site.Handle("POST", "/replays?id=" + id + "&sum=xyz", replay).status, 400);
    EXPECT_EQ(site.Handle("POST", target, std::string(MaxReplayUploadBytes + 1, 'f')).status, 413);
    const SiteResponse taken = site.Handle("POST", target, replay);
    EXPECT_EQ(taken.status, 202);
    EXPECT_EQ(taken.body, "replay 1 taken: /replays/1\r\n");
    EXPECT_EQ(wakes, 1);
    EXPECT_EQ(site.Handle("POST", target, replay).status, 409);
    EXPECT_EQ(site.Handle("GET", "/replays/1").body, "pending\r\n");
    EXPECT_EQ(site.Handle("GET", "/replays/1.replay").status, 404);  // not verified (yet)
    EXPECT_EQ(site.Handle("GET", "/replays/2").status, 404);
    EXPECT_EQ(site.Handle("GET", "/replays/x1").status, 404);
    const SiteResponse get = site.Handle("GET", "/replays?id=" + id);
    EXPECT_EQ(get.status, 405);
    EXPECT_EQ(get.allow, "POST");

    Judge(true);
    EXPECT_EQ(site.Handle("GET", "/replays/1").body, "verified won\r\n");
    const SiteResponse download = site.Handle("GET", "/replays/1.replay");
    EXPECT_EQ(download.body, replay);
    EXPECT_EQ(download.disposition, "attachment; filename=\"vantorel-1.replay\"");
}

TEST_F(ReplaySiteTest, TheListMarksVerifiedScoresAndCanShowOrRankThemAlone) {
    const GameSite site = Site(true);
    const auto upload = [&](const TScoreRecord& r, bool verified) {
        ASSERT_EQ(site.Handle("POST", ReplayUploadTarget(Publish(site, r), r), replay).status, 202);
        Judge(verified);
    };
    upload(record, true);
    TScoreRecord cheat = record;
    cheat.Name = "Cheat";
    cheat.Score += 1000;
    upload(cheat, false);
    TScoreRecord waiting = record;
    waiting.Name = "Waiting";
    waiting.Score = 100;
    const std::string waitingId = Publish(site, waiting);
    ASSERT_EQ(site.Handle("POST", ReplayUploadTarget(waitingId, waiting), replay).status, 202);

    const std::string page = site.Handle("GET", "/vtrinternal/highscore.html").body;
    EXPECT_NE(page.find("<b>Anna</b></td><td class=\"n\"><b>14880</b></td><td><a href=\"/replays/1.replay\""),
              std::string::npos)
        << page;
    EXPECT_NE(page.find("<b>15880</b></td><td><span title=\"rejected: score differs\">&#10007;</span>"),
              std::string::npos);
    EXPECT_NE(page.find("<b>100</b></td><td><span title=\"being verified\">"), std::string::npos);
    const std::string verified = site.Handle("GET", "/vtrinternal/highscore.html?list=verified").body;
    EXPECT_NE(verified.find("<h3>Verified scores</h3>"), std::string::npos);
    EXPECT_NE(verified.find("The best 1 of 1 player."), std::string::npos);
    EXPECT_EQ(verified.find("Cheat"), std::string::npos);

    // Where only verified scores rank, a publication learns the place it takes once verified.
    const GameSite strict = Site(true, true);
    EXPECT_EQ(strict.Handle("GET", "/vtrinternal/highscore.html").body.find("Cheat"), std::string::npos);
    TScoreRecord better = record;
    better.Score = 20000;
    better.PlayerID = waitingId;
    const TScoreReply reply = ParseScoreReply(strict.Handle("GET", ScoreRequestTarget(better)).body);
    EXPECT_EQ(reply.Value("Rang"), "1");
    EXPECT_EQ(reply.Value("Alterrang"), "");
    EXPECT_EQ(reply.Value("Platz1"), "14880");
}

}  // namespace
