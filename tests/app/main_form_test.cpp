// The menu window: layout, menus, the activation's log handling, the game
// start with its refusals, and closing.
#include <QAction>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <stdexcept>
#include <vector>

#include "app/main_form_fixture.h"
#include "app/publish_highscore_form.h"
#include "infra/env_data.h"
#include "online/server_addresses.h"

namespace {

TEST_F(MainFormTest, WindowLayoutFollowsTheBackgroundPicture) {
    auto form = MakeForm();
    EXPECT_EQ(form->windowTitle(), "Vantorel!");
    EXPECT_EQ(form->centralWidget()->size(), QSize(400, 350));
    EXPECT_EQ(form->Image1->geometry(), QRect(0, 0, 400, 350));
    EXPECT_EQ(form->Shape1->geometry(), QRect(124, 256, 157, 53));
    // (400 - 185) div 2, (350 - 49) div 2
    EXPECT_EQ(form->Panel2->geometry(), QRect(107, 150, 185, 49));
    EXPECT_TRUE(form->Panel2->isHidden());
    EXPECT_EQ(form->Label1->text(), "Converting Sounds...");
    EXPECT_TRUE(form->SBMemo->isHidden());
    // A fixed border: the window cannot be resized.
    EXPECT_EQ(form->minimumSize(), form->maximumSize());
    EXPECT_FALSE(form->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(form->Timer1->isActive());
    EXPECT_EQ(form->Timer1->interval(), 5000);
}

TEST_F(MainFormTest, MemoHoldsTheAnimationDefinitions) {
    auto form = MakeForm();
    const auto& lines = form->SBMemoLines();
    ASSERT_GT(lines.size(), 100u);
    EXPECT_EQ(form->SBMemo->document()->firstBlock().text().toStdString(), lines.front());
    EXPECT_GE(form->SBMemo->document()->blockCount(), static_cast<int>(lines.size()));
    bool hasObject = false;
    for (const auto& l : lines) hasObject = hasObject || l.rfind("OBJECT", 0) == 0;
    EXPECT_TRUE(hasObject);
}

// A menu's entries as captions; "-" for a separator, "(hidden)" after a hidden entry.
QStringList Entries(QMenu* menu) {
    QStringList out;
    for (QAction* a : menu->actions())
        out << (a->isSeparator() ? QString("-") : a->text() + (a->isVisible() ? "" : " (hidden)"));
    return out;
}

TEST_F(MainFormTest, MenusHoldEveryActionWithItsShortcut) {
    auto form = MakeForm();
    QStringList titles;
    for (QAction* a : form->menuBar()->actions()) titles << a->text();
    EXPECT_EQ(titles, QStringList({"&File", "&Game", "&Internet", "&Help"}));
    EXPECT_EQ(Entries(form->Datei1), QStringList({"&Options", "-", "&Close"}));
    EXPECT_EQ(Entries(form->Game1), QStringList({"Play 'Vantorel'"}));
    EXPECT_EQ(Entries(form->Internet1),
              QStringList({"&Publish Highscore", "Goto &Highscore", "&Goto 'Velmora' Website (hidden)", "-",
                           "Send &Errorreport"}));
    EXPECT_EQ(Entries(form->Help1), QStringList({"Goto &Help Page", "-", "&Info"}));
    EXPECT_EQ(form->PlayVantorel1->shortcut(), QKeySequence(Qt::Key_F9));
    EXPECT_EQ(form->Hilfe1->shortcut(), QKeySequence(Qt::Key_F1));
    EXPECT_EQ(form->ActionBugspage->text(), "Goto Help On &Error Page");
    // Sending a report is offered once a report dialog is connected.
    emit form->Internet1->aboutToShow();
    EXPECT_FALSE(form->PublishErrorreport1->isEnabled());
    QObject::connect(form.get(), &TForm1::PublishErrorreportRequested, [] {});
    emit form->Internet1->aboutToShow();
    EXPECT_TRUE(form->PublishErrorreport1->isEnabled());
}

TEST_F(MainFormTest, PagesOpenInTheBrowserUnlessEIsHeld) {
    setenv("VANTOREL_GAME_SERVER", "http://game.test", 1);
    setenv("VANTOREL_CAMPAIGN_URL", "http://campaign.test/", 1);
    auto form = MakeForm();
    form->ActionHilfe->trigger();
    form->Actionwebsite->trigger();
    form->ActionBugspage->trigger();
    EXPECT_EQ(browser.opened,
              (std::vector<std::string>{"http://game.test/vtrinternal/vtrrulesengl.htm",
                                        "http://campaign.test/", "http://game.test/vtrinternal/errors.htm"}));
    // With E held, F1 opens the level editor instead.
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));  // shortcuts need an active window
    QTest::keyPress(form.get(), Qt::Key_E);
    QTest::keyClick(form.get(), Qt::Key_F1);
    EXPECT_EQ(browser.opened.size(), 3u);
    QWidget* editor = form->findChild<QWidget*>("EditorForm");
    ASSERT_NE(editor, nullptr);
    EXPECT_TRUE(editor->isVisible());
    EXPECT_FALSE(editor->isModal());
    unsetenv("VANTOREL_GAME_SERVER");
    unsetenv("VANTOREL_CAMPAIGN_URL");
}

TEST_F(MainFormTest, PublishingNeedsAnEntryAtRankOne) {
    auto form = MakeForm();
    int requested = 0;
    QObject::connect(form.get(), &TForm1::PublishHighscoreRequested, [&] { ++requested; });
    form->ActionPublishHighscore->trigger();
    EXPECT_EQ(requested, 0);
    EXPECT_EQ(messages.shown,
              std::vector<std::string>{"Sorry, you don't have a entry in your highscore list right now"});
    Env.Highscores[0].Score = -99999;
    form->ActionPublishHighscore->trigger();
    EXPECT_EQ(requested, 1);
    EXPECT_EQ(messages.shown.size(), 1u);
}

TEST_F(MainFormTest, OfflineTheWebHighscoreListSaysSo) {
    auto form = MakeForm();
    connection.online = false;
    form->ActionGotoHighscore->trigger();
    EXPECT_EQ(connection.autodials, 1);
    EXPECT_EQ(messages.shown, std::vector<std::string>{"Operation Failed: Can't connect to the Internet"});
    EXPECT_FALSE(form->ReturnHomePending);
    connection.online = true;
    form->ActionGotoHighscore->trigger();
    EXPECT_TRUE(form->ReturnHomePending);
}

TEST_F(MainFormTest, CreationLoadsTheRecordsAndClosingSavesThem) {
    dir.Write("sps/prog.cfg", "");
    auto form = MakeForm();
    EXPECT_EQ(Env.DisplayMode, 0);
    Env.GamesStarted = 7;
    form->show();
    EXPECT_TRUE(form->close());
    EXPECT_EQ(dir.Read("sps/env.dat").size(), 9552u);
    EXPECT_EQ(dir.Read("sps/game.dat").size(), 116u);
    Env.GamesStarted = 0;
    auto again = MakeForm();
    EXPECT_EQ(Env.GamesStarted, 7);
}

TEST_F(MainFormTest, ActivationDeletesAnOkLogAndOffersHelpForAnyOther) {
    auto form = MakeForm();
    dir.Write("sps/LOG.TXT", "FormClose: End\r\nERROR\r\n");
    messages.answer = false;
    form->FormActivate();
    EXPECT_EQ(Log(), "FormClose: End\r\nERROR\r\n");
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].rfind("An error occurred during the execution of the program.", 0), 0u);
    dir.Write("sps/LOG.TXT", "FormClose: End\r\nOK\r\n");
    form->FormActivate();
    EXPECT_FALSE(dir.Exists("sps/LOG.TXT"));
    EXPECT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(form->MusicReady);
}

TEST_F(MainFormTest, ShowingTheWindowRunsTheActivationOnce) {
    dir.Write("sps/LOG.TXT", "OK\r\n");
    auto form = MakeForm();
    form->show();
    QTest::qWait(50);
    EXPECT_FALSE(dir.Exists("sps/LOG.TXT"));
    dir.Write("sps/LOG.TXT", "OK\r\n");
    // Another activation (a message box closing) does not run it again.
    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(form.get(), &activate);
    QTest::qWait(20);
    EXPECT_TRUE(dir.Exists("sps/LOG.TXT"));
}

TEST_F(MainFormTest, LowDriveSpaceRefusesTheGameAndKeepsTheTimerOff) {
    dir.Write("snd/theme.mp3", std::string(4096, 'x'));
    outside.FreeSpace = ([](const std::string&) { return TDiskSpace{1000, "/data"}; });
    ManualClock clock(0, 50);  // the panel's linger passes at once
    outside.Clock = &clock;
    auto form = MakeForm();
    form->FormActivate();
    EXPECT_FALSE(form->MusicReady);
    EXPECT_TRUE(form->Panel2->isHidden());
    messages.shown.clear();

    form->ActionStart->trigger();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0],
              "Cannot start game because of low drive space. Please close program and make some more space "
              "available on drive /data:\\. Then try again.");
    EXPECT_FALSE(form->Timer1->isActive());
    EXPECT_TRUE(games.empty());
    EXPECT_EQ(Log().find("Program Version 1.07"), std::string::npos);
}

TEST_F(MainFormTest, PlayBeforeTheFirstActivationPreparesTheMusicFirst) {
    dir.Write("snd/theme.mp3", std::string(4096, 'x'));
    outside.FreeSpace = ([](const std::string&) { return TDiskSpace{1000, "/data"}; });
    ManualClock clock(0, 50);
    outside.Clock = &clock;
    auto form = MakeForm();
    form->ActionStart->trigger();
    // The preparation ran (and found no room), so the game was refused.
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[0], "Not enough space for sounds on drive /data");
    EXPECT_EQ(messages.shown[1].rfind("Cannot start game because of low drive space.", 0), 0u);
    EXPECT_TRUE(games.empty());
}

TEST_F(MainFormTest, PressOnThePlayButtonStartsAGameInTheStoredMode) {
    auto form = MakeForm();
    Env.DisplayMode = 2;
    form->show();
    // Presses go to whatever lies under the point: beside the button, then on it.
    const auto pressAt = [&](QPoint p) {
        QWidget* target = form->centralWidget()->childAt(p);
        ASSERT_NE(target, nullptr);
        QTest::mousePress(target, Qt::LeftButton, {}, target->mapFrom(form->centralWidget(), p));
    };
    pressAt(QPoint(110, 280));
    pressAt(QPoint(200, 250));
    EXPECT_TRUE(games.empty());
    pressAt(QPoint(200, 280));
    ASSERT_EQ(games.size(), 1u);
    EXPECT_EQ(games[0], std::optional<int>(2));
    // The game screen gets the memo's text.
    EXPECT_EQ(definitionsSizes[0], form->SBMemoText().size());
    EXPECT_GT(definitionsSizes[0], 0u);
    const std::string log = Log();
    EXPECT_EQ(log.rfind("Program Version 1.07\r\nRetreiving system information...\r\n", 0), 0u) << log;
    EXPECT_TRUE(form->Timer1->isActive());
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_FALSE(form->GameRunning());
    EXPECT_TRUE(form->isEnabled());
}

TEST_F(MainFormTest, WhileTheGameRunsTheWindowTakesNoInputAndStaysOpen) {
    bool closed = true, running = false;
    TForm1* self = nullptr;
    TForm1 form(outside, internet, [&](std::optional<int>, const std::string&) {
        games.push_back(std::nullopt);
        running = self->GameRunning();
        closed = self->close();
        // A press on PLAY, F9 and the key E meanwhile are all dropped.
        QTest::mousePress(self->Shape1, Qt::LeftButton, {}, QPoint(5, 5));
        QTest::keyClick(self, Qt::Key_F9);
        QTest::keyPress(self, Qt::Key_E);
        self->ActionStart->trigger();
    });
    self = &form;
    form.show();
    form.ActionStart->trigger();
    EXPECT_TRUE(running);
    EXPECT_FALSE(closed);
    EXPECT_EQ(games.size(), 1u);
    EXPECT_FALSE(form.EditorKeyHeld);
    EXPECT_TRUE(form.isVisible());
    EXPECT_TRUE(form.isEnabled());
    EXPECT_FALSE(dir.Exists("sps/env.dat"));  // not saved: the window did not close
    // Afterwards the window takes input again.
    QTest::keyPress(&form, Qt::Key_E);
    EXPECT_TRUE(form.EditorKeyHeld);
}

TEST_F(MainFormTest, AGameScreenThatCannotBeMadeIsReportedAndTheTimerRunsAgain) {
    auto form = MakeForm();
    form->FormActivate();
    duringGame = [] { throw std::runtime_error("SDL video: no display"); };
    EXPECT_NO_THROW(form->ActionStart->trigger());
    ASSERT_FALSE(messages.shown.empty());
    EXPECT_EQ(messages.shown.back(), "SDL video: no display");
    EXPECT_TRUE(form->Timer1->isActive());
    EXPECT_FALSE(form->GameRunning());
}

TEST_F(MainFormTest, AnUnknownDisplayModeLeavesTheGameScreensDefault) {
    auto form = MakeForm();
    Env.DisplayMode = 3;
    form->ActionStart->trigger();
    ASSERT_EQ(games.size(), 1u);
    EXPECT_FALSE(games[0].has_value());
}

TEST_F(MainFormTest, LittleMemoryAsksAndStartsOnlyOnYes) {
    MemoryFacts tight(1024 * 1024);  // 1 MB
    outside.Facts = &tight;
    auto form = MakeForm();
    messages.answer = false;
    form->ActionStart->trigger();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(
        messages.shown[0],
        "There seems to be not enough available memory on your system. Would you like to try to start the "
        "game anyway?");
    EXPECT_TRUE(games.empty());
    EXPECT_TRUE(form->Timer1->isActive());
    messages.answer = true;
    form->ActionStart->trigger();
    EXPECT_EQ(games.size(), 1u);
}

TEST_F(MainFormTest, ConversionPanelShowsTheProgress) {
    auto form = MakeForm();
    form->show();
    form->Started(3);
    EXPECT_TRUE(form->Panel2->isVisible());
    EXPECT_EQ(form->Gauge1->maximum(), 3);
    EXPECT_EQ(form->Gauge1->value(), 0);
    form->Progressed(2);
    EXPECT_EQ(form->Gauge1->value(), 2);
    // The gauge's bar is blue.
    const QImage shot = form->Panel2->grab().toImage();
    bool blue = false;
    for (int x = 0; x < shot.width() && !blue; ++x) blue = shot.pixelColor(x, 32) == QColor(0, 0, 255);
    EXPECT_TRUE(blue);
    form->Finished();
    EXPECT_FALSE(form->Panel2->isVisible());
}

TEST_F(MainFormTest, KeyEIsTrackedWhileHeld) {
    auto form = MakeForm();
    form->show();
    QTest::keyPress(form.get(), Qt::Key_E);
    EXPECT_TRUE(form->EditorKeyHeld);
    QTest::keyRelease(form.get(), Qt::Key_E);
    EXPECT_FALSE(form->EditorKeyHeld);
}

// Answers the next modal dialog that opens within a second: records its
// title and presses the button with the caption. Deleting the timer gives up.
QPointer<QTimer> AnswerNextModal(QStringList& titles, const QString& caption) {
    auto* poll = new QTimer;
    auto tries = std::make_shared<int>(100);
    QObject::connect(poll, &QTimer::timeout, [poll, tries, &titles, caption] {
        QWidget* dialog = QApplication::activeModalWidget();
        if (!dialog && --*tries > 0) return;
        poll->deleteLater();
        poll->stop();
        if (!dialog) return;
        titles << dialog->windowTitle();
        for (QPushButton* b : dialog->findChildren<QPushButton*>())
            if (b->text() == caption) b->click();
    });
    poll->start(10);
    return poll;
}

TEST_F(MainFormTest, OnlyANewTopScoreOffersPublishing) {
    auto form = MakeForm();
    int requested = 0;
    QObject::connect(form.get(), &TForm1::PublishHighscoreRequested, [&] { ++requested; });
    Env.Highscores[0].Score = 5000;
    // A game that places at rank 2 shows nothing.
    duringGame = [] { Env.Highscores[1].Score = 4000; };
    QStringList titles;
    QPointer<QTimer> answer = AnswerNextModal(titles, "No");
    form->ActionStart->trigger();
    EXPECT_TRUE(titles.isEmpty());
    delete answer.data();
    // A new rank 1 shows the dialog; No publishes nothing, Yes runs the publishing action.
    duringGame = [] { Env.Highscores[0].Score = 6000; };
    AnswerNextModal(titles, "No");
    form->ActionStart->trigger();
    EXPECT_EQ(titles, QStringList({"A New Highscore!"}));
    EXPECT_EQ(requested, 0);
    duringGame = [] { Env.Highscores[0].Score = 7000; };
    AnswerNextModal(titles, "Yes");
    form->ActionStart->trigger();
    EXPECT_EQ(titles.size(), 2);
    EXPECT_EQ(requested, 1);
    EXPECT_TRUE(form->Timer1->isActive());
}

TEST_F(MainFormTest, AnUncleanGameAsksForErrorHelpOncePerGame) {
    auto form = MakeForm();
    form->FormActivate();
    messages.answer = false;
    duringGame = [this] { dir.Write("sps/LOG.TXT", "glsLoop: Fehler\r\nERROR\r\n"); };
    form->ActionStart->trigger();
    QTest::qWait(20);  // the activation that follows the game
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].rfind("An error occurred during the execution of the program.", 0), 0u);
    EXPECT_TRUE(dir.Exists("sps/LOG.TXT"));
    // A later activation asks again: the log is still there.
    form->FormActivate();
    EXPECT_EQ(messages.shown.size(), 2u);
    // Yes, and Yes to the report: the server knows no rule for it, so the
    // report is asked for.
    http.Answer(GameServerPage("errors.txt"), 200, "<zn=1><z1=Cannot find Wave: ><W=sound-files.htm>\r\n");
    int reports = 0;
    QObject::connect(form.get(), &TForm1::PublishErrorreportRequested, [&] { ++reports; });
    messages.answer = true;
    form->ErrorHelp();
    EXPECT_EQ(messages.shown.back(),
              "Sorry, this error is unknown. Would you like to send us an error report?");
    EXPECT_EQ(reports, 1);
}

TEST_F(MainFormTest, ClosingADialogActivatesTheWindowAgain) {
    auto form = MakeForm();
    form->FormActivate();
    dir.Write("sps/LOG.TXT", "ERROR\r\n");
    messages.answer = false;
    QStringList titles;
    AnswerNextModal(titles, "Ok");
    form->ActionInfo->trigger();
    QTest::qWait(20);
    EXPECT_EQ(titles, QStringList({"Info"}));
    EXPECT_EQ(messages.shown.size(), 1u);  // the error help's question
    form->ActionEinstellungen->trigger();
    QWidget* options = form->findChild<QWidget*>("MainOptions");
    ASSERT_NE(options, nullptr);
    EXPECT_FALSE(options->isModal());
    options->close();
    QTest::qWait(20);
    EXPECT_EQ(messages.shown.size(), 2u);
    // The publishing dialog, opened as the program does: one at a time.
    Env.Highscores[0].Score = 100;
    std::vector<QWidget*> opened;
    QObject::connect(form.get(), &TForm1::PublishHighscoreRequested, [&] {
        opened.push_back(ShowPublishHighscoreDialog(form.get(), internet, messages, ContentResources()));
        form->ActivateAfterClosing(opened.back());
    });
    form->ActionPublishHighscore->trigger();
    form->ActionPublishHighscore->trigger();
    ASSERT_EQ(opened.size(), 2u);
    ASSERT_NE(opened[0], nullptr);
    EXPECT_EQ(opened[1], nullptr);
    EXPECT_FALSE(opened[0]->isModal());
    opened[0]->close();
    QTest::qWait(20);
    EXPECT_EQ(messages.shown.size(), 3u);
}

TEST_F(MainFormTest, ClosingTheErrorReportActivatesTheWindowOnce) {
    auto form = MakeForm();
    form->FormActivate();
    // The report dialog closes with its close box: the log stays.
    int reports = 0;
    QObject::connect(form.get(), &TForm1::PublishErrorreportRequested, [&] {
        ++reports;
        messages.answer = false;
    });
    dir.Write("sps/LOG.TXT", "ERROR\r\n");
    form->ActionPublishErrorreport->trigger();
    QTest::qWait(20);
    ASSERT_EQ(messages.shown.size(), 1u);  // the error help's question
    EXPECT_EQ(messages.shown[0].rfind("An error occurred during the execution of the program.", 0), 0u);
    // After an unclean game the report comes from the error help; the report
    // closing and the game ending activate the window once, which does not ask again.
    messages.shown.clear();
    messages.answer = true;
    http.Answer(GameServerPage("errors.txt"), 200, "");
    duringGame = [this] { dir.Write("sps/LOG.TXT", "glsLoop: Fehler\r\nERROR\r\n"); };
    form->ActionStart->trigger();
    QTest::qWait(20);
    EXPECT_EQ(reports, 2);
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[1], "Sorry, this error is unknown. Would you like to send us an error report?");
}

}  // namespace
