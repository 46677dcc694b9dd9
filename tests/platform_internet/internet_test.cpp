// The platform's network pieces: the online test, the browser launcher's
// refusals, GETs from a local server, and the configured server addresses.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "online/server_addresses.h"
#include "platform/curl_http_client.h"
#include "platform/linux_connection.h"
#include "platform/xdg_browser_launcher.h"
#include "support/local_http_server.h"
#include "support/temp_program_dir.h"

namespace {

const char* RouteHeader =
    "Iface\tDestination\tGateway \tFlags\tRefCnt\tUse\tMetric\tMask\t\tMTU\tWindow\tIRTT\n";

TEST(Connection, OnlineMeansADefaultRouteThatIsUp) {
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

TEST(Connection, AnIpv6DefaultRouteThatIsUpCountsToo) {
    const std::string zero(32, '0');
    const std::string linkLocal = "fe800000000000000000000000000000 40 " + zero + " 00 " + zero +
                                  " 00000100 00000001 00000000 00000001 eth0\n";
    // The kernel's unreachable default route on lo: not up, a reject route.
    const std::string unreachable =
        zero + " 00 " + zero + " 00 " + zero + " ffffffff 00000001 00000000 00200200       lo\n";
    const std::string defaultUp = zero + " 00 " + zero + " 00 fd000000000000000000000000000001 00000400 " +
                                  "00000002 00000000 00000003     eth0\n";
    EXPECT_TRUE(HasIpv6DefaultRoute(linkLocal + defaultUp + unreachable));
    EXPECT_FALSE(HasIpv6DefaultRoute(linkLocal + unreachable));
    for (const char* flags : {"00000203", "00000002"})  // a reject route, a route that is down
        EXPECT_FALSE(
            HasIpv6DefaultRoute(zero + " 00 " + zero + " 00 " + zero + " 00000400 0 0 " + flags + " eth0\n"));
    EXPECT_FALSE(HasIpv6DefaultRoute(""));
}

TEST(Connection, TheEnvironmentCanFixTheState) {
    setenv("VANTOREL_ONLINE", "1", 1);
    EXPECT_TRUE(MakeConnection()->IsOnline());
    setenv("VANTOREL_ONLINE", "0", 1);
    EXPECT_FALSE(MakeConnection()->IsOnline());
    setenv("VANTOREL_ONLINE", "yes", 1);
    EXPECT_NE(dynamic_cast<RouteTableConnection*>(MakeConnection().get()), nullptr);
    unsetenv("VANTOREL_ONLINE");
    EXPECT_NE(dynamic_cast<RouteTableConnection*>(MakeConnection().get()), nullptr);
}

TEST(BrowserLauncher, RefusesEverythingButWebAddresses) {
    XdgBrowserLauncher launcher;
    EXPECT_FALSE(launcher.Open("file:///etc/passwd"));
    EXPECT_FALSE(launcher.Open("javascript:alert(1)"));
    EXPECT_FALSE(launcher.Open("--help"));
}

TEST(BrowserLauncher, TheOpenersExitStatusDecidesUnlessItStaysWithTheBrowser) {
    TempProgramDir dir;
    const auto opener = [&](const std::string& name, const std::string& body) {
        dir.Write(name, "#!/bin/sh\n" + body + "\n");
        std::filesystem::permissions(dir / name, std::filesystem::perms::owner_all);
        setenv("VANTOREL_BROWSER", (dir / name).c_str(), 1);
    };
    XdgBrowserLauncher launcher(std::chrono::milliseconds(500));
    opener("no-browser.sh", "exit 3");  // as xdg-open when it finds no browser
    EXPECT_FALSE(launcher.Open("http://dl.test/"));
    opener("opened.sh", "echo \"$1\" >\"$0.url\"");
    EXPECT_TRUE(launcher.Open("https://dl.test/get"));
    EXPECT_EQ(dir.Read("opened.sh.url"), "https://dl.test/get\n");
    opener("killed.sh", "kill -9 $$");
    EXPECT_FALSE(launcher.Open("http://dl.test/"));
    // An opener still running after the wait has started the browser and waits for it.
    opener("stays.sh", "sleep 3");
    const auto start = std::chrono::steady_clock::now();
    EXPECT_TRUE(launcher.Open("http://dl.test/"));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
    unsetenv("VANTOREL_BROWSER");
}

TEST(CurlHttpClient, SendsTheProgramsHeadersAndFollowsRedirects) {
    LocalHttpServer server([](const std::string& request) {
        return RequestPath(request) == "/old" ? HttpRedirect("/vtrinternal/new.txt")
                                              : HttpReply(200, "zn=1\nsecond\r\n");
    });
    CurlHttpClient client;
    const THttpResponse r = client.Get(server.Url("/old"), {});
    EXPECT_FALSE(r.Failed()) << r.Error;
    EXPECT_EQ(r.Status, 200);
    EXPECT_EQ(r.Body, "zn=1\nsecond\r\n");  // the client leaves line breaks alone
    EXPECT_EQ(r.EffectiveUrl, server.Url("/vtrinternal/new.txt"));
    const auto requests = server.Requests();
    ASSERT_EQ(requests.size(), 2u);
    for (const auto& request : requests) {
        EXPECT_NE(request.find("\r\nAccept: text/html, */*\r\n"), std::string::npos) << request;
        EXPECT_NE(request.find("\r\nUser-Agent: Mozilla/3.0 (compatible; Indy Library)\r\n"),
                  std::string::npos);
    }
}

TEST(CurlHttpClient, ErrorStatusesAreAnswersAndTransferErrorsAreReported) {
    CurlHttpClient client;
    {
        LocalHttpServer server(HttpReply(404, "<html>gone</html>"));
        const THttpResponse r = client.Get(server.Url("/missing"), {});
        EXPECT_FALSE(r.Failed());
        EXPECT_EQ(r.Status, 404);
    }
    // A port nobody listens on (the server above has closed it).
    int closedPort = 0;
    {
        LocalHttpServer probe(HttpReply(200, ""));
        const std::string url = probe.Url("");
        closedPort = std::atoi(url.substr(url.rfind(':') + 1).c_str());
    }
    const THttpResponse refused = client.Get("http://127.0.0.1:" + std::to_string(closedPort) + "/", {});
    EXPECT_TRUE(refused.Failed());
    EXPECT_EQ(refused.Status, 0);
    EXPECT_TRUE(client.Get("ftp://127.0.0.1/", {}).Failed());
    // Redirects never leave http and https.
    LocalHttpServer toFile(HttpRedirect("file:///etc/passwd"));
    const THttpResponse redirected = client.Get(toFile.Url("/"), {});
    EXPECT_TRUE(redirected.Failed());
    EXPECT_TRUE(redirected.Body.empty());
}

TEST(CurlHttpClient, BodiesBeyondTheLimitAreRefused) {
    CurlHttpClient client;
    LocalHttpServer server(HttpReply(200, std::string(MaxHttpBodyBytes + 1, 'a')));
    const THttpResponse big = client.Get(server.Url("/big"), {});
    EXPECT_TRUE(big.Failed());
    EXPECT_TRUE(big.Body.empty());
    LocalHttpServer fits(HttpReply(200, std::string(MaxHttpBodyBytes, 'a')));
    EXPECT_EQ(client.Get(fits.Url("/fits"), {}).Body.size(), MaxHttpBodyBytes);
}

TEST(CurlHttpClient, AStopRequestEndsAHangingTransfer) {
    // The server sends its headers and then nothing for a long while.
    LocalHttpServer server([](const std::string&) {
        std::this_thread::sleep_for(std::chrono::seconds(3));  // curl looks at the stop about once a second
        return HttpReply(200, "late");
    });
    CurlHttpClient client;
    std::stop_source stop;
    THttpResponse r;
    const auto start = std::chrono::steady_clock::now();
    std::thread fetch([&] { r = client.Get(server.Url("/slow"), stop.get_token()); });
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    stop.request_stop();
    fetch.join();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
    EXPECT_TRUE(r.Failed());
    EXPECT_TRUE(r.Body.empty());
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
