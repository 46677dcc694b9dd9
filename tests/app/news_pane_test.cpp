// The menu window's news pane and error help over fakes of the network: the
// pane appears once its page loaded and hides offline or when the server is
// gone, it shows only the game server's area, and the error help deletes
// the log only once the help page has been shown.
#include <QBuffer>
#include <QImage>
#include <QScrollBar>
#include <QTest>
#include <QTextDocument>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <set>

#include "app/main_form_fixture.h"
#include "default_site.h"
#include "online/server_addresses.h"
#include "title_banner.h"

namespace {

constexpr const char* Home = "http://game.test/vtrinternal";
constexpr const char* HelpPage = "http://game.test/vtrinternal/errors/sound-files.htm";

std::string PngBytes(QColor colour) {
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes.toStdString();
}

class NewsPaneTest : public MainFormTest {
protected:
    NewsPaneTest() {
        setenv("VANTOREL_GAME_SERVER", "http://game.test", 1);
        http.Answer(Home, 200, "<h4>News</h4><p><a href=\"/vtrinternal/highscore.html\">list</a></p>");
        http.Answer(GameServerPage("errors.txt"), 200,
                    "Rules\r\n<zn=1><z1=Cannot find Wave: ><W=sound-files.htm>\r\n"
                    "<zn=1><z1=glsLoop: ><S><W=game-stopped.htm>\r\n");
        http.Answer(HelpPage, 200, "<h3>A sound file is missing</h3>");
        http.Answer(GameServerPage("errors/game-stopped.htm"), 200, "<h3>The game stopped</h3>");
        http.Answer(GameServerPage("highscore.html"), 200, "<table><tr><td>1</td></tr></table>");
    }
    ~NewsPaneTest() override { unsetenv("VANTOREL_GAME_SERVER"); }

    // Activates the window and waits until the pane shows its home page.
    std::unique_ptr<TForm1> FormWithPane() {
        auto form = MakeForm();
        form->FormActivate();
        EXPECT_TRUE(QTest::qWaitFor([&] { return form->Background() == "MENUE_NET"; }, 5000));
        return form;
    }
    static bool WaitFor(std::function<bool()> condition) { return QTest::qWaitFor(condition, 5000); }
    static void Click(TForm1& form, const char* link) { emit form.WebBrowser1->anchorClicked(QUrl(link)); }
};

TEST_F(NewsPaneTest, ThePaneAppearsWithItsPageAndHidesOfflineOrWhenTheServerIsGone) {
    http.Answer(Home, 200,
                "<html><head><link rel=\"stylesheet\" type=\"text/css\" href=\"/vtrinternal/pane.css\">"
                "</head><body><p><img src=\"/vtrinternal/title.png\"><img src=\"http://outside.test/x.png\">"
                "<img src=\"file:///etc/x.png\"><img src=\"../top.png\"></p><h4>News</h4></body></html>");
    http.Answer(GameServerPage("title.png"), 200, PngBytes(Qt::red));
    http.Answer(GameServerPage("pane.css"), 200, "h4 { color: #ffc94a; }");
    auto form = MakeForm();
    form->FormActivate();
    // Visible at once, but placed only when the page has loaded.
    EXPECT_FALSE(form->WebBrowser1->isHidden());
    EXPECT_EQ(form->WebBrowser1->size(), QSize(1, 1));
    EXPECT_EQ(form->Background(), "MENUE");
    ASSERT_TRUE(WaitFor([&] { return form->Background() == "MENUE_NET"; }));
    EXPECT_EQ(form->WebBrowser1->geometry(), QRect(52, 53, 292, 171));
    EXPECT_TRUE(form->WebBrowser1->toPlainText().contains("News"));

    const QVariant title =
        form->WebBrowser1->document()->resource(QTextDocument::ImageResource, QUrl("/vtrinternal/title.png"));
    EXPECT_EQ(title.value<QImage>().pixelColor(0, 0), QColor(Qt::red));
    // Only the page and what it names from the area were fetched.
    const std::set<std::string> fetched(http.requested.begin(), http.requested.end());
    EXPECT_EQ(fetched,
              (std::set<std::string>{Home, GameServerPage("title.png"), GameServerPage("pane.css")}));

    connection.online = false;
    form->Timer1Timer();
    EXPECT_TRUE(form->WebBrowser1->isHidden());
    EXPECT_EQ(form->Background(), "MENUE");
    // Online again, but the server does not answer: the pane stays hidden.
    connection.online = true;
    http.Fail(Home, "Connection refused");
    form->Timer1Timer();
    ASSERT_TRUE(WaitFor([&] { return form->WebBrowser1->isHidden(); }));
    EXPECT_EQ(form->Background(), "MENUE");
    http.Answer(Home, 200, "<p>Back again</p>");
    form->Timer1Timer();
    ASSERT_TRUE(WaitFor([&] { return form->Background() == "MENUE_NET"; }));
    EXPECT_TRUE(form->WebBrowser1->toPlainText().contains("Back again"));
}

TEST_F(NewsPaneTest, TheServersOwnHomePageFitsThePane) {
    const IResources& r = ContentResources();
    const auto banner = TitleBannerJpeg(*r.Find("BITMAP", "VANTOREL"), *r.Find("JPEG", "BACK"));
    for (const SiteFile& file : DefaultSiteFiles("http://game.test", banner))
        http.Answer(file.name == "index.html" ? Home : GameServerPage(file.name), 200, file.bytes);
    auto form = MakeForm();
    form->show();  // activates the window
    ASSERT_TRUE(WaitFor([&] { return form->Background() == "MENUE_NET"; }));
    QTest::qWait(20);
    // Laid out at its place, not at the 1 x 1 it waited at: no scroll bars.
    EXPECT_FALSE(form->WebBrowser1->verticalScrollBar()->isVisible());
    EXPECT_FALSE(form->WebBrowser1->horizontalScrollBar()->isVisible());
    const QVariant title =
        form->WebBrowser1->document()->resource(QTextDocument::ImageResource, QUrl("/vtrinternal/title.jpg"));
    EXPECT_EQ(title.value<QImage>().size(), QSize(TitleBannerWidth, TitleBannerHeight));
}

TEST_F(NewsPaneTest, OnlyTheAreaIsShownInThePaneEverythingElseGoesToTheBrowser) {
    auto form = FormWithPane();
    Click(*form, "/vtrinternal/highscore.html");
    ASSERT_TRUE(
        WaitFor([&] { return form->WebBrowser1->LocationUrl() == GameServerPage("highscore.html"); }));
    EXPECT_TRUE(browser.opened.empty());

    Click(*form, "http://outside.test/a");
    Click(*form, "http://game.test:8080/vtrinternal/other-port");
    Click(*form, "/other");  // the server, but not its area
    Click(*form, "http://outside.test/?http://game.test/vtrinternal");
    // Inside the area, but the server redirects elsewhere: that address goes to the browser.
    THttpResponse moved;
    moved.Status = 404;
    moved.Body = "<p>not here</p>";
    moved.EffectiveUrl = "http://outside.test/landing";
    http.answers[GameServerPage("jump")] = moved;
    Click(*form, "/vtrinternal/jump");
    ASSERT_TRUE(WaitFor([&] { return browser.opened.size() == 5; }));
    EXPECT_EQ(
        browser.opened,
        (std::vector<std::string>{
            "http://outside.test/a", "http://game.test:8080/vtrinternal/other-port", "http://game.test/other",
            "http://outside.test/?http://game.test/vtrinternal", "http://outside.test/landing"}));
    EXPECT_EQ(std::count(http.requested.begin(), http.requested.end(), "http://outside.test/a"), 0);
    QTest::qWait(20);
    EXPECT_EQ(form->WebBrowser1->LocationUrl(), GameServerPage("highscore.html"));
    // Only web addresses reach the browser at all.
    Click(*form, "file:///etc/passwd");
    EXPECT_EQ(browser.opened.size(), 5u);
    EXPECT_EQ(messages.shown.back(), "Unable to start Browser. Goto\rfile:///etc/passwd");
}

TEST_F(NewsPaneTest, TheHighscoreListReturnsHomeAtTheNextTick) {
    auto form = FormWithPane();
    form->Timer1->start(5000);
    QTest::qWait(600);
    form->ActionGotoHighscore->trigger();
    EXPECT_TRUE(form->ReturnHomePending);
    EXPECT_GT(form->Timer1->remainingTime(), 4600);  // a full interval for the list
    ASSERT_TRUE(
        WaitFor([&] { return form->WebBrowser1->LocationUrl() == GameServerPage("highscore.html"); }));
    form->Timer1Timer();
    EXPECT_FALSE(form->ReturnHomePending);
    ASSERT_TRUE(WaitFor([&] { return form->WebBrowser1->LocationUrl() == Home; }));
}

TEST_F(NewsPaneTest, ErrorHelpShowsTheRulesPageAndDeletesTheLogOnlyOnceShown) {
    auto form = FormWithPane();
    dir.Write("sps/LOG.TXT", "Cannot find Wave: shot\r\nERROR\r\n");
    EXPECT_TRUE(form->ErrorHelp());
    EXPECT_TRUE(dir.Exists("sps/LOG.TXT"));  // not yet shown
    ASSERT_TRUE(WaitFor([&] { return !dir.Exists("sps/LOG.TXT"); }));
    EXPECT_EQ(form->WebBrowser1->LocationUrl(), HelpPage);
    EXPECT_TRUE(form->WebBrowser1->toPlainText().contains("A sound file is missing"));

    // S keeps the log.
    dir.Write("sps/LOG.TXT", "glsLoop: Zugriffsverletzung\r\nERROR\r\n");
    form->ErrorHelp();
    ASSERT_TRUE(WaitFor(
        [&] { return form->WebBrowser1->LocationUrl() == GameServerPage("errors/game-stopped.htm"); }));
    EXPECT_TRUE(dir.Exists("sps/LOG.TXT"));
    // A help page the server does not have: nothing shown, the log stays.
    dir.Write("sps/LOG.TXT", "Cannot find Wave: shot\r\nERROR\r\n");
    http.answers.erase(HelpPage);
    form->ErrorHelp();
    ASSERT_TRUE(WaitFor([&] { return form->WebBrowser1->isHidden(); }));
    EXPECT_TRUE(dir.Exists("sps/LOG.TXT"));
}

TEST_F(NewsPaneTest, WithoutThePaneTheHelpPageOpensInTheBrowser) {
    auto form = MakeForm();  // not activated: the pane is hidden
    dir.Write("sps/LOG.TXT", "Cannot find Wave: shot\r\nERROR\r\n");
    browser.starts = false;
    EXPECT_FALSE(form->ErrorHelp());
    EXPECT_EQ(messages.shown.back(), std::string("Unable to start Browser. Goto\r") + HelpPage);
    EXPECT_TRUE(dir.Exists("sps/LOG.TXT"));
    browser.starts = true;
    form->ErrorHelp();
    EXPECT_EQ(browser.opened.back(), HelpPage);
    EXPECT_FALSE(dir.Exists("sps/LOG.TXT"));
    // Offline the rules stay empty: the error counts as unknown.
    dir.Write("sps/LOG.TXT", "Cannot find Wave: shot\r\nERROR\r\n");
    connection.online = false;
    messages.shown.clear();
    form->ErrorHelp();
    ASSERT_EQ(messages.shown.size(), 3u);
    EXPECT_EQ(messages.shown[1], "Operation Failed: Can't connect to the Internet");
    EXPECT_EQ(messages.shown[2], "Sorry, this error is unknown. Would you like to send us an error report?");
}

TEST_F(NewsPaneTest, AfterAFailedGameThePaneKeepsTheHelpPage) {
    auto form = FormWithPane();
    duringGame = [this] { dir.Write("sps/LOG.TXT", "Cannot find Wave: shot\r\nERROR\r\n"); };
    form->ActionStart->trigger();
    ASSERT_TRUE(WaitFor([&] { return !dir.Exists("sps/LOG.TXT"); }));
    QTest::qWait(50);  // the activation that follows the game has run
    EXPECT_EQ(form->WebBrowser1->LocationUrl(), HelpPage);
    EXPECT_EQ(form->WebBrowser1->geometry(), QRect(52, 53, 292, 171));
}

// An HTTP client whose answers wait until the test opens the gate or the
// fetch is stopped.
class GatedHttpClient : public IHttpClient {
public:
    THttpResponse Get(const std::string& url, std::stop_token stop) override {
        std::unique_lock lock(mutex_);
        std::stop_callback wake(stop, [this] { opened_.notify_all(); });
        opened_.wait(lock, [&] { return open_ || stop.stop_requested(); });
        THttpResponse r;
        r.Status = 200;
        r.Body = "<p>late</p>";
        r.EffectiveUrl = url;
        if (stop.stop_requested()) r.Error = "Abgebrochen";
        return r;
    }
    THttpResponse Post(const std::string&, std::string_view, const std::string&, std::stop_token) override {
        THttpResponse r;
        r.Error = "the news pane posts nothing";
        return r;
    }
    void Open() {
        std::lock_guard lock(mutex_);
        open_ = true;
        opened_.notify_all();
    }

private:
    std::mutex mutex_;
    std::condition_variable opened_;
    bool open_ = false;
};

TEST_F(NewsPaneTest, ASlowServerNeverHoldsTheWindow) {
    GatedHttpClient slow;
    TInternet slowInternet(slow, browser, connection, messages);
    auto form =
        std::make_unique<TForm1>(outside, slowInternet, [](std::optional<int>, const std::string&) {});
    form->FormActivate();  // returns although the page has not arrived
    EXPECT_EQ(form->Background(), "MENUE");
    // A page that arrives after the pane was stopped is not shown.
    form->WebBrowser1->Stop();
    slow.Open();
    QTest::qWait(50);
    EXPECT_EQ(form->Background(), "MENUE");
    // Closing the window while a fetch waits stops it.
    GatedHttpClient stuck;
    TInternet stuckInternet(stuck, browser, connection, messages);
    auto other =
        std::make_unique<TForm1>(outside, stuckInternet, [](std::optional<int>, const std::string&) {});
    other->FormActivate();
    other.reset();
}

}  // namespace
