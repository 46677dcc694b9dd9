// The error-report dialog over a mail client that records or refuses:
// texts, what it shows, and when the log goes and the dialog closes.
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include "app/publish_errorreport_form.h"
#include "infra/config_file.h"
#include "online/error_report.h"
#include "support/recording_mail_client.h"
#include "support/recording_messages.h"
#include "support/temp_program_dir.h"

namespace {

class ErrorReportDialogTest : public ::testing::Test {
protected:
    ErrorReportDialogTest() { dir.Write("SPS/LOG.TXT", "Start\r\nError in Blt\r\nERROR\r\n"); }

    std::unique_ptr<TPublishErrorreportForm> ShowDialog() {
        auto form = std::make_unique<TPublishErrorreportForm>(reporter, messages);
        form->show();
        QTest::qWait(10);
        return form;
    }

    TempProgramDir dir;
    RecordingMailClient mail;
    RecordingMessages messages;
    bool online = true;
    TErrorReporter reporter{mail, messages, [this] { return online; }, "bugs@example.org"};
};

}  // namespace

TEST_F(ErrorReportDialogTest, CaptionsAndTheLogAsShown) {
    WriteSetting("PER Name", "anna@example.org");
    auto form = ShowDialog();
    EXPECT_EQ(form->windowTitle(), "Send Errorreport");
    EXPECT_TRUE(form->isModal());
    EXPECT_EQ(form->Label2->text(), "Error Description (What happened? How can we reproduce the error?):");
    EXPECT_EQ(form->Label3->text(), "Additionally, this logfile will be attached to your report:");
    EXPECT_TRUE(
        form->Label4->text().startsWith("Probably we need additional help from you to find and eleminate"));
    EXPECT_TRUE(
        form->Label4->text().endsWith("We can only get in touch with you if you enter your email here:"));
    EXPECT_TRUE(form->Label4->wordWrap());
    EXPECT_EQ(form->Button1->text(), "Send Report to Kolbrin Switzerland");
    EXPECT_EQ(form->Button2->text(), "Clear Logfile");
    EXPECT_EQ(form->Edit1->text(), "anna@example.org");
    EXPECT_EQ(form->Memo2->toPlainText(), "Start\nError in Blt\nERROR\n");
    EXPECT_TRUE(form->Memo2->isReadOnly());
    EXPECT_FALSE(form->Memo2->focusPolicy() & Qt::TabFocus);
    EXPECT_TRUE(form->Memo1->hasFocus());
    EXPECT_EQ(form->LogPath, (dir / "SPS/LOG.TXT").string());
}

TEST_F(ErrorReportDialogTest, AcceptedReportDeletesTheLogAndCloses) {
    auto form = ShowDialog();
    form->Edit1->setText("anna@example.org");
    form->Memo1->setPlainText("It froze\nafter the title");
    QTest::mouseClick(form->Button1, Qt::LeftButton);
    ASSERT_EQ(mail.sent.size(), 1u);
    EXPECT_EQ(mail.sent[0].ReplyTo, "anna@example.org");
    EXPECT_EQ(mail.sent[0].Body, "It froze\r\nafter the title\r\n");
    EXPECT_EQ(mail.sent[0].Attachments.at(0).Bytes, "Start\r\nError in Blt\r\nERROR\r\n");
    EXPECT_EQ(messages.shown, std::vector<std::string>{"Thanks for your help!"});
    EXPECT_FALSE(dir.Exists("SPS/LOG.TXT"));
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(ReadSettingRaw("PER Name", messages), "anna@example.org");
}

TEST_F(ErrorReportDialogTest, TheReplayKeptWithTheLogGoesAlongAndGoesWithIt) {
    dir.Write("SPS/log.replay", "vantorel-replay 1\n");
    auto form = ShowDialog();
    EXPECT_FALSE(form->Label5->isHidden());
    EXPECT_EQ(form->ReplayPath, (dir / "SPS/log.replay").string());
    QTest::mouseClick(form->Button1, Qt::LeftButton);
    ASSERT_EQ(mail.sent.size(), 1u);
    ASSERT_EQ(mail.sent[0].Attachments.size(), 2u);
    EXPECT_EQ(mail.sent[0].Attachments[1].FileName, "log.replay");
    EXPECT_FALSE(dir.Exists("SPS/log.replay"));
    // Without the log the replay stays at home: it belongs to that log.
    std::filesystem::remove(dir / "SPS/LOG.TXT");
    dir.Write("SPS/log.replay", "vantorel-replay 1\n");
    form = ShowDialog();
    EXPECT_TRUE(form->Label5->isHidden());
    QTest::mouseClick(form->Button1, Qt::LeftButton);
    ASSERT_EQ(mail.sent.size(), 2u);
    EXPECT_TRUE(mail.sent[1].Attachments.empty());
}

TEST_F(ErrorReportDialogTest, AReportNotSentKeepsLogAndDialog) {
    auto form = ShowDialog();
    online = false;
    QTest::mouseClick(form->Button1, Qt::LeftButton);
    mail.failure = "RCPT failed: 550";
    online = true;
    QTest::mouseClick(form->Button1, Qt::LeftButton);
    EXPECT_EQ(messages.shown, (std::vector<std::string>{"Operation Failed: Can't connect to the Internet",
                                                        "RCPT failed: 550"}));
    EXPECT_TRUE(mail.sent.empty());
    EXPECT_TRUE(dir.Exists("SPS/LOG.TXT"));
    EXPECT_TRUE(form->isVisible());
}

TEST_F(ErrorReportDialogTest, ClearDeletesTheLogAndEveryCloseKeepsTheAddress) {
    auto form = ShowDialog();
    form->Edit1->setText("");
    QTest::mouseClick(form->Button2, Qt::LeftButton);
    EXPECT_FALSE(dir.Exists("SPS/LOG.TXT"));
    EXPECT_FALSE(form->isVisible());
    EXPECT_TRUE(mail.sent.empty());

    dir.Write("SPS/LOG.TXT", "again\r\n");
    form = ShowDialog();
    form->Edit1->setText("typed@example.org");
    form->close();  // the window's close box
    EXPECT_TRUE(dir.Exists("SPS/LOG.TXT"));
    EXPECT_EQ(ReadSettingRaw("PER Name", messages), "typed@example.org");
}

TEST_F(ErrorReportDialogTest, WithoutALogAtShowTimeNothingIsAttached) {
    std::filesystem::remove(dir / "SPS/LOG.TXT");
    auto form = ShowDialog();
    EXPECT_EQ(form->Memo2->toPlainText().toStdString(),
              "No logfile available (" + (dir / "SPS/log.txt").string() + ")");
    EXPECT_EQ(form->LogPath, "");
    dir.Write("SPS/LOG.TXT", "written later\r\n");
    // Minimised and restored, the dialog keeps what it showed and what was typed.
    form->Edit1->setText("typed@example.org");
    form->showMinimized();
    QTest::qWait(10);
    form->showNormal();
    QTest::qWait(10);
    EXPECT_EQ(form->Edit1->text(), "typed@example.org");
    QTest::mouseClick(form->Button1, Qt::LeftButton);
    ASSERT_EQ(mail.sent.size(), 1u);
    EXPECT_TRUE(mail.sent[0].Attachments.empty());
}
