// Publishing from the dialog to the real vantorel-server on 127.0.0.1: the
// player's identifier, old and new ranks of two players overall and in the
// week (the server's clock set through --clock-file), the web list, and a
// server that has gone away.
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include "app/highscoreuploaded_form.h"
#include "app/publish_highscore_form.h"
#include "content/content_resources.h"
#include "infra/env_data.h"
#include "online/internet.h"
#include "platform/curl_http_client.h"
#include "support/fake_internet.h"
#include "support/game_server_process.h"
#include "support/modal_dialogs.h"
#include "support/recording_messages.h"
#include "support/temp_program_dir.h"

namespace {

// The result dialog's values: Rang, Alterrang, Platz1, wRang, wAlterrang, wPlatz1.
using Ranks = std::vector<std::string>;

class PublishToServerTest : public ::testing::Test {
protected:
    PublishToServerTest() : server(VANTOREL_SERVER_BINARY, serverDir.path()) {
        setenv("VANTOREL_SCORE_SERVER", server.Url().c_str(), 1);
    }
    ~PublishToServerTest() override { unsetenv("VANTOREL_SCORE_SERVER"); }

    static TEnvData Player(const char* name, std::int32_t score) {
        SetEnvDefaults();
        TEnvData player = Env;
        player.Highscores[0].Name.reset(name);
        player.Highscores[0].Score = score;
        player.Email.reset(std::string(name) + "@example.org");
        return player;
    }

    // Opens the dialog for player, presses Publish and reads the result
    // dialog's values (none when it did not open); the dialog stays open
    // after a failure and is then returned in open.
    Ranks Publish(TEnvData& player, QPointer<TPublishHighscoreForm>* open = nullptr) {
        QPointer<TPublishHighscoreForm> form =
            new TPublishHighscoreForm(internet, messages, ContentResources(), player, [this] { ++saves; });
        form->show();
        QTest::qWait(10);
        Ranks ranks;
        const auto watch = WhenShown<THighscoreuploadedForm>([&](THighscoreuploadedForm& result) {
            for (QLabel* l :
                 {result.Label3, result.Label4, result.Label5, result.Label8, result.Label7, result.Label6}) {
                const QString text = l->text().remove(" points");
                const int colon = text.indexOf(':');
                ranks.push_back(text.mid(colon + 1).trimmed().toStdString());
            }
            result.accept();
        });
        QTest::mouseClick(form->Button1, Qt::LeftButton);
        QTest::qWait(10);
        if (open)
            *open = form;
        else if (form)
            form->close();
        return ranks;
    }

    TempProgramDir serverDir;
    GameServerProcess server;
    RecordingMessages messages;
    CurlHttpClient http;
    FakeBrowser browser;
    FakeConnection connection;
    TInternet internet{http, browser, connection, messages};
    int saves = 0;
};

}  // namespace

TEST_F(PublishToServerTest, AnIDOnFirstPublicationThenTheOldRanks) {
    TEnvData anna = Player("Anna", 5000);
    EXPECT_EQ(Publish(anna), (Ranks{"1", "", "5000", "1", "", "5000"}));
    const std::string id = anna.PlayerID.str();
    EXPECT_FALSE(id.empty());
    EXPECT_EQ(saves, 1);
    anna.Highscores[0].Score = 7000;
    EXPECT_EQ(Publish(anna), (Ranks{"1", "1", "7000", "1", "1", "7000"}));
    EXPECT_EQ(anna.PlayerID.str(), id) << "the second publication keeps the identity";
    EXPECT_EQ(saves, 1);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(PublishToServerTest, TwoPlayersRankEachOtherAndTheWebListShowsNamesOnly) {
    TEnvData anna = Player("Anna", 5000);
    TEnvData bert = Player("Bert", 9000);
    Publish(anna);
    EXPECT_EQ(Publish(bert), (Ranks{"1", "", "9000", "1", "", "9000"}));
    EXPECT_NE(bert.PlayerID.str(), anna.PlayerID.str());
    anna.Highscores[0].Score = 8000;
    EXPECT_EQ(Publish(anna), (Ranks{"2", "2", "9000", "2", "2", "9000"}));
    anna.Highscores[0].Score = 9500;
    EXPECT_EQ(Publish(anna), (Ranks{"1", "2", "9500", "1", "2", "9500"}));
    EXPECT_EQ(Publish(bert), (Ranks{"2", "2", "9500", "2", "2", "9500"}));
    EXPECT_TRUE(messages.shown.empty());

    const THttpResponse list = http.Get(server.Url() + "/vtrinternal/highscore.html", {});
    ASSERT_EQ(list.Status, 200);
    const std::size_t annaAt = list.Body.find("Anna"), bertAt = list.Body.find("Bert");
    ASSERT_NE(annaAt, std::string::npos);
    ASSERT_NE(bertAt, std::string::npos);
    EXPECT_LT(annaAt, bertAt) << "Anna leads the list";
    EXPECT_EQ(list.Body.find("example.org"), std::string::npos) << "the list shows no e-mail address";
}

TEST_F(PublishToServerTest, AWeekLaterTheWeeklyListStartsAfresh) {
    // The server reads its time from a file: Monday, 1 January 2024, noon UTC.
    constexpr std::int64_t Monday = 1704110400, Week = 7 * 24 * 3600;
    serverDir.Write("clock.txt", std::to_string(Monday));
    server.Stop();
    GameServerProcess clocked(VANTOREL_SERVER_BINARY, serverDir / "clocked",
                              {"--clock-file", (serverDir / "clock.txt").string()});
    setenv("VANTOREL_SCORE_SERVER", clocked.Url().c_str(), 1);
    TEnvData anna = Player("Anna", 9000);
    TEnvData bert = Player("Bert", 5000);
    EXPECT_EQ(Publish(anna), (Ranks{"1", "", "9000", "1", "", "9000"}));
    serverDir.Write("clock.txt", std::to_string(Monday + Week));
    EXPECT_EQ(Publish(bert), (Ranks{"2", "", "9000", "1", "", "5000"}));
    EXPECT_EQ(Publish(anna), (Ranks{"1", "1", "9000", "1", "", "9000"}));
    EXPECT_EQ(Publish(bert), (Ranks{"2", "2", "9000", "2", "2", "9000"}));
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(PublishToServerTest, AStoppedServerShowsTheFailureAndKeepsTheDialogOpen) {
    TEnvData anna = Player("Anna", 5000);
    server.Stop();
    QPointer<TPublishHighscoreForm> form;
    EXPECT_TRUE(Publish(anna, &form).empty());
    ASSERT_EQ(messages.shown.size(), 1u);
    const std::string prefix = "Could not publish Highscore: ";
    EXPECT_EQ(messages.shown[0].rfind(prefix, 0), 0u) << messages.shown[0];
    EXPECT_TRUE(messages.shown[0].ends_with(" (" + server.Url() + "/score2.php)\r\n")) << messages.shown[0];
    ASSERT_FALSE(form.isNull());
    EXPECT_TRUE(form->isVisible());
    EXPECT_TRUE(anna.PlayerID.str().empty());
    form->close();
}
