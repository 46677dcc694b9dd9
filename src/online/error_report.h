// Error reports by mail: the user's description as the body, the log and the
// replay of the game that failed as attachments, sent to the makers' fixed
// recipient.
#pragma once

#include <chrono>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "online/mail_client.h"
#include "online/online_random.h"

class IMessages;

constexpr std::string_view ErrorReportSubject = "Fehlermeldung";
// The program's own address: every report goes out from it, whatever the
// user typed, so that typed text never becomes a raw mail header.
constexpr std::string_view ErrorReportSender = "errorreport@vantorel-game.net";
constexpr std::string_view ErrorReportSenderName = "Vantorel";
// At most this much of the log's end travels with a report.
constexpr std::size_t MaxAttachedLogBytes = 1024 * 1024;
// A replay is whole or useless: a larger one stays at home (the body says so).
constexpr std::size_t MaxAttachedReplayBytes = 4 * 1024 * 1024;

// An address fit for a Reply-To header: printable ASCII without blanks,
// "<", ">", ",", ";", quotes or brackets, one "@" with text on both sides,
// at most 254 characters.
bool IsValidMailAddress(std::string_view address);
// RFC 5322 date in UTC: "Thu, 01 Jan 1970 00:00:00 +0000".
std::string FormatMailDate(std::chrono::system_clock::time_point when);

// The end of a log file: at most maxBytes, starting at a line when it had to
// be cut. Nothing when the file cannot be read.
struct TLogTail {
    std::string Bytes;
    std::size_t FullSize = 0;
    bool Cut() const { return Bytes.size() < FullSize; }
};
std::optional<TLogTail> ReadLogTail(const std::string& path, std::size_t maxBytes = MaxAttachedLogBytes);

class TErrorReporter {
public:
    using WallClock = std::function<std::chrono::system_clock::time_point()>;

    // goOnline dials up when needed and tells whether the machine is online.
    TErrorReporter(IMailClient& mail, IMessages& messages, std::function<bool()> goOnline,
                   std::string recipient, WallClock now = &std::chrono::system_clock::now);

    // Mails the description (Windows-1252) with the log at attachmentPath
    // (none when empty) and the replay at replayPath (none when empty), and
    // shows "Thanks for your help!". Offline it shows "Operation Failed:
    // Can't connect to the Internet" and returns false; true only when the
    // server accepted the mail. A typed address that is valid becomes the
    // Reply-To; any other typed text opens the body. Sending errors raise
    // EMailError.
    bool SendErrorMail(std::string_view sender, std::string_view body, const std::string& attachmentPath,
                       const std::string& replayPath = {});

    // The message SendErrorMail sends (without sending it).
    TMailMessage BuildErrorMail(std::string_view sender, std::string_view body,
                                const std::string& attachmentPath, const std::string& replayPath = {});

private:
    std::string MessageID();

    IMailClient& mail_;
    IMessages& messages_;
    std::function<bool()> goOnline_;
    std::string recipient_;
    WallClock now_;
    TOnlineRandom random_;
};
