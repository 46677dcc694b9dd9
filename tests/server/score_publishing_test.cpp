// Publishing scores to the real vantorel-server on 127.0.0.1, once with its
// SQLite file and once with a PostgreSQL database (skipped, saying why, where
// no PostgreSQL cluster can be started): IDs, both lists across a week's
// end, the web list, refusals, and two server processes sharing one list.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <mutex>
#include <random>
#include <set>
#include <thread>

#include "online/score_reply.h"
#include "pg_score_store.h"
#include "sqlite_score_store.h"
#include "support/game_server_process.h"
#include "support/postgres_cluster.h"
#include "support/raw_http.h"
#include "support/replay_uploads.h"
#include "support/score_requests.h"
#include "support/temp_program_dir.h"

namespace {

constexpr std::int64_t kMonday = 1714953600;  // 2024-05-06 00:00 UTC

struct Backend {
    const char* name;
    bool postgres;
};
void PrintTo(const Backend& b, std::ostream* out) {
    *out << b.name;
}

class ScorePublishing : public testing::TestWithParam<Backend> {
protected:
    void SetUp() override {
        if (GetParam().postgres) {
            PostgresCluster& cluster = SharedPostgresCluster();
            if (!cluster.Available()) GTEST_SKIP() << "no PostgreSQL cluster: " << cluster.Reason();
            static int databases = 0;
            database = cluster.NewDatabase("publishing_" + std::to_string(++databases));
        }
        SetClock(kMonday + 3600);
    }

    void SetClock(std::int64_t now) { dir.Write("clock", std::to_string(now) + "\n"); }

    // A server on its own data folder (two servers on SQLite would share the folder).
    std::unique_ptr<GameServerProcess> StartServer(const std::string& data = "data") {
        std::vector<std::string> args = {"--clock-file", (dir / "clock").string(), "--threads", "4"};
        if (!database.empty()) args.insert(args.end(), {"--db", database});
        return std::make_unique<GameServerProcess>(VANTOREL_SERVER_BINARY, dir / data, args);
    }

    // The list as the servers keep it.
    std::unique_ptr<IScoreStore> OpenStore(const std::string& data) const {
        if (!database.empty()) return std::make_unique<PgScoreStore>(database, 1);
        return std::make_unique<SqliteScoreStore>((dir / data / "scores.sqlite").string());
    }

    static TScoreReply Publish(int port, const TScoreRecord& record, std::string* body = nullptr) {
        const std::string answer = RawHttpGet(port, ScoreRequestTarget(record));
        EXPECT_EQ(HttpStatusOf(answer), 200) << answer;
        if (body) *body = HttpBodyOf(answer);
        return ParseScoreReply(HttpBodyOf(answer));
    }

    TempProgramDir dir;
    std::string database;
};

TEST_P(ScorePublishing, ANewPlayerGetsAnIdThatASecondPublicationReusesWithItsOldRank) {
    const auto server = StartServer();
    std::string body;
    const TScoreReply first = Publish(server->Port(), ScoreRecordOf("Anna", 4000), &body);
    const std::string id = first.Value("ID");
    EXPECT_TRUE(IsValidPlayerID(id)) << id;
    EXPECT_EQ(
        body,
        "ID=" + id + "\r\nRang=1\r\nAlterrang=\r\nPlatz1=4000\r\nwRang=1\r\nwAlterrang=\r\nwPlatz1=4000\r\n");

    Publish(server->Port(), ScoreRecordOf("Ben", 6000));
    const TScoreReply again = Publish(server->Port(), ScoreRecordOf("Anna", 7000, id), &body);
    EXPECT_EQ(body, "Rang=1\r\nAlterrang=2\r\nPlatz1=7000\r\nwRang=1\r\nwAlterrang=2\r\nwPlatz1=7000\r\n");
    EXPECT_TRUE(server->WaitForLine("GET /score2.php 200"));
    EXPECT_EQ(server->Stop(), 0);
}

TEST_P(ScorePublishing, TwoPlayersRankInTheOverallAndTheWeeklyListAcrossAWeeksEnd) {
    const auto server = StartServer();
    SetClock(kMonday - 3600);  // Sunday evening
    const std::string anna = Publish(server->Port(), ScoreRecordOf("Anna", 5000)).Value("ID");
    const std::string ben = Publish(server->Port(), ScoreRecordOf("Ben", 3000)).Value("ID");

    SetClock(kMonday + 60);  // a new week: its list starts empty
    const TScoreReply benAgain = Publish(server->Port(), ScoreRecordOf("Ben", 2000, ben));
    EXPECT_EQ(benAgain.Value("Rang"), "2");
    EXPECT_EQ(benAgain.Value("Alterrang"), "2");
    EXPECT_EQ(benAgain.Value("Platz1"), "5000");
    EXPECT_EQ(benAgain.Value("wRang"), "1");
    EXPECT_EQ(benAgain.Value("wAlterrang"), "");
    EXPECT_EQ(benAgain.Value("wPlatz1"), "2000");

    const TScoreReply annaAgain = Publish(server->Port(), ScoreRecordOf("Anna", 1000, anna));
    EXPECT_EQ(annaAgain.Value("ID"), "");
    EXPECT_EQ(annaAgain.Value("Rang"), "1");
    EXPECT_EQ(annaAgain.Value("wRang"), "2");
    EXPECT_EQ(annaAgain.Value("wPlatz1"), "2000");

    const TScoreReply annaBetter = Publish(server->Port(), ScoreRecordOf("Anna", 2500, anna));
    EXPECT_EQ(annaBetter.Value("wRang"), "1");
    EXPECT_EQ(annaBetter.Value("wAlterrang"), "2");
    EXPECT_EQ(annaBetter.Value("Platz1"), "5000");
}

TEST_P(ScorePublishing, TheWebListShowsTheNameButNeverTheMailAddressOrTheComment) {
    const auto server = StartServer();
    TScoreRecord record = ScoreRecordOf("Zo\xEB <b>", 31337);
    record.City = "Z\xFCrich";
    record.Email = "zoe@example.org";
    record.Comment = "secret remark";
    record.Age = 23;
    record.Sex = 'f';
    Publish(server->Port(), record);

    const std::string list = HttpBodyOf(RawHttpGet(server->Port(), "/vtrinternal/highscore.html"));
    EXPECT_NE(list.find("Zo\u00eb &lt;b&gt;"), std::string::npos) << list;
    EXPECT_NE(list.find("Z\u00fcrich &middot; age 23 &middot; female"), std::string::npos);
    EXPECT_NE(list.find("31337"), std::string::npos);
    EXPECT_EQ(list.find("zoe@"), std::string::npos);
    EXPECT_EQ(list.find("secret"), std::string::npos);
    EXPECT_TRUE(server->WaitForLine("GET /vtrinternal/highscore.html 200"));
    for (const std::string& line : server->Lines()) EXPECT_EQ(line.find("cs="), std::string::npos) << line;
}

TEST_P(ScorePublishing, BadRecordsAreRefusedAndChangeNothing) {
    const auto server = StartServer();
    const std::string anna = Publish(server->Port(), ScoreRecordOf("Anna", 100)).Value("ID");
    const std::string before = HttpBodyOf(RawHttpGet(server->Port(), "/vtrinternal/highscore.html"));

    TOnlineRandom random(3);
    const auto encoded = [&](const std::string& text) { return EncodeScoreRecord(text, random); };
    const std::string valid = ScoreRecordText(ScoreRecordOf("Anna", 999999, anna));
    std::string wrongTag = valid;
    wrongTag.replace(wrongTag.size() - 4, 3, "XYZ");
    const std::pair<std::string, int> requests[] = {
        {"/score2.php", 400},
        {"/score2.php?name=x", 400},
        {"/score2.php?cs=", 400},
        {"/score2.php?cs=" + std::string(128, 'A'), 400},  // no record in it
        {"/score2.php?cs=" + encoded(valid).substr(3), 400},
        {"/score2.php?cs=" + encoded(wrongTag), 400},
        {"/score2.php?cs=" + encoded(ScoreRecordText(ScoreRecordOf(std::string(21, 'n'), 5))), 400},
        {"/score2.php?cs=" + encoded(ScoreRecordText(ScoreRecordOf("Eve", 5, "bad id!"))), 400},
        {"/score2.php?cs=" + encoded("VTR| |12x|Eve| | | | | | |1|0| |VTR|"), 400},
        {"/score2.php?cs=" + std::string(9000, 'A'), 414},  // the request line is over 8 KiB
    };
    for (const auto& [target, status] : requests)
        EXPECT_EQ(HttpStatusOf(RawHttpGet(server->Port(), target)), status) << target.substr(0, 60);
    const std::string head =
        RawHttpExchange(server->Port(), "HEAD " + ScoreRequestTarget(ScoreRecordOf("Anna", 999999, anna)) +
                                            " HTTP/1.1\r\nConnection: close\r\n\r\n");
    EXPECT_EQ(HttpStatusOf(head), 405);
    EXPECT_EQ(HttpHeaderOf(head, "Allow"), "GET");

    EXPECT_EQ(HttpBodyOf(RawHttpGet(server->Port(), "/vtrinternal/highscore.html")), before);
    EXPECT_EQ(Publish(server->Port(), ScoreRecordOf("Anna", 50, anna)).Value("Platz1"), "100");
}

// The replies one player's concurrent publications got must be those of the
// publications one after another: each improvement starts from the rank the
// previous one reached, and the best score is the highest published.
void ExpectOneChainOfRanks(std::vector<std::pair<std::int64_t, std::int64_t>> steps, std::int64_t start,
                           const char* list) {
    std::sort(steps.begin(), steps.end(), std::greater<>());
    std::vector<std::int64_t> reached = {start};
    for (const auto& [oldRank, rank] : steps) {
        if (oldRank == rank) continue;
        EXPECT_EQ(oldRank, reached.back()) << list << ": two publications improved from the same rank";
        reached.push_back(rank);
    }
    for (const auto& [oldRank, rank] : steps) {
        if (oldRank != rank) continue;
        EXPECT_NE(std::find(reached.begin(), reached.end(), rank), reached.end()) << list;
    }
}

TEST_P(ScorePublishing, TwoServersOnOneListRankConcurrentPublicationsOneAfterAnother) {
    const auto first = StartServer("first");
    const auto second = GetParam().postgres ? StartServer("second") : StartServer("first");
    const int ports[] = {first->Port(), second->Port()};
    // Others at 5, 25, 45, ...: each better score of the player passes some of them.
    for (int i = 0; i < 30; ++i) Publish(ports[i % 2], ScoreRecordOf("Other", 5 + 20 * i));
    const std::string id = Publish(ports[0], ScoreRecordOf("Kim", 1)).Value("ID");
    const std::int64_t startRank = 31;

    std::vector<std::int32_t> scores;
    for (int i = 1; i <= 48; ++i) scores.push_back(10 * i);
    std::shuffle(scores.begin(), scores.end(), std::mt19937(7));
    std::mutex mutex;
    std::vector<std::pair<std::int64_t, std::int64_t>> overall, weekly;
    std::atomic<std::size_t> next{0};
    std::atomic<int> refused{0};
    std::vector<std::thread> clients;
    for (int c = 0; c < 8; ++c)
        clients.emplace_back([&, c] {
            for (std::size_t k; (k = next++) < scores.size();) {
                const std::string answer =
                    RawHttpGet(ports[c % 2], ScoreRequestTarget(ScoreRecordOf("Kim", scores[k], id), k));
                if (HttpStatusOf(answer) != 200) ++refused;
                const TScoreReply r = ParseScoreReply(HttpBodyOf(answer));
                std::lock_guard lock(mutex);
                overall.emplace_back(std::stoll("0" + r.Value("Alterrang")),
                                     std::stoll("0" + r.Value("Rang")));
                weekly.emplace_back(std::stoll("0" + r.Value("wAlterrang")),
                                    std::stoll("0" + r.Value("wRang")));
            }
        });
    for (std::thread& t : clients) t.join();
    EXPECT_EQ(refused, 0);
    ExpectOneChainOfRanks(overall, startRank, "overall");
    ExpectOneChainOfRanks(weekly, startRank, "weekly");
    EXPECT_EQ(OpenStore("first")->FindPlayer(id)->score, 480);
    EXPECT_EQ(first->Stop(), 0);
    EXPECT_EQ(second->Stop(), 0);
}

TEST_P(ScorePublishing, TwoServersOnOneListVerifyEachReplayOnce) {
    const auto first = StartServer("first");
    const auto second = GetParam().postgres ? StartServer("second") : StartServer("first");
    GameServerProcess* servers[] = {first.get(), second.get()};
    std::ifstream in(std::string(VANTOREL_SOURCE_DIR) + "/tests/replays/won.replay", std::ios::binary);
    const std::string replay((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    constexpr int kReplays = 6;
    for (int i = 0; i < kReplays; ++i) {
        const TScoreRecord record = RecordOfReplayGame(replay, "Player " + std::to_string(i));
        const std::string id = Publish(servers[i % 2]->Port(), record).Value("ID");
        const std::string answer =
            RawHttpPost(servers[(i + 1) % 2]->Port(), ReplayUploadTarget(id, record), replay);
        ASSERT_EQ(HttpStatusOf(answer), 202) << answer;
    }
    // Each verification is written by the server that made it.
    const auto verifications = [&] {
        std::multiset<std::string> made;
        for (GameServerProcess* server : servers)
            for (const std::string& line : server->Lines())
                if (line.find(" verified (won 14880) in ") != std::string::npos)
                    made.insert(line.substr(0, line.find(" v")));
        return made;
    };
    for (int wait = 0; wait < 600 && verifications().size() < kReplays; ++wait)
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    std::this_thread::sleep_for(
        std::chrono::milliseconds(500));  // a second verification of one would show by now
    const std::multiset<std::string> made = verifications();
    EXPECT_EQ(made.size(), std::size_t{kReplays});
    for (int r = 1; r <= kReplays; ++r) EXPECT_EQ(made.count("replay " + std::to_string(r)), 1u) << r;
    EXPECT_EQ(OpenStore("first")->VerifiedPlayerCount(), kReplays);
}

INSTANTIATE_TEST_SUITE_P(Stores, ScorePublishing,
                         testing::Values(Backend{"SQLite", false}, Backend{"PostgreSQL", true}),
                         [](const testing::TestParamInfo<Backend>& b) { return std::string(b.param.name); });

}  // namespace
