// The site of a first start: its rules lead to its own help pages, its
// links lead to its own pages, and an operator's site is never overwritten.
#include <gtest/gtest.h>

#include <map>
#include <regex>
#include <sstream>

#include "default_site.h"
#include "engine/jpeg_codec.h"
#include "engine_sprites/bmp_writer.h"
#include "support/temp_program_dir.h"
#include "title_banner.h"

namespace {

std::string Tag(const std::string& rule, const std::string& name) {
    const std::size_t at = rule.find("<" + name + "=");
    if (at == std::string::npos) return {};
    const std::size_t start = at + name.size() + 2;
    return rule.substr(start, rule.find('>', start) - start);
}

std::map<std::string, std::string> Files() {
    std::map<std::string, std::string> files;
    for (SiteFile& f : DefaultSiteFiles("http://127.0.0.1:8080", std::string("jpeg")))
        files[f.name] = f.bytes;
    return files;
}

TEST(DefaultSite, EveryRuleLeadsToAHelpPageAndNoRuleHidesALaterOne) {
    auto files = Files();
    std::istringstream rules(files.at("errors.txt"));
    std::vector<std::string> patterns;
    std::string line;
    while (std::getline(rules, line)) {
        if (Tag(line, "zn").empty()) continue;  // the heading
        ASSERT_EQ(Tag(line, "zn"), "1") << line;
        const std::string pattern = Tag(line, "z1");
        ASSERT_FALSE(pattern.empty()) << line;
        EXPECT_TRUE(files.count("errors/" + Tag(line, "W"))) << line;
        // The first matching rule wins: an earlier pattern inside this one would always win instead.
        for (const std::string& earlier : patterns)
            EXPECT_EQ(pattern.find(earlier), std::string::npos)
                << "'" << earlier << "' hides '" << pattern << "'";
        patterns.push_back(pattern);
    }
    EXPECT_GE(patterns.size(), 5u);
}

TEST(DefaultSite, LinksLeadToPagesOfTheSite) {
    auto files = Files();
    const std::regex link("(href|src)=\"(/vtrinternal[^\"]*)\"");
    int links = 0;
    for (const auto& [name, bytes] : files) {
        for (std::sregex_iterator it(bytes.begin(), bytes.end(), link), end; it != end; ++it, ++links) {
            const std::string path = (*it)[2];
            const std::string page = path == "/vtrinternal" ? "index.html" : path.substr(13);
            EXPECT_TRUE(files.count(page) || page == "highscore.html") << name << " links to " << path;
        }
    }
    EXPECT_GT(links, 10);
    EXPECT_EQ(files.at("version.txt"), "1.07\r\nhttp://127.0.0.1:8080/vtrinternal/download.htm\r\n");
    EXPECT_NE(files.at("index.html").find("/vtrinternal/title.jpg"), std::string::npos);
}

TEST(DefaultSite, IsWrittenOnlyWhereNoSiteIsYet) {
    TempProgramDir dir;
    const auto files = DefaultSiteFiles("http://localhost:80", std::nullopt);
    EXPECT_TRUE(WriteDefaultSite(dir / "www", files));
    EXPECT_EQ(dir.Read("www/errors.txt"), Files().at("errors.txt"));
    EXPECT_FALSE(dir.Exists("www/title.jpg"));
    dir.Write("www/index.html", "mine");
    EXPECT_FALSE(WriteDefaultSite(dir / "www", files));
    EXPECT_EQ(dir.Read("www/index.html"), "mine");
}

TEST(DefaultSite, TheTitleLetteringFitsTheBannerWhateverItsShape) {
    // White lettering as tall as it is wide, over a dark background.
    const std::string lettering = bmp::Make(100, 100, 24, [](int, int) { return 0xFFFFFFu; });
    TPicture back;
    back.Width = 800;
    back.Height = 600;
    back.Pixels.assign(800 * 600, 0x200010);
    const std::string backJpeg = EncodeJpeg(back, 90);
    const auto bytes = [](const std::string& s) {
        return std::span(reinterpret_cast<const std::uint8_t*>(s.data()), s.size());
    };
    const std::optional<std::string> banner = TitleBannerJpeg(bytes(lettering), bytes(backJpeg));
    ASSERT_TRUE(banner);
    const TPicture picture = DecodeJpeg(bytes(*banner));
    ASSERT_EQ(picture.Width, TitleBannerWidth);
    ASSERT_EQ(picture.Height, TitleBannerHeight);
    const auto green = [&](int x, int y) { return (picture.Pixels[y * picture.Width + x] >> 8) & 0xFF; };
    EXPECT_GT(green(TitleBannerWidth / 2, TitleBannerHeight / 2), 200u);  // the lettering in the middle
    EXPECT_LT(green(20, TitleBannerHeight / 2), 60u);  // shrunk to the height, not stretched
}

}  // namespace
