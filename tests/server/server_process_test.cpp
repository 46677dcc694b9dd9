// The real vantorel-server on 127.0.0.1: its first start, its request lines,
// bad requests and many clients at once.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <fstream>
#include <iterator>
#include <sstream>
#include <thread>

#include "sqlite_score_store.h"
#include "support/game_server_process.h"
#include "support/raw_http.h"
#include "support/temp_program_dir.h"

namespace {

const std::vector<std::string> kClientHeaders = {"Accept: text/html, */*",
                                                 "User-Agent: Mozilla/3.0 (compatible; Indy Library)"};

std::vector<std::string> HelpPagesOfTheRules(const std::string& rules) {
    std::vector<std::string> pages;
    std::istringstream lines(rules);
    for (std::string line; std::getline(lines, line);) {
        const std::size_t at = line.find("<W=");
        if (at != std::string::npos) pages.push_back(line.substr(at + 3, line.find('>', at) - at - 3));
    }
    return pages;
}

TEST(ServerProcess, AFirstStartServesTheDefaultSiteAndTheListFromTheDataFolder) {
    TempProgramDir dir;
    {
        SqliteScoreStore store((dir / "scores.sqlite").string());
        ScorePublication p;
        p.score = 31337;
        p.data.name = "Anna <3";
        p.data.email = "anna@example.org";
        store.Publish(p, 0);
    }
    GameServerProcess server(VANTOREL_SERVER_BINARY, dir.path(), {"--log-headers"});
    EXPECT_THAT(server.Url(), testing::MatchesRegex("http://127\\.0\\.0\\.1:[0-9]+"));

    const std::string home = RawHttpGet(server.Port(), "/vtrinternal", kClientHeaders);
    EXPECT_EQ(HttpStatusOf(home), 200);
    EXPECT_NE(HttpBodyOf(home).find("<img src=\"/vtrinternal/title.jpg\""), std::string::npos);
    EXPECT_TRUE(
        server.WaitForLine("GET /vtrinternal 200 accept=\"text/html, */*\" user-agent=\"Mozilla/3.0 "
                           "(compatible; Indy Library)\""));

    const std::string title = RawHttpGet(server.Port(), "/vtrinternal/title.jpg");
    EXPECT_EQ(HttpHeaderOf(title, "Content-Type"), "image/jpeg");
    EXPECT_EQ(HttpBodyOf(title).substr(0, 2), "\xFF\xD8");
    const std::string version = HttpBodyOf(RawHttpGet(server.Port(), "/vtrinternal/version.txt"));
    EXPECT_EQ(version, "1.07\r\n" + server.Url() + "/vtrinternal/download.htm\r\n");

    const std::string rules = HttpBodyOf(RawHttpGet(server.Port(), "/vtrinternal/errors.txt"));
    EXPECT_EQ(rules, dir.Read("www/errors.txt"));
    std::vector<std::string> pages = HelpPagesOfTheRules(rules);
    ASSERT_FALSE(pages.empty());
    for (std::string& page : pages) page = "errors/" + page;
    for (const char* page : {"errors.htm", "vtrrulesengl.htm", "download.htm"}) pages.push_back(page);
    for (const std::string& page : pages)
        EXPECT_EQ(HttpStatusOf(RawHttpGet(server.Port(), "/vtrinternal/" + page)), 200) << page;

    const std::string list =
        HttpBodyOf(RawHttpGet(server.Port(), "/vtrinternal/highscore.html?cs=anna%40example.org"));
    EXPECT_NE(list.find("Anna &lt;3"), std::string::npos);
    EXPECT_NE(list.find("31337"), std::string::npos);
    EXPECT_EQ(list.find("anna@"), std::string::npos);
    EXPECT_TRUE(server.WaitForLine(
        [](const std::string& l) { return l.rfind("GET /vtrinternal/highscore.html 200", 0) == 0; },
        std::chrono::seconds(5)));
    for (const std::string& line : server.Lines()) EXPECT_EQ(line.find("anna"), std::string::npos) << line;
    EXPECT_EQ(server.Stop(), 0);
}

TEST(ServerProcess, BadRequestsGetAClientErrorAndTheServerServesOn) {
    TempProgramDir dir;
    GameServerProcess server(VANTOREL_SERVER_BINARY, dir.path());
    const std::string end = " HTTP/1.1\r\nConnection: close\r\n\r\n";
    const std::pair<std::string, int> requests[] = {
        {"GET /vtrinternal/../scores.sqlite" + end, 400},
        {"GET /vtrinternal/%2e%2e/scores.sqlite" + end, 400},
        {"GET /vtrinternal/errors%2F..%2F..%2Fscores.sqlite" + end, 400},
        {"GET /vtrinternal/%00.htm" + end, 400},
        {std::string("GET /vtrinternal/a\0b", 20) + end, 400},
        {"GET /vtrinternal/" + std::string(2000, 'a') + end, 414},
        {"GET /vtrinternal/version.txt?cs=" + std::string(9000, 'A') + end, 414},
        {"GET /vtrinternal HTTP/1.1\r\nX-Big: " + std::string(10000, 'b') + "\r\n\r\n", 400},
        {"GARBAGE\r\n\r\n", 400},
        {"POST /vtrinternal HTTP/1.1\r\nContent-Length: 100000000\r\n\r\n", 405},
        {"DELETE /vtrinternal/errors.txt" + end, 405},
        {"GET /" + end, 302},
    };
    for (const auto& [request, status] : requests) {
        const std::string answer = RawHttpExchange(server.Port(), request);
        EXPECT_EQ(HttpStatusOf(answer), status) << request.substr(0, 60);
        EXPECT_EQ(answer.find("SQLite format"), std::string::npos);
    }
    EXPECT_EQ(HttpStatusOf(RawHttpGet(server.Port(), "/vtrinternal/errors.txt")), 200);
    for (const std::string& line : server.Lines()) EXPECT_LT(line.size(), 260u) << line.substr(0, 80);
    EXPECT_EQ(server.Stop(), 0);
}

TEST(ServerProcess, ARequestWithHeadersWithoutEndIsRefusedAndTheServerServesOn) {
    TempProgramDir dir;
    GameServerProcess server(VANTOREL_SERVER_BINARY, dir.path());
    std::string request = "GET /vtrinternal/version.txt HTTP/1.1\r\nHost: 127.0.0.1\r\n";
    for (int i = 0; i < 100; ++i)
        request += "X-Filler-" + std::to_string(i) + ": " + std::string(2000, 'x') + "\r\n";
    EXPECT_EQ(HttpStatusOf(RawHttpExchange(server.Port(), request + "Connection: close\r\n\r\n")), 400);
    EXPECT_EQ(HttpStatusOf(RawHttpGet(server.Port(), "/vtrinternal/version.txt")), 200);
    EXPECT_EQ(server.Stop(), 0);
}

TEST(ServerProcess, ServesManyClientsAtOnceWhileSomeHoldIdleConnections) {
    TempProgramDir dir;
    GameServerProcess server(VANTOREL_SERVER_BINARY, dir.path());
    std::vector<int> idle;
    for (int i = 0; i < 4; ++i) {
        idle.push_back(socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0));
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_port = htons(static_cast<std::uint16_t>(server.Port()));
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ASSERT_EQ(connect(idle.back(), reinterpret_cast<sockaddr*>(&a), sizeof a), 0);
    }
    const std::vector<std::string> pages = {"errors.txt", "version.txt", "errors.htm", "highscore.html", ""};
    std::vector<std::string> expected;
    for (const std::string& page : pages)
        expected.push_back(HttpBodyOf(RawHttpGet(server.Port(), "/vtrinternal/" + page)));
    std::atomic<int> wrong{0};
    std::vector<std::thread> clients;
    for (int c = 0; c < 12; ++c)
        clients.emplace_back([&, c] {
            for (int i = 0; i < 15; ++i) {
                const std::size_t k = static_cast<std::size_t>(c + i) % pages.size();
                const std::string answer = RawHttpGet(server.Port(), "/vtrinternal/" + pages[k]);
                if (HttpStatusOf(answer) != 200 || HttpBodyOf(answer) != expected[k]) ++wrong;
            }
        });
    for (std::thread& t : clients) t.join();
    for (int fd : idle) close(fd);
    EXPECT_EQ(wrong, 0);
    EXPECT_EQ(server.Stop(), 0);
}

TEST(ServerProcess, KeepsAnOperatorsSiteShowsItsEditsAtOnceAndServesOnAfterSIGHUP) {
    TempProgramDir dir;
    dir.Write("www/index.html", "<p>our news</p>");
    GameServerProcess server(VANTOREL_SERVER_BINARY, dir.path());
    EXPECT_EQ(HttpBodyOf(RawHttpGet(server.Port(), "/vtrinternal")), "<p>our news</p>");
    EXPECT_EQ(HttpStatusOf(RawHttpGet(server.Port(), "/vtrinternal/errors.txt")), 404);
    dir.Write("www/index.html", "<p>fresh news</p>");
    EXPECT_EQ(HttpBodyOf(RawHttpGet(server.Port(), "/vtrinternal")), "<p>fresh news</p>");
    EXPECT_TRUE(server.WaitForLine("GET /vtrinternal/errors.txt 404"));
    // A service manager's reload: noted, and the server serves on.
    ASSERT_EQ(kill(server.Pid(), SIGHUP), 0);
    EXPECT_TRUE(server.WaitForLine("SIGHUP: nothing to reload, every request reads the site afresh"));
    EXPECT_EQ(HttpBodyOf(RawHttpGet(server.Port(), "/vtrinternal")), "<p>fresh news</p>");
    EXPECT_EQ(server.Stop(), 0);
}

}  // namespace
