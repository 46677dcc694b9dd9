// Error-report mails: fixed sender, where the typed address goes, headers,
// body line ends, the attached log and what happens offline or on failure.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <regex>

#include "online/error_report.h"
#include "online/server_addresses.h"
#include "support/recording_mail_client.h"
#include "support/recording_messages.h"
#include "support/temp_program_dir.h"

namespace {

class ErrorReportTest : public ::testing::Test {
protected:
    TErrorReporter MakeReporter() {
        return TErrorReporter(
            mail, messages, [this] { return online; }, "bugs@example.org",
            [] { return std::chrono::system_clock::from_time_t(1700000000); });
    }
    std::string LogPath() const { return (dir / "SPS/LOG.TXT").string(); }

    TempProgramDir dir;
    RecordingMailClient mail;
    RecordingMessages messages;
    bool online = true;
};

}  // namespace

TEST_F(ErrorReportTest, AValidTypedAddressBecomesTheReplyToNeverTheSender) {
    dir.Write("SPS/LOG.TXT", "Start\r\nERROR\r\n");
    auto reporter = MakeReporter();
    ASSERT_TRUE(reporter.SendErrorMail(" anna@example.org ", "It froze.\nAfter level 1\rtwice", LogPath()));
    ASSERT_EQ(mail.sent.size(), 1u);
    const TMailMessage m = mail.sent[0];
    EXPECT_EQ(m.Sender, "errorreport@vantorel-game.net");
    EXPECT_EQ(m.ReplyTo, "anna@example.org");
    EXPECT_EQ(m.Recipient, "bugs@example.org");
    EXPECT_EQ(m.Subject, "Fehlermeldung");
    EXPECT_EQ(m.Body, "It froze.\r\nAfter level 1\r\ntwice\r\n");
    ASSERT_EQ(m.Attachments.size(), 1u);
    EXPECT_EQ(m.Attachments[0].FileName, "LOG.TXT");
    EXPECT_EQ(m.Attachments[0].Bytes, "Start\r\nERROR\r\n");
    ASSERT_EQ(m.Headers.size(), 2u);
    EXPECT_EQ(m.Headers[0], "Date: Tue, 14 Nov 2023 22:13:20 +0000");
    EXPECT_TRUE(std::regex_match(m.Headers[1],
                                 std::regex("Message-ID: <1700000000\\.[0-9a-f]{16}@vantorel-game\\.net>")))
        << m.Headers[1];
    EXPECT_EQ(messages.shown, std::vector<std::string>{"Thanks for your help!"});
    // Each report has its own id.
    reporter.SendErrorMail("", "again", "");
    EXPECT_NE(mail.sent[1].Headers[1], m.Headers[1]);
    EXPECT_TRUE(mail.sent[1].Attachments.empty());
}

TEST_F(ErrorReportTest, AnyOtherTypedTextOpensTheBodyInstead) {
    auto reporter = MakeReporter();
    const std::string notAddresses[] = {"x@y.org\r\nBcc: all@example.org",
                                        "Anna <anna@example.org>",
                                        "a@example.org, b@example.org",
                                        "anna",
                                        "@example.org",
                                        std::string(250, 'a') + "@b.org",
                                        "J\xFCrg@example.org"};
    for (const std::string& typed : notAddresses) {
        mail.sent.clear();
        reporter.SendErrorMail(typed, "Crash", "");
        ASSERT_EQ(mail.sent.size(), 1u);
        EXPECT_EQ(mail.sent[0].ReplyTo, "") << typed;
        const std::string& body = mail.sent[0].Body;
        EXPECT_EQ(body.rfind("E-mail address as typed: ", 0), 0u) << body;
        EXPECT_EQ(body.find_first_of("\r\n"), body.find("\r\n\r\nCrash\r\n")) << "one line: " << body;
    }
    // Nothing typed: nothing added; the body is sent as UTF-8.
    mail.sent.clear();
    reporter.SendErrorMail("",
                           "Gr\xFC\xDF"
                           "e",
                           "");
    EXPECT_EQ(mail.sent[0].Body,
              "Gr\xC3\xBC\xC3\x9F"
              "e\r\n");
}

TEST_F(ErrorReportTest, OnlyTheLastMebibyteOfALongLogTravelsAndTheBodySaysSo) {
    std::string log;
    for (int i = 0; log.size() < MaxAttachedLogBytes + 5000; ++i) log += "line " + std::to_string(i) + "\r\n";
    dir.Write("SPS/LOG.TXT", log);
    auto reporter = MakeReporter();
    reporter.SendErrorMail("", "Crash", LogPath());
    const TMailAttachment& attached = mail.sent.at(0).Attachments.at(0);
    EXPECT_LE(attached.Bytes.size(), MaxAttachedLogBytes);
    EXPECT_GT(attached.Bytes.size(), MaxAttachedLogBytes - 20);
    EXPECT_EQ(log.substr(log.size() - attached.Bytes.size()), attached.Bytes);
    EXPECT_EQ(attached.Bytes.rfind("line ", 0), 0u);  // starts at a whole line
    EXPECT_NE(mail.sent[0].Body.find("cut to its last " + std::to_string(attached.Bytes.size()) + " of " +
                                     std::to_string(log.size()) + " bytes"),
              std::string::npos);
}

TEST_F(ErrorReportTest, TheReplayGoesAlongWholeOrNotAtAllWhenTooLarge) {
    dir.Write("SPS/LOG.TXT", "Start\r\nERROR\r\n");
    const std::string replay = "vantorel-replay 1\n" + std::string(MaxAttachedReplayBytes - 18, 'f');
    dir.Write("SPS/log.replay", replay);
    auto reporter = MakeReporter();
    reporter.SendErrorMail("", "Crash", LogPath(), (dir / "SPS/log.replay").string());
    ASSERT_EQ(mail.sent.at(0).Attachments.size(), 2u);
    EXPECT_EQ(mail.sent[0].Attachments[1].FileName, "log.replay");
    EXPECT_EQ(mail.sent[0].Attachments[1].Bytes, replay);
    dir.Write("SPS/log.replay", replay + "f");
    reporter.SendErrorMail("", "Crash", LogPath(), (dir / "SPS/log.replay").string());
    EXPECT_EQ(mail.sent.at(1).Attachments.size(), 1u);
    EXPECT_NE(mail.sent[1].Body.find(std::to_string(MaxAttachedReplayBytes + 1) +
                                     " bytes, was too large to attach"),
              std::string::npos)
        << mail.sent[1].Body;
}

TEST_F(ErrorReportTest, ALogThatCannotBeReadIsNamedAsTheFileSystemSpellsIt) {
    // File names are UTF-8 here; only the typed text is Windows-1252.
    const std::string path = (dir / "J\xC3\xB6rg/LOG.TXT").string();
    auto reporter = MakeReporter();
    reporter.SendErrorMail("", "Gr\xFC\xDF", path);
    const TMailMessage& m = mail.sent.at(0);
    EXPECT_TRUE(m.Attachments.empty());
    EXPECT_EQ(m.Body, "Gr\xC3\xBC\xC3\x9F\r\n\r\n(The logfile " + path + " could not be read.)\r\n");
}

TEST_F(ErrorReportTest, NothingIsSentOfflineAndFailuresReachTheCaller) {
    online = false;
    auto reporter = MakeReporter();
    EXPECT_FALSE(reporter.SendErrorMail("a@b.org", "Crash", ""));
    EXPECT_TRUE(mail.sent.empty());
    EXPECT_EQ(messages.shown, std::vector<std::string>{"Operation Failed: Can't connect to the Internet"});

    online = true;
    messages.shown.clear();
    mail.failure = "RCPT failed: 550";
    EXPECT_THROW(reporter.SendErrorMail("a@b.org", "Crash", ""), EMailError);
    EXPECT_TRUE(messages.shown.empty());  // no thanks for a mail that did not go
}

TEST(ErrorMailSettings, ThePortMustBeAPortNumber) {
    const auto portFor = [](const char* value) {
        setenv("VANTOREL_MAIL_PORT", value, 1);
        const int port = ErrorMailPort();
        unsetenv("VANTOREL_MAIL_PORT");
        return port;
    };
    EXPECT_EQ(ErrorMailPort(), 25);
    EXPECT_EQ(portFor("2525"), 2525);
    for (const char* bad : {"", "smtp", "25x", "0", "70000", "-25"}) EXPECT_EQ(portFor(bad), 25) << bad;
}
