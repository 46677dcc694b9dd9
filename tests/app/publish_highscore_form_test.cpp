// The publishing dialog and the result dialog over a fake HTTP client: what
// they show, what a publication sends, how the reply's identifier is kept,
// and the failure texts.
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "app/highscoreuploaded_form.h"
#include "app/publish_highscore_form.h"
#include "app/qt_messages.h"
#include "content/content_resources.h"
#include "infra/env_data.h"
#include "online/score_encoding.h"
#include "online/score_record.h"
#include "support/fake_internet.h"
#include "support/modal_dialogs.h"
#include "support/recording_messages.h"
#include "support/replay_uploads.h"
#include "support/temp_program_dir.h"

namespace {

constexpr const char* ScoreServer = "http://scores.test";
constexpr const char* FullReply =
    "ID=anna_7\r\nRang=3\r\nAlterrang=\r\nPlatz1=90000\r\nwRang=1\r\nwAlterrang=\r\nwPlatz1=12345\r\n";

THttpResponse Reply(int status, const std::string& body) {
    THttpResponse r;
    r.Status = status;
    r.Body = body;
    return r;
}

// The publishing code asks the score server whether it takes replays.
bool IsCapabilities(const std::string& url) {
    return url == std::string(ScoreServer) + "/vtrinternal/capabilities.txt";
}

// The record a request carries, as the server reads it.
TScoreRecord SentRecord(const std::string& url) {
    const std::string prefix = std::string(ScoreServer) + "/score2.php?cs=";
    EXPECT_EQ(url.rfind(prefix, 0), 0u) << url;
    return ParseScoreRecord(DecodeScoreRecord(url.substr(prefix.size())));
}

class PublishHighscoreTest : public ::testing::Test {
protected:
    PublishHighscoreTest() {
        setenv("VANTOREL_SCORE_SERVER", ScoreServer, 1);
        SetEnvDefaults();
        Env.Highscores[0].Name.reset("Anna");
        Env.Highscores[0].Score = 12345;
        Env.City.reset("Z\xFCrich");
        Env.Country.reset("CH");
        Env.Age = 33;
        Env.Sex = 'f';
        Env.Email.reset("anna@example.org");
        Env.Comment.reset("last time's comment");
    }
    ~PublishHighscoreTest() override { unsetenv("VANTOREL_SCORE_SERVER"); }

    QPointer<TPublishHighscoreForm> ShowDialog() {
        auto* form = new TPublishHighscoreForm(internet, messages, ContentResources(), Env, [this] {
            SaveEnv();
            ++saves;
        });
        form->show();
        QTest::qWait(10);
        return form;
    }

    // Publishes; the result dialog's labels (empty when it did not open).
    QStringList Publish(TPublishHighscoreForm& form) {
        QStringList shown;
        const auto watch = WhenShown<THighscoreuploadedForm>([&](THighscoreuploadedForm& result) {
            savesWhenShown = saves;
            for (QLabel* l : {result.Label1, result.Label2, result.Label3, result.Label4, result.Label5,
                              result.Label9, result.Label8, result.Label7, result.Label6})
                shown << l->text();
            QTest::mouseClick(result.Button1, Qt::LeftButton);
        });
        QTest::mouseClick(form.Button1, Qt::LeftButton);
        QTest::qWait(10);
        return shown;
    }

    TempProgramDir dir;
    RecordingMessages messages;
    FakeHttpClient http;
    FakeBrowser browser;
    FakeConnection connection;
    TInternet internet{http, browser, connection, messages};
    int saves = 0;
    int savesWhenShown = -1;
};

}  // namespace

TEST_F(PublishHighscoreTest, CaptionsLimitsAndTheStoredData) {
    const auto form = ShowDialog();
    EXPECT_EQ(form->windowTitle(), "Publish Highscore");
    EXPECT_FALSE(form->isModal());
    EXPECT_TRUE(form->testAttribute(Qt::WA_DeleteOnClose));
    const int colour = 13210580;  // as the system stores colours: blue, green, red from high to low
    EXPECT_EQ(form->palette().color(QPalette::Window),
              QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF));
    EXPECT_EQ(form->Label1->text(), "Your highest score:");
    EXPECT_EQ(form->Label2->text(), "12345");
    EXPECT_TRUE(form->Label2->alignment() & Qt::AlignHCenter);
    EXPECT_EQ(form->GroupBox1->title(), "Additional data which will appear in the web highscore: ");
    EXPECT_EQ(form->GroupBox2->title(), "Additional data that will NOT appear in the highscore table:");
    const std::pair<QLabel*, const char*> captions[] = {
        {form->Label3, "Name:"},
        {form->Label4, "City:"},
        {form->Label5, "Country:"},
        {form->Label6, "Age:"},
        {form->Label7, "Male/female:"},
        {form->Label8, "Email (If you want to win a prize):"},
        {form->Label9, "A comment which will be forwarded to us:"},
    };
    for (const auto& [label, text] : captions) EXPECT_EQ(label->text(), text);
    EXPECT_EQ(form->Button1->text(), "Publish");
    for (QLineEdit* e : {form->Edit1, form->Edit2, form->Edit3}) EXPECT_EQ(e->maxLength(), 20);
    EXPECT_EQ(form->Edit4->maxLength(), 40);
    EXPECT_EQ(form->Edit5->maxLength(), 80);
    EXPECT_EQ(form->SpinEdit1->minimum(), 0);
    EXPECT_EQ(form->SpinEdit1->maximum(), 110);
    ASSERT_EQ(form->ComboBox1->count(), 3);
    EXPECT_EQ(form->ComboBox1->itemText(0), "");
    EXPECT_EQ(form->ComboBox1->itemText(1), "f");
    EXPECT_EQ(form->ComboBox1->itemText(2), "m");
    EXPECT_FALSE(form->ComboBox1->isEditable());
    // Rank 1's name, not the last published one; the comment starts empty.
    EXPECT_EQ(form->Edit1->text(), "Anna");
    EXPECT_EQ(form->Edit2->text(), "Z\u00FCrich");
    EXPECT_EQ(form->Edit3->text(), "CH");
    EXPECT_EQ(form->SpinEdit1->value(), 33);
    EXPECT_EQ(form->ComboBox1->currentIndex(), 1);
    EXPECT_EQ(form->Edit4->text(), "anna@example.org");
    EXPECT_EQ(form->Edit5->text(), "");
    form->close();
}

TEST_F(PublishHighscoreTest, APublicationSendsTheDataKeepsTheNewIDAndCloses) {
    std::vector<TScoreRecord> sent;
    http.handler = [&](const std::string& url) {
        if (IsCapabilities(url)) return Reply(404, "");
        sent.push_back(SentRecord(url));
        return Reply(200, FullReply);
    };
    const auto form = ShowDialog();
    form->Edit1->setText("Anna B.");
    form->Edit5->setText("Great | game");
    form->SpinEdit1->setValue(0);
    form->ComboBox1->setCurrentIndex(2);
    const QStringList shown = Publish(*form);
    EXPECT_EQ(shown, (QStringList{"Your score has been successfuly uploaded!", "Overall Ranking List",
                                  "Your ranking: 3", "Your old ranking:", "Top of the list: 90000 points",
                                  "Weekly Ranking List", "Your ranking: 1",
                                  "Your old ranking:", "Top of the list: 12345 points"}));
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_TRUE(form.isNull()) << "the dialog closes and frees itself after a publication";
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].PlayerID, "");
    EXPECT_EQ(sent[0].Score, 12345);
    EXPECT_EQ(sent[0].Name, "Anna B.");
    EXPECT_EQ(sent[0].City, "Z\xFCrich");
    EXPECT_EQ(sent[0].Age, 0);
    EXPECT_EQ(sent[0].Sex, 'm');
    EXPECT_EQ(sent[0].Email, "anna@example.org");
    EXPECT_EQ(sent[0].Comment, "Great / game");
    // The identifier was on disk before the result was shown.
    EXPECT_EQ(Env.PlayerID.str(), "anna_7");
    EXPECT_EQ(savesWhenShown, 1);
    EXPECT_EQ(Env.PublishName.str(), "Anna B.");
    SetEnvDefaults();
    LoadEnv();
    EXPECT_EQ(Env.PlayerID.str(), "anna_7");
}

TEST_F(PublishHighscoreTest, OnlyANewValidIDReplacesTheStoredOne) {
    Env.PlayerID.reset("anna_7");
    std::string body;
    std::vector<std::string> sentIDs;
    http.handler = [&](const std::string& url) {
        if (IsCapabilities(url)) return Reply(404, "");
        sentIDs.push_back(SentRecord(url).PlayerID);
        return Reply(200, body);
    };
    const auto publish = [&](const std::string& reply) {
        body = reply;
        const auto form = ShowDialog();
        Publish(*form);
        return Env.PlayerID.str();
    };
    EXPECT_EQ(publish("Rang=2\r\nAlterrang=3\r\n"), "anna_7");
    EXPECT_EQ(publish("ID=<b>x</b>\r\nRang=2\r\n"), "anna_7");
    EXPECT_EQ(publish("ID=anna_7\r\nRang=2\r\n"), "anna_7");
    EXPECT_EQ(saves, 0);
    EXPECT_EQ(sentIDs, std::vector<std::string>(3, "anna_7"));
    // An ID arrives with a reply that has no rank: kept all the same.
    EXPECT_EQ(publish("iD=bert-2\r\n"), "bert-2");
    EXPECT_EQ(saves, 1);
}

TEST_F(PublishHighscoreTest, ThePublishedGamesReplayGoesWhereTheServerTakesItAndAFailureShowsNothing) {
    std::ifstream in(std::string(VANTOREL_SOURCE_DIR) + "/tests/replays/won.replay", std::ios::binary);
    const std::string replay((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const TScoreRecord game = RecordOfReplayGame(replay, "Anna");
    Env.Highscores[0].Score = game.Score;
    Env.StatTexts[0].reset(game.Statistics);
    dir.Write("replays/2024-05-06_10-00-00_" + std::to_string(game.Score) + "_highscore.replay", replay);
    std::uint32_t sum = 0;
    http.handler = [&](const std::string& url) {
        if (IsCapabilities(url)) return Reply(200, "replays /replays 100000\r\n");
        sum = ScoreRecordChecksum(DecodeScoreRecord(url.substr(url.find("cs=") + 3)));
        return Reply(200, FullReply);
    };
    http.postHandler = [](const std::string&, std::string_view) { return Reply(500, "broken"); };
    const auto form = ShowDialog();
    EXPECT_EQ(Publish(*form).size(), 9);
    EXPECT_TRUE(form.isNull());  // which waited for the upload
    EXPECT_TRUE(messages.shown.empty());
    const std::vector<FakeHttpClient::Posted> posts = http.Posts();
    ASSERT_EQ(posts.size(), 1u);
    EXPECT_EQ(posts[0].url, std::string(ScoreServer) + "/replays?id=anna_7&sum=" + ChecksumText(sum));
    EXPECT_EQ(posts[0].body, replay);
    EXPECT_EQ(posts[0].contentType, "text/plain");
}

TEST_F(PublishHighscoreTest, FailuresSayWhyAndKeepTheDialogOpen) {
    const auto form = ShowDialog();
    form->Edit5->setText("hi");
    const auto failure = [&] {
        messages.shown.clear();
        EXPECT_TRUE(Publish(*form).isEmpty());
        EXPECT_FALSE(form.isNull());
        EXPECT_TRUE(form->isVisible());
        return messages.shown;
    };
    // A name of blanks: nothing is sent, and the name field takes the focus.
    form->Edit1->setText("   ");
    EXPECT_EQ(failure(), std::vector<std::string>{"Please enter a name before you upload your score."});
    EXPECT_TRUE(http.requested.empty());
    EXPECT_TRUE(form->Edit1->hasFocus());
    form->Edit1->setText("Anna");
    // A reply without a rank.
    http.handler = [](const std::string&) { return Reply(200, "Rang=\nPlatz1=5\n"); };
    EXPECT_EQ(failure(), std::vector<std::string>{"Could not publish Highscore: Unknown result\r\n"
                                                  "Rang=\r\nPlatz1=5\r\n"});
    // Offline: nothing is sent, and the buffer still holds the record.
    connection.online = false;
    const std::size_t requests = http.requested.size();
    EXPECT_EQ(failure(), (std::vector<std::string>{
                             "Operation Failed: Can't connect to the Internet",
                             "Could not publish Highscore: Unknown result\r\n"
                             "VTR| |12345|Anna|Z\xFCrich|CH|anna@example.org|33|f|hi|0|0| |VTR|"}));
    EXPECT_EQ(http.requested.size(), requests);
    connection.online = true;
    // A transfer error: the client's text and the buffer, emptied by the transfer.
    http.handler = [](const std::string&) {
        THttpResponse r;
        r.Error = "Couldn't connect to server";
        return r;
    };
    EXPECT_EQ(failure(), std::vector<std::string>{"Could not publish Highscore: Couldn't connect to server "
                                                  "(http://scores.test/score2.php)\r\n"});
    // An error status is a transfer error too.
    http.handler = [](const std::string&) { return Reply(500, "Rang=1"); };
    EXPECT_EQ(failure(), std::vector<std::string>{"Could not publish Highscore: HTTP/1.1 500 "
                                                  "(http://scores.test/score2.php)\r\n"});
    form->close();
}

TEST_F(PublishHighscoreTest, ServerTextIsShownPlainAndCut) {
    const std::string big(5000, 'x');
    http.handler = [&](const std::string&) { return Reply(200, "<h1>Oops</h1>\x07\n" + big); };
    const auto form = ShowDialog();
    Publish(*form);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0], "Could not publish Highscore: Unknown result\r\n<h1>Oops</h1>\r\n" +
                                     std::string(1000 - 15, 'x') + "...");
    // A rank that is markup and far too long reaches the label as it stands, cut.
    messages.shown.clear();
    http.handler = [&](const std::string&) { return Reply(200, "Rang=<b>1</b>\x1b" + big + "\r\n"); };
    const auto watch = WhenShown<THighscoreuploadedForm>([&](THighscoreuploadedForm& result) {
        EXPECT_EQ(result.Label3->textFormat(), Qt::PlainText);
        EXPECT_EQ(result.Label3->text().toStdString(),
                  "Your ranking: <b>1</b>" + std::string(40 - 8, 'x') + "...");
        result.close();
    });
    QTest::mouseClick(form->Button1, Qt::LeftButton);
    EXPECT_TRUE(messages.shown.empty());
    // The real message boxes show markup as it stands.
    QString boxText;
    const auto boxWatch = WhenShown<QMessageBox>([&](QMessageBox& box) {
        EXPECT_EQ(box.textFormat(), Qt::PlainText);
        boxText = box.text();
        box.button(QMessageBox::Ok)->click();
    });
    QtMessages boxes;
    boxes.Error("Could not publish Highscore: <b>Unknown</b> result\r\n<img src=x>");
    EXPECT_EQ(boxText, "Could not publish Highscore: <b>Unknown</b> result\n<img src=x>");
}

TEST_F(PublishHighscoreTest, OpenWebsiteOpensTheGamePageOrSaysWhereItIs) {
    setenv("VANTOREL_CAMPAIGN_URL", "https://campaign.test/", 1);
    const TScoreReply reply = ParseScoreReply("Rang=1\r\nAlterrang=4\r\n");
    {
        THighscoreuploadedForm result(reply, internet, messages, ContentResources());
        EXPECT_EQ(result.windowTitle(), "Highscore Uploaded!");
        EXPECT_EQ(result.size(), QSize(400, 300));
        EXPECT_EQ(result.Label4->text(), "Your old ranking: 4");
        EXPECT_EQ(result.p->text(), " points");
        EXPECT_FALSE(result.p->isVisibleTo(&result));
        EXPECT_EQ(result.Button1->text(), "Ok");
        EXPECT_EQ(result.Button2->text(), "Open Website");
        result.show();
        QTest::mouseClick(result.Button2, Qt::LeftButton);
        EXPECT_FALSE(result.isVisible());
    }
    EXPECT_EQ(browser.opened, std::vector<std::string>{"https://campaign.test/game/game_vantorel.html"});
    EXPECT_TRUE(messages.shown.empty());
    browser.starts = false;
    THighscoreuploadedForm result(reply, internet, messages, ContentResources());
    result.show();
    QTest::mouseClick(result.Button2, Qt::LeftButton);
    EXPECT_EQ(messages.shown,
              std::vector<std::string>{"Could not open Internet browser. Please start it manually and goto "
                                       "https://campaign.test/game/game_vantorel.html"});
    unsetenv("VANTOREL_CAMPAIGN_URL");
}
