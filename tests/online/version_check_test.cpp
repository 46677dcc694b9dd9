// The version file's two lines: compared byte by byte, believed only when plausible.
#include <gtest/gtest.h>

#include "online/version_check.h"

namespace {

using Kind = TVersionReply::TKind;

Kind KindOf(const std::string& firstLine, const std::string& secondLine = "http://dl.test/") {
    return EvaluateVersionReply(firstLine + "\r\n" + secondLine + "\r\n").Kind;
}

TEST(VersionCheck, ComparesTheFirstLineAsBytes) {
    EXPECT_EQ(KindOf("1.07"), Kind::Latest);
    EXPECT_EQ(KindOf("1.06"), Kind::Latest);
    EXPECT_EQ(KindOf("01.08"), Kind::Latest);
    EXPECT_EQ(KindOf("1.0"), Kind::Latest);  // a prefix is smaller
    EXPECT_EQ(KindOf("1.08"), Kind::Newer);
    EXPECT_EQ(KindOf("1.1"), Kind::Newer);
    EXPECT_EQ(KindOf("2"), Kind::Newer);
    EXPECT_EQ(KindOf("1.07 "), Kind::Newer);  // longer with the same beginning
    EXPECT_EQ(KindOf(""), Kind::Latest);      // empty is older than any version
    const TVersionReply reply = EvaluateVersionReply("1.08\nhttps://dl.test/get\nmore\n");
    EXPECT_EQ(reply.Version, "1.08");
    EXPECT_EQ(reply.Address, "https://dl.test/get");
}

TEST(VersionCheck, OnlyAPlausibleReplyIsBelieved) {
    EXPECT_EQ(EvaluateVersionReply("2.0").Kind, Kind::Nothing);
    EXPECT_EQ(EvaluateVersionReply("2.0\r\n").Kind, Kind::Nothing);
    EXPECT_EQ(KindOf("<!DOCTYPE html>", "<html>"), Kind::Nothing);
    EXPECT_EQ(KindOf("2.0<b>"), Kind::Nothing);
    EXPECT_EQ(KindOf(std::string(21, '9')), Kind::Nothing);
    EXPECT_EQ(KindOf(std::string(20, '9')), Kind::Newer);
    EXPECT_EQ(KindOf("2.0\x01"), Kind::Nothing);
    EXPECT_EQ(KindOf("2.0", "ftp://dl.test/"), Kind::Nothing);
    EXPECT_EQ(KindOf("2.0", "file:///etc/passwd"), Kind::Nothing);
    for (const char* notAPage :
         {"javascript:alert(1)", "mailto:dl@host.test", "c:\\setup.exe", "/dl/get", "see the website", ""})
        EXPECT_EQ(KindOf("2.0", notAPage), Kind::Nothing) << notAPage;
    EXPECT_EQ(KindOf("2.0", "http://dl.test/\x1b[2J"), Kind::Nothing);
    EXPECT_EQ(KindOf("2.0", "http://dl.test/" + std::string(2000, 'a')), Kind::Nothing);
    // The running version or an older one needs no address at all.
    EXPECT_EQ(KindOf("1.07", "see the website"), Kind::Latest);
}

TEST(VersionCheck, ADownloadPageWithoutASchemeIsAnHttpAddress) {
    for (const std::string page : {"www.dl.test/get", "dl.test", "dl.test:8080/get?v=2"}) {
        const TVersionReply reply = EvaluateVersionReply("2.0\n" + page + "\n");
        EXPECT_EQ(reply.Kind, Kind::Newer) << page;
        EXPECT_EQ(reply.Address, page);
        EXPECT_EQ(reply.Url, "http://" + page);
    }
    EXPECT_EQ(EvaluateVersionReply("2.0\nHTTPS://dl.test/\n").Url, "HTTPS://dl.test/");
}

}  // namespace
