// Sending a published game's replay: the server's offer read from its
// capabilities, and what is sent (or not) over a fake HTTP client.
#include <gtest/gtest.h>

#include "online/replay_upload.h"
#include "support/fake_internet.h"

namespace {

constexpr const char* Root = "http://scores.test";
const std::string Capabilities = std::string(Root) + "/vtrinternal/capabilities.txt";

TEST(ReplayOfferOf, ReadsThePathAndSizeOfAReplayLineAndNothingElse) {
    const std::optional<TReplayOffer> offer = ReplayOfferOf("news 1\r\nreplays /replays 4194304\r\n");
    ASSERT_TRUE(offer);
    EXPECT_EQ(offer->path, "/replays");
    EXPECT_EQ(offer->maxBytes, 4194304u);
    EXPECT_TRUE(ReplayOfferOf("replays /up/load.php 10"));
    for (const char* bad : {"", "replays", "replays /replays", "replays /replays 12x", "replays /replays -1",
                            "replays http://elsewhere/replays 10", "replays /a/../b 10", "replays /a?x=1 10",
                            "Replays /replays 10"})
        EXPECT_FALSE(ReplayOfferOf(bad)) << bad;
}

class ReplayUploadTest : public testing::Test {
protected:
    TReplayUploadOutcome Upload(const std::string& playerId = "anna_7") {
        return UploadReplay(
            http, {Root, playerId, 0x2a, 14880, "stats"},
            [this](std::int32_t score, const std::string& stats) -> std::optional<std::string> {
                asked = std::to_string(score) + " " + stats;
                return replay;
            },
            {});
    }

    FakeHttpClient http;
    std::optional<std::string> replay = std::string("vantorel-replay 1\n");
    std::string asked;
};

TEST_F(ReplayUploadTest, TheReplayGoesWithThePlayerAndTheRecordsChecksumWhereTheServerTakesIt) {
    http.Answer(Capabilities, 200, "replays /replays 100\r\n");
    http.postHandler = [](const std::string& url, std::string_view) {
        THttpResponse r;
        r.Status = 202;
        r.EffectiveUrl = url;
        return r;
    };
    EXPECT_EQ(Upload(), TReplayUploadOutcome::Sent);
    EXPECT_EQ(asked, "14880 stats");
    ASSERT_EQ(http.posted.size(), 1u);
    EXPECT_EQ(http.posted[0].url, std::string(Root) + "/replays?id=anna_7&sum=0000002a");
    EXPECT_EQ(http.posted[0].body, *replay);
    EXPECT_EQ(http.posted[0].contentType, "text/plain");

    http.postHandler = nullptr;  // the canned answers: 404
    EXPECT_EQ(Upload(), TReplayUploadOutcome::Refused);
    http.Fail(std::string(Root) + "/replays?id=anna_7&sum=0000002a", "Connection refused");
    EXPECT_EQ(Upload(), TReplayUploadOutcome::Failed);
}

TEST_F(ReplayUploadTest, NothingIsSentWhereTheServerDoesNotAskOrThereIsNothingToSend) {
    EXPECT_EQ(Upload(), TReplayUploadOutcome::NotOffered);  // no capabilities: 404
    http.Fail(Capabilities, "timeout");
    EXPECT_EQ(Upload(), TReplayUploadOutcome::NotOffered);
    http.Answer(Capabilities, 200, "replays /replays 10\r\n");
    EXPECT_EQ(Upload(), TReplayUploadOutcome::TooLarge);
    replay.reset();
    EXPECT_EQ(Upload(), TReplayUploadOutcome::NoReplay);
    const std::size_t asks = http.requested.size();
    EXPECT_EQ(Upload(""), TReplayUploadOutcome::NotOffered);  // a player without an ID has no publication
    EXPECT_EQ(http.requested.size(), asks);
    EXPECT_TRUE(http.posted.empty());
}

}  // namespace
