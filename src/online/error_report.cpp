// Building and sending error-report mails.
#include "online/error_report.h"

#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>

#include "infra/cp1252.h"
#include "infra/file_io.h"
#include "infra/helpers.h"
#include "infra/messages.h"

namespace {

constexpr std::size_t MaxMailAddressLength = 254;

bool IsAddressCharacter(char c) {
    const auto u = static_cast<unsigned char>(c);
    if (u <= 32 || u >= 127) return false;
    return std::string_view("<>,;:\"()[]\\").find(c) == std::string_view::npos;
}

// Lines of any ending joined with CR LF.
std::string WithCrLf(std::string_view text) {
    std::string out;
    for (const std::string& line : SplitLines(text)) out += line + "\r\n";
    return out;
}

// Typed text as one body line: line breaks and other control characters go.
std::string OneLine(std::string_view text) {
    std::string out;
    for (const char c : text)
        if (!IsControlCharacter(c)) out += c;
    return out;
}

std::string FileName(const std::string& path) {
    return std::filesystem::path(path).filename().string();
}

// Attaches the log at path; the note the body ends with (UTF-8, like the
// file system's names), empty when the whole log went along.
std::string AttachLog(TMailMessage& m, const std::string& path) {
    const auto log = ReadLogTail(path);
    if (!log) return "\r\n(The logfile " + path + " could not be read.)\r\n";
    m.Attachments.push_back({FileName(path), log->Bytes});
    if (!log->Cut()) return {};
    return "\r\n(The attached logfile was cut to its last " + std::to_string(log->Bytes.size()) + " of " +
           std::to_string(log->FullSize) + " bytes.)\r\n";
}

// Attaches the replay at path when it is small enough; the note otherwise.
std::string AttachReplay(TMailMessage& m, const std::string& path) {
    std::error_code ec;
    const auto size = std::filesystem::file_size(path, ec);
    if (!ec && size > MaxAttachedReplayBytes)
        return "\r\n(The replay of the game, " + std::to_string(size) +
               " bytes, was too large to attach.)\r\n";
    const auto bytes = ec ? std::nullopt : ReadWholeFile(path);
    if (!bytes) return "\r\n(The replay " + path + " could not be read.)\r\n";
    m.Attachments.push_back({FileName(path), *bytes});
    return {};
}

}  // namespace

bool IsValidMailAddress(std::string_view address) {
    if (address.empty() || address.size() > MaxMailAddressLength) return false;
    for (const char c : address)
        if (!IsAddressCharacter(c)) return false;
    const std::size_t at = address.find('@');
    return at != std::string_view::npos && at > 0 && at + 1 < address.size() &&
           address.find('@', at + 1) == std::string_view::npos;
}

std::string FormatMailDate(std::chrono::system_clock::time_point when) {
    const std::time_t t = std::chrono::system_clock::to_time_t(when);
    std::tm utc{};
    gmtime_r(&t, &utc);
    static const char* const Days[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    static const char* const Months[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                         "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    char text[40];
    std::snprintf(text, sizeof text, "%s, %02d %s %04d %02d:%02d:%02d +0000", Days[utc.tm_wday], utc.tm_mday,
                  Months[utc.tm_mon], utc.tm_year + 1900, utc.tm_hour, utc.tm_min, utc.tm_sec);
    return text;
}

std::optional<TLogTail> ReadLogTail(const std::string& path, std::size_t maxBytes) {
    std::error_code ec;
    const auto size = std::filesystem::file_size(path, ec);
    std::ifstream in(path, std::ios::binary);
    if (ec || !in) return std::nullopt;
    TLogTail tail;
    tail.FullSize = static_cast<std::size_t>(size);
    const std::size_t keep = std::min(tail.FullSize, maxBytes);
    in.seekg(static_cast<std::streamoff>(tail.FullSize - keep));
    tail.Bytes.resize(keep);
    in.read(tail.Bytes.data(), static_cast<std::streamsize>(keep));
    tail.Bytes.resize(static_cast<std::size_t>(in.gcount()));
    if (tail.Cut()) {
        // Start at a whole line when the cut fell inside one.
        const std::size_t lineEnd = tail.Bytes.find('\n');
        if (lineEnd != std::string::npos && lineEnd + 1 < tail.Bytes.size()) tail.Bytes.erase(0, lineEnd + 1);
    }
    return tail;
}

TErrorReporter::TErrorReporter(IMailClient& mail, IMessages& messages, std::function<bool()> goOnline,
                               std::string recipient, WallClock now)
    : mail_(mail),
      messages_(messages),
      goOnline_(std::move(goOnline)),
      recipient_(std::move(recipient)),
      now_(std::move(now)) {}

std::string TErrorReporter::MessageID() {
    char text[80];
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(now_().time_since_epoch()).count();
    std::snprintf(text, sizeof text, "<%lld.%08x%08x@", static_cast<long long>(seconds),
                  random_.Below(0xFFFFFFFFu), random_.Below(0xFFFFFFFFu));
    const std::string_view domain = ErrorReportSender.substr(ErrorReportSender.find('@') + 1);
    return std::string(text) + std::string(domain) + ">";
}

TMailMessage TErrorReporter::BuildErrorMail(std::string_view sender, std::string_view body,
                                            const std::string& attachmentPath,
                                            const std::string& replayPath) {
    TMailMessage m;
    m.Sender = ErrorReportSender;
    m.SenderName = ErrorReportSenderName;
    m.Recipient = recipient_;
    m.Subject = ErrorReportSubject;
    m.Headers = {"Date: " + FormatMailDate(now_()), "Message-ID: " + MessageID()};
    const std::string_view typed = TrimBlanks(sender);
    std::string text;
    if (IsValidMailAddress(typed)) {
        m.ReplyTo = typed;
    } else if (!typed.empty()) {
        text = "E-mail address as typed: " + OneLine(typed) + "\r\n\r\n";
    }
    text += WithCrLf(body);
    m.Body = Cp1252ToUtf8(text);
    if (!attachmentPath.empty()) m.Body += AttachLog(m, attachmentPath);
    if (!replayPath.empty()) m.Body += AttachReplay(m, replayPath);
    return m;
}

bool TErrorReporter::SendErrorMail(std::string_view sender, std::string_view body,
                                   const std::string& attachmentPath, const std::string& replayPath) {
    if (!goOnline_()) {
        messages_.Information("Operation Failed: Can't connect to the Internet");
        return false;
    }
    mail_.Send(BuildErrorMail(sender, body, attachmentPath, replayPath));
    messages_.Information("Thanks for your help!");
    return true;
}
