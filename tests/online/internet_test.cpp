// The internet helpers over fakes: fetching as text, the offline case, and
// which addresses may reach the browser.
#include <gtest/gtest.h>

#include "online/internet.h"
#include "support/fake_internet.h"
#include "support/recording_messages.h"

namespace {

class InternetTest : public ::testing::Test {
protected:
    FakeHttpClient http;
    FakeBrowser browser;
    FakeConnection connection;
    RecordingMessages messages;
    TInternet internet{http, browser, connection, messages};
};

TEST_F(InternetTest, FetchDialsFirstAndNormalisesLineBreaks) {
    http.Answer("http://s/v.txt", 200, "a\nb\r\nc\rd");
    std::string text = "old";
    EXPECT_TRUE(internet.HttpGet("http://s/v.txt", text));
    EXPECT_EQ(text, "a\r\nb\r\nc\r\nd");
    EXPECT_EQ(connection.autodials, 1);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(InternetTest, ErrorStatusesAndFailedTransfersRaiseAfterEmptyingTheText) {
    http.Answer("http://s/gone", 404, "<html>gone</html>");
    http.Fail("http://s/down", "Connection refused");
    std::string text = "old";
    try {
        internet.HttpGet("http://s/gone", text);
        FAIL() << "no error for 404";
    } catch (const EHttpError& e) {
        EXPECT_EQ(std::string(e.what()), "HTTP/1.1 404 (http://s/gone)");
    }
    EXPECT_EQ(text, "");
    text = "old";
    EXPECT_THROW(internet.HttpGet("http://s/down", text), EHttpError);
    EXPECT_EQ(text, "");
}

TEST_F(InternetTest, OfflineFetchSaysSoAndKeepsTheText) {
    connection.online = false;
    std::string text = "previous";
    EXPECT_FALSE(internet.HttpGet("http://s/page", text));
    EXPECT_EQ(text, "previous");
    EXPECT_EQ(messages.shown, std::vector<std::string>{"Operation Failed: Can't connect to the Internet"});
    EXPECT_TRUE(http.requested.empty());
}

TEST_F(InternetTest, OnlyWebAddressesReachTheBrowser) {
    EXPECT_TRUE(internet.OpenUrl("https://example.org/a"));
    EXPECT_TRUE(internet.OpenUrl("HTTP://example.org/b"));
    EXPECT_FALSE(internet.OpenUrl("file:///etc/passwd"));
    EXPECT_FALSE(internet.OpenUrl("httpx://example.org"));
    EXPECT_FALSE(internet.OpenUrl(" http://example.org"));
    EXPECT_EQ(browser.opened, (std::vector<std::string>{"https://example.org/a", "HTTP://example.org/b"}));
    ASSERT_EQ(messages.shown.size(), 3u);
    EXPECT_EQ(messages.shown[0], "Unable to start Browser. Goto\rfile:///etc/passwd");
    // A browser that does not start is reported the same way.
    browser.starts = false;
    EXPECT_FALSE(internet.OpenUrl("http://example.org/"));
    EXPECT_EQ(messages.shown.back(), "Unable to start Browser. Goto\rhttp://example.org/");
}

}  // namespace
