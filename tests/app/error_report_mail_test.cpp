// An error report from the menu window's dialog through libcurl's SMTP to a
// real mail sink on 127.0.0.1, read back with Python's own MIME parser.
#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>
#include <stdlib.h>

#include "app/publish_errorreport_form.h"
#include "support/recording_messages.h"
#include "support/smtp_sink.h"
#include "support/temp_program_dir.h"

namespace {

// A log with Windows-1252 bytes and a line long enough to need wrapping.
const std::string Log = "Vantorel 1.07\r\nSpieler J\xFCrg\r\n" + std::string(1200, 'x') + "\r\nERROR\r\n";
constexpr const char* Recipient = "bugs@vantorel-game.net";

class ErrorReportMailTest : public ::testing::Test {
protected:
    // Opens the menu window's dialog with the sink as the mail host, types
    // and sends; returns whether the dialog stayed open after Send.
    bool SendFromDialog(SmtpSink& sink) {
        setenv("VANTOREL_MAIL_HOST", "127.0.0.1", 1);
        setenv("VANTOREL_MAIL_PORT", std::to_string(sink.port()).c_str(), 1);
        setenv("VANTOREL_MAIL_TO", Recipient, 1);
        bool stayedOpen = false;
        QTimer::singleShot(0, [&] {
            auto* form = qobject_cast<TPublishErrorreportForm*>(QApplication::activeModalWidget());
            if (!form) return ADD_FAILURE() << "no modal error-report dialog";
            form->Edit1->setText("anna@example.org");
            form->Memo1->setPlainText("The screen went black\nafter the second level.\n.\nA lone dot above.");
            QTest::mouseClick(form->Button1, Qt::LeftButton);
            stayedOpen = form->isVisible();
            if (stayedOpen) form->reject();
        });
        ShowErrorReportDialog(nullptr, messages, [] { return true; });
        for (const char* name : {"VANTOREL_MAIL_HOST", "VANTOREL_MAIL_PORT", "VANTOREL_MAIL_TO"})
            unsetenv(name);
        return stayedOpen;
    }

    TempProgramDir dir;
    RecordingMessages messages;
};

}  // namespace

TEST_F(ErrorReportMailTest, AReportArrivesWithItsHeadersBodyLogAndReplay) {
    SmtpSink sink;
    if (!sink.port()) GTEST_SKIP() << sink.problem();
    dir.Write("SPS/LOG.TXT", Log);
    const std::string replay = "vantorel-replay 1\nprogram 1.07\n" + std::string(3000, 'f') + "\nend 0 0\n";
    dir.Write("SPS/log.replay", replay);
    EXPECT_FALSE(SendFromDialog(sink));
    ASSERT_EQ(sink.MessageCount(), 1) << (messages.shown.empty() ? "" : messages.shown.back());
    EXPECT_EQ(sink.Read(1, "mail_from"), "errorreport@vantorel-game.net");
    EXPECT_EQ(sink.Read(1, "rcpt_tos"), Recipient);
    EXPECT_EQ(sink.Read(1, "header.Subject"), "Fehlermeldung");
    EXPECT_EQ(sink.Read(1, "header.From"), "Vantorel <errorreport@vantorel-game.net>");
    EXPECT_EQ(sink.Read(1, "header.To"), Recipient);
    EXPECT_EQ(sink.Read(1, "header.Reply-To"), "anna@example.org");
    EXPECT_EQ(sink.Read(1, "header.Date").find('\n'), std::string::npos);  // exactly one
    EXPECT_FALSE(sink.Read(1, "header.Date").empty());
    EXPECT_EQ(sink.Read(1, "header.Message-ID").find('\n'), std::string::npos);
    EXPECT_EQ(sink.Read(1, "header.Message-ID").back(), '>');
    EXPECT_EQ(sink.Read(1, "body"),
              "The screen went black\r\nafter the second level.\r\n.\r\nA lone dot above.\r\n");
    EXPECT_EQ(sink.Read(1, "attachment.name"), "LOG.TXT");
    EXPECT_EQ(sink.Read(1, "attachment"), Log);
    EXPECT_EQ(sink.Read(1, "attachment2.name"), "log.replay");
    EXPECT_EQ(sink.Read(1, "attachment2"), replay);
    // Every line of the message as it travelled ends in CR LF.
    const std::string raw = sink.Read(1, "raw");
    for (std::size_t at = raw.find('\n'); at != std::string::npos; at = raw.find('\n', at + 1))
        ASSERT_EQ(raw[at - 1], '\r') << "bare LF at " << at;
    // Sent: the log and its replay are gone.
    EXPECT_FALSE(dir.Exists("SPS/LOG.TXT"));
    EXPECT_FALSE(dir.Exists("SPS/log.replay"));
    EXPECT_EQ(messages.shown, std::vector<std::string>{"Thanks for your help!"});
}

TEST_F(ErrorReportMailTest, ARefusedRecipientKeepsLogAndDialog) {
    SmtpSink sink({Recipient});
    if (!sink.port()) GTEST_SKIP() << sink.problem();
    dir.Write("SPS/LOG.TXT", Log);
    EXPECT_TRUE(SendFromDialog(sink));
    EXPECT_EQ(sink.MessageCount(), 0);
    EXPECT_EQ(dir.Read("SPS/LOG.TXT"), Log);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_NE(messages.shown[0].find("550"), std::string::npos) << messages.shown[0];
}
