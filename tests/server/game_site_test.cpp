// The site's answers: the operator's files, the generated ranking list, and
// refusals for everything else.
#include <gtest/gtest.h>

#include <filesystem>

#include "game_site.h"
#include "score_publishing.h"
#include "sqlite_score_store.h"
#include "support/score_requests.h"
#include "support/temp_program_dir.h"

namespace {

class GameSiteTest : public testing::Test {
protected:
    GameSiteTest() : site(dir / "www", store, clock) {
        dir.Write("www/index.html", "<p>home</p>");
        dir.Write("www/errors.txt", "<zn=1><z1=ERROR><W=a.htm>");
        dir.Write("www/errors/index.html", "<p>help</p>");
        dir.Write("secret.txt", "not for the web");
    }
    SiteResponse Get(const std::string& target) { return site.Handle("GET", target); }

    TempProgramDir dir;
    SqliteScoreStore store{":memory:"};
    ManualServerClock clock{1714953600};  // Monday 2024-05-06 00:00 UTC
    GameSite site;
};

TEST_F(GameSiteTest, ServesTheOperatorsFilesAsTheyAreNow) {
    EXPECT_EQ(Get("/vtrinternal").body, "<p>home</p>");
    EXPECT_EQ(Get("/vtrinternal/").contentType, "text/html; charset=utf-8");
    const SiteResponse rules = Get("/vtrinternal/errors.txt?x=1");
    EXPECT_EQ(rules.status, 200);
    EXPECT_EQ(rules.contentType, "text/plain");
    EXPECT_EQ(rules.body, "<zn=1><z1=ERROR><W=a.htm>");
    EXPECT_EQ(Get("/vtrinternal/errors").body, "<p>help</p>");
    dir.Write("www/errors.txt", "edited");
    EXPECT_EQ(Get("/vtrinternal/errors.txt").body, "edited");
    EXPECT_EQ(site.Handle("HEAD", "/vtrinternal").status, 200);
}

TEST_F(GameSiteTest, RefusesWhatIsNotAPageOfTheSite) {
    EXPECT_EQ(Get("/vtrinternal/missing.htm").status, 404);
    EXPECT_EQ(Get("/vtrinternal/../secret.txt").status, 400);
    EXPECT_EQ(Get("/secret.txt").status, 404);
    std::filesystem::create_symlink(dir / "secret.txt", dir / "www/link.txt");
    std::filesystem::create_directory_symlink(dir.path(), dir / "www/up");
    EXPECT_EQ(Get("/vtrinternal/link.txt").status, 404);
    EXPECT_EQ(Get("/vtrinternal/up/secret.txt").status, 404);
    EXPECT_EQ(site.Handle("POST", "/vtrinternal").status, 405);
    const SiteResponse root = Get("/");
    EXPECT_EQ(root.status, 302);
    EXPECT_EQ(root.location, "/vtrinternal");
}

TEST_F(GameSiteTest, TheRankingListShowsPublicDataEscapedAndNeverMailOrComment) {
    ScorePublication p;
    p.score = 900;
    p.data = {"<script>alert(1)</script>",
              "Biel & Bienne",
              "\"CH\"",
              "anna@example.org",
              31,
              "f",
              "my secret remark",
              12,
              3,
              "stats"};
    store.Publish(p, 0);
    p.score = 1500;
    p.data = {"Ben", "", "", "", 0, "", "", 1, 0, ""};
    store.Publish(p, 0);

    const std::string page = Get("/vtrinternal/highscore.html").body;
    EXPECT_EQ(page.find("<script>"), std::string::npos);
    EXPECT_NE(page.find("&lt;script&gt;alert(1)&lt;/script&gt;"), std::string::npos);
    EXPECT_NE(page.find("Biel &amp; Bienne, &quot;CH&quot; &middot; age 31 &middot; female"),
              std::string::npos);
    EXPECT_EQ(page.find("anna@example.org"), std::string::npos);
    EXPECT_EQ(page.find("secret remark"), std::string::npos);
    EXPECT_LT(page.find("Ben"), page.find("alert"));  // the better score first
    EXPECT_NE(page.find("<b>1500</b>"), std::string::npos);
}

TEST_F(GameSiteTest, AScoreRecordIsTakenUpToTheCapAndRefusedUnreadBeyondIt) {
    // Blanks after the record's end are its padding; they are allowed, but only so many.
    const std::string record = ScoreRecordText(ScoreRecordOf("Anna", 10));
    TOnlineRandom random(5);
    const auto padded = [&](std::size_t blocks) {
        return std::string(ScorePublishPath) +
               "?x=1&cs=" + EncodeScoreRecord(record + std::string(blocks * 64 - record.size(), ' '), random);
    };
    const std::string small = padded(8), big = padded(70);
    ASSERT_GT(big.size(), MaxScoreQueryBytes + 30);
    EXPECT_EQ(Get(big).status, 414);
    EXPECT_EQ(store.PlayerCount(), 0);
    const SiteResponse taken = Get(small);
    EXPECT_EQ(taken.status, 200);
    EXPECT_EQ(taken.contentType, "text/plain; charset=utf-8");
    EXPECT_EQ(store.PlayerCount(), 1);
    EXPECT_EQ(site.Handle("HEAD", small).status, 405);
}

}  // namespace
