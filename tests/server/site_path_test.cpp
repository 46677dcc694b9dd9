// Request targets: what reaches a page of the site and what is refused.
#include <gtest/gtest.h>

#include "site_path.h"

namespace {

TEST(SitePath, PagesBelowTheAreaAreFoundDecodedAndWithoutTheQuery) {
    const SitePath home = ParseSitePath("/vtrinternal");
    EXPECT_EQ(home.kind, SitePath::Area);
    EXPECT_TRUE(home.parts.empty());

    const SitePath page = ParseSitePath("/vtrinternal/errors/disp%6cay.htm?cs=a/../b#x");
    ASSERT_EQ(page.kind, SitePath::Area);
    EXPECT_EQ(page.parts, (std::vector<std::string>{"errors", "display.htm"}));
    EXPECT_FALSE(page.folder);

    const SitePath folder = ParseSitePath("/vtrinternal/errors/");
    EXPECT_EQ(folder.parts, std::vector<std::string>{"errors"});
    EXPECT_TRUE(folder.folder);

    EXPECT_EQ(ParseSitePath("/").kind, SitePath::Root);
    EXPECT_EQ(ParseSitePath("/vtrinternal/x?" + std::string(5000, 'q')).kind, SitePath::Area);
}

TEST(SitePath, PathsOutsideTheAreaAreNotFound) {
    for (const char* target :
         {"/vtrinternalx", "/VTRINTERNAL/errors.txt", "/score2.php?cs=x", "/www/index.html"}) {
        const SitePath p = ParseSitePath(target);
        EXPECT_EQ(p.kind, SitePath::Outside) << target;
        EXPECT_EQ(p.status, 404) << target;
    }
}

TEST(SitePath, MalformedOrEscapingPathsAreBadRequests) {
    const std::string longName(101, 'a');
    const std::string tooDeep = "/vtrinternal/a/a/a/a/a/a/a/a/a";
    for (const std::string& target :
         {std::string("/vtrinternal/../scores.sqlite"), std::string("/vtrinternal/%2e%2e/scores.sqlite"),
          std::string("/vtrinternal/errors%2F..%2F..%2Fscores.sqlite"), std::string("/vtrinternal/a%00.htm"),
          std::string("/vtrinternal/a\0b", 15), std::string("/vtrinternal/%zz"),
          std::string("/vtrinternal/a%4"), std::string("/vtrinternal/.hidden"),
          std::string("/vtrinternal//errors.txt"), std::string("/vtrinternal/errors//x"),
          std::string("/vtrinternal/a b"), std::string("/vtrinternal/a\\b"), "/vtrinternal/" + longName,
          tooDeep, std::string("http://host/vtrinternal"), std::string("*"), std::string("")}) {
        const SitePath p = ParseSitePath(target);
        EXPECT_EQ(p.kind, SitePath::Bad) << target;
        EXPECT_EQ(p.status, 400) << target;
    }
    EXPECT_EQ(ParseSitePath("/vtrinternal/" + std::string(MaxSitePathBytes, 'a')).status, 414);
}

}  // namespace
