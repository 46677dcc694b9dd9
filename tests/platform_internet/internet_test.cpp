// The internet helpers: the online test, opening addresses, fetching pages
// from a local server, and the configured server addresses.
#include <gtest/gtest.h>

#include <cstdlib>

#include "local_http_server.h"
#include "online/server_addresses.h"
#include "platform/internet.h"
#include "support/recording_messages.h"

namespace {

const char* RouteHeader =
    "Iface\tDestination\tGateway \tFlags\tRefCnt\tUse\tMetric\tMask\t\tMTU\tWindow\tIRTT\n";

TEST(Internet, OnlineMeansADefaultRouteThatIsUp) {
    const std::string local = "eth0\t000200C0\t00000000\t0001\t0\t0\t0\t00FFFFFF\t0\t0\t0\n";
    const std::string defaultUp = "eth0\t00000000\t010200C0\t0003\t0\t0\t0\t00000000\t0\t0\t0\n";
    const std::string defaultDown = "eth0\t00000000\t010200C0\t0002\t0\t0\t0\t00000000\t0\t0\t0\n";
    EXPECT_TRUE(HasDefaultRoute(RouteHeader + local + defaultUp));
    EXPECT_FALSE(HasDefaultRoute(RouteHeader + local));
    EXPECT_FALSE(HasDefaultRoute(RouteHeader + defaultDown));
    EXPECT_FALSE(HasDefaultRoute(""));
    // The header line alone never counts, whatever it holds.
    EXPECT_FALSE(HasDefaultRoute(defaultUp));
}

class InternetTest : public ::testing::Test {
protected:
    ~InternetTest() override {
        SetOnlineCheck({});
        SetUrlLauncher({});
    }
    RecordingMessages messages;
};

TEST_F(InternetTest, OnlyWebAddressesReachTheBrowser) {
    std::vector<std::string> opened;
    SetUrlLauncher([&](const std::string& url) {
        opened.push_back(url);
        return true;
    });
    OpenUrl("https://example.org/a", messages);
    OpenUrl("HTTP://example.org/b", messages);
    OpenUrl("file:///etc/passwd", messages);
    OpenUrl("javascript:alert(1)", messages);
    OpenUrl("httpx://example.org", messages);
    EXPECT_EQ(opened, (std::vector<std::string>{"https://example.org/a", "HTTP://example.org/b"}));
    EXPECT_EQ(messages.shown,
              (std::vector<std::string>{"Unable to start Browser. Goto\rfile:///etc/passwd",
                                        "Unable to start Browser. Goto\rjavascript:alert(1)",
                                        "Unable to start Browser. Goto\rhttpx://example.org"}));
}

TEST_F(InternetTest, ABrowserThatDoesNotStartIsReported) {
    SetUrlLauncher([](const std::string&) { return false; });
    OpenUrl("http://example.org/", messages);
    EXPECT_EQ(messages.shown, std::vector<std::string>{"Unable to start Browser. Goto\rhttp://example.org/"});
}

TEST_F(InternetTest, FetchSendsTheProgramsHeadersAndNormalisesLineBreaks) {
    LocalHttpServer server(HttpReply(200, "zn=1\nsecond\r\nthird\rfourth"));
    SetOnlineCheck([] { return true; });
    std::string text = "old";
    HttpGet(server.Url("/vtrinternal/errors.txt"), text, messages);
    EXPECT_EQ(text, "zn=1\r\nsecond\r\nthird\r\nfourth");
    const auto requests = server.Requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].rfind("GET /vtrinternal/errors.txt HTTP/1.1\r\n", 0), 0u) << requests[0];
    EXPECT_NE(requests[0].find("\r\nAccept: text/html, */*\r\n"), std::string::npos) << requests[0];
    EXPECT_NE(requests[0].find("\r\nUser-Agent: Mozilla/3.0 (compatible; Indy Library)\r\n"),
              std::string::npos);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(InternetTest, ErrorStatusesAndTransferErrorsRaise) {
    SetOnlineCheck([] { return true; });
    {
        LocalHttpServer server(HttpReply(404, "<html>gone</html>"));
        std::string text = "old";
        try {
            HttpGet(server.Url("/missing"), text, messages);
            FAIL() << "no error for 404";
        } catch (const EHttpError& e) {
            EXPECT_NE(std::string(e.what()).find("404"), std::string::npos) << e.what();
        }
        EXPECT_EQ(text, "");  // emptied before the transfer
    }
    // A port nobody listens on (the server above has closed it).
    int closedPort = 0;
    {
        LocalHttpServer probe(HttpReply(200, ""));
        const std::string url = probe.Url("");
        closedPort = std::atoi(url.substr(url.rfind(':') + 1).c_str());
    }
    EXPECT_THROW(FetchUrl("http://127.0.0.1:" + std::to_string(closedPort) + "/"), EHttpError);
    EXPECT_THROW(FetchUrl("ftp://127.0.0.1/"), EHttpError);
}

TEST_F(InternetTest, BodiesBeyondTheLimitAreRefused) {
    LocalHttpServer server(HttpReply(200, std::string(MaxHttpBodyBytes + 1, 'a')));
    EXPECT_THROW(FetchUrl(server.Url("/big")), EHttpError);
    LocalHttpServer fits(HttpReply(200, std::string(MaxHttpBodyBytes, 'a')));
    EXPECT_EQ(FetchUrl(fits.Url("/fits")).size(), MaxHttpBodyBytes);
}

TEST_F(InternetTest, OfflineFetchSaysSoAndKeepsTheText) {
    LocalHttpServer server(HttpReply(200, "new"));
    SetOnlineCheck([] { return false; });
    std::string text = "previous";
    HttpGet(server.Url("/page"), text, messages);
    EXPECT_EQ(text, "previous");
    EXPECT_EQ(messages.shown, std::vector<std::string>{"Operation Failed: Can't connect to the Internet"});
    EXPECT_TRUE(server.Requests().empty());
}

TEST(ServerAddresses, DefaultsAndEnvironmentOverrides) {
    unsetenv("VANTOREL_GAME_SERVER");
    unsetenv("VANTOREL_CAMPAIGN_URL");
    EXPECT_EQ(GameServerBase().substr(GameServerBase().size() - 12), "/vtrinternal");
    EXPECT_EQ(GameServerRoot().rfind("https://", 0), 0u);
    setenv("VANTOREL_GAME_SERVER", "http://127.0.0.1:8123//", 1);
    setenv("VANTOREL_CAMPAIGN_URL", "http://127.0.0.1:8124/velmora", 1);
    EXPECT_EQ(GameServerBase(), "http://127.0.0.1:8123/vtrinternal");
    EXPECT_EQ(GameServerPage("errors.txt"), "http://127.0.0.1:8123/vtrinternal/errors.txt");
    EXPECT_EQ(CampaignWebsite(), "http://127.0.0.1:8124/velmora");
    unsetenv("VANTOREL_GAME_SERVER");
    unsetenv("VANTOREL_CAMPAIGN_URL");
}

}  // namespace
