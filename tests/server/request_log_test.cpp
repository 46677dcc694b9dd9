// The request lines: no query string, and nothing a client sends can start a line of its own.
#include <gtest/gtest.h>

#include "request_log.h"

namespace {

TEST(RequestLog, ShowsMethodPathAndStatusButNeverTheQuery) {
    EXPECT_EQ(RequestLogLine({"GET", "/score2.php?cs=anna%40example.org", 400, "", ""}, false),
              "GET /score2.php 400");
    EXPECT_EQ(RequestLogLine({"GET", "/vtrinternal#frag?x", 200, "", ""}, false), "GET /vtrinternal 200");
    EXPECT_EQ(RequestLogLine({"", "", 414, "", ""}, false), "- - 414");
}

TEST(RequestLog, EscapesWhatCouldForgeALine) {
    EXPECT_EQ(RequestLogLine({"GET", std::string("/a\nGET /b 200\0 c", 16), 400, "", ""}, false),
              "GET /a%0AGET%20/b%20200%00%20c 400");
    EXPECT_EQ(RequestLogLine({"GET", "/", 302, "text/html, */*", "x\" user-agent=\"y\r\nz\\"}, true),
              "GET / 302 accept=\"text/html, */*\" user-agent=\"x%22 user-agent=%22y%0D%0Az%5C\"");
}

}  // namespace
