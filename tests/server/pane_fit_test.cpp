// The site's pages in a rich-text view the size of the menu window's news
// pane (292 x 171): nothing is wider than the pane, and the home page with
// the game's title picture fits without scrolling.
#include <QCoreApplication>
#include <QImage>
#include <QScrollBar>
#include <QTextBrowser>

#include <gtest/gtest.h>

#include <map>

#include "content/content_resources.h"
#include "default_site.h"
#include "highscore_page.h"
#include "title_banner.h"

namespace {

// Loads the pictures a page names from the site's files, as the pane does from the server.
class SitePane : public QTextBrowser {
public:
    explicit SitePane(const std::map<std::string, std::string>& files) : files_(files) {
        setFrameStyle(QFrame::NoFrame);
        resize(292, 171);
    }
    QVariant loadResource(int type, const QUrl& url) override {
        const auto it = files_.find(url.path().mid(13).toStdString());  // after "/vtrinternal/"
        if (type != QTextDocument::ImageResource || it == files_.end()) return {};
        return QImage::fromData(QByteArray::fromStdString(it->second));
    }
    void Show(const std::string& html) {
        setHtml(QString::fromStdString(html));
        show();
        QCoreApplication::processEvents();
    }

private:
    const std::map<std::string, std::string>& files_;
};

std::map<std::string, std::string> SiteFiles() {
    const IResources& r = ContentResources();
    const auto banner = TitleBannerJpeg(*r.Find("BITMAP", "VANTOREL"), *r.Find("JPEG", "BACK"));
    EXPECT_TRUE(banner);
    std::map<std::string, std::string> files;
    for (SiteFile& f : DefaultSiteFiles("http://127.0.0.1:8080", banner)) files[f.name] = f.bytes;
    return files;
}

TEST(NewsPane, TheHomePageFitsThePaneWithTheTitlePicture) {
    const auto files = SiteFiles();
    const QImage title = QImage::fromData(QByteArray::fromStdString(files.at("title.jpg")));
    EXPECT_EQ(title.size(), QSize(TitleBannerWidth, TitleBannerHeight));
    SitePane pane(files);
    pane.Show(files.at("index.html"));
    EXPECT_EQ(pane.horizontalScrollBar()->maximum(), 0);
    EXPECT_EQ(pane.verticalScrollBar()->maximum(), 0);
    EXPECT_GT(pane.document()->size().height(),
              TitleBannerHeight + 60);  // the picture and the news are there
}

TEST(NewsPane, NoPageIsWiderThanThePane) {
    const auto files = SiteFiles();
    SitePane pane(files);
    std::vector<RankedPlayer> players(100);
    for (std::size_t i = 0; i < players.size(); ++i) {
        players[i].rank = static_cast<std::int64_t>(i + 1);
        players[i].score = 99999 - static_cast<std::int32_t>(i);
        players[i].data = {"Wolfeschlegelsteinh",
                           "Llanfairpwllgwyngyll",
                           "Bosnia and Herzegovina",
                           "",
                           110,
                           "f",
                           "",
                           0,
                           0,
                           ""};
    }
    std::map<std::string, std::string> pages = {{"highscore.html", HighscorePage(players, 123456)}};
    for (const auto& [name, bytes] : files)
        if (name.ends_with(".htm") || name.ends_with(".html")) pages[name] = bytes;
    for (const auto& [name, html] : pages) {
        pane.Show(html);
        EXPECT_EQ(pane.horizontalScrollBar()->maximum(), 0) << name;
    }
}

}  // namespace
