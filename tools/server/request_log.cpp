// Formatting and writing of the request lines.
#include "request_log.h"

namespace {

// Longer texts are cut, so that one request cannot flood the log.
constexpr std::size_t kMaxLoggedBytes = 200;

void AppendEscaped(std::string& out, std::string_view text, bool valueText) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    const bool cut = text.size() > kMaxLoggedBytes;
    if (cut) text = text.substr(0, kMaxLoggedBytes);
    for (char c : text) {
        const auto b = static_cast<unsigned char>(c);
        const bool plain =
            valueText ? (b >= 0x20 && b < 0x7F && c != '"' && c != '\\') : (b > 0x20 && b < 0x7F);
        if (plain) {
            out += c;
        } else {
            out += '%';
            out += kHex[b >> 4];
            out += kHex[b & 15];
        }
    }
    if (cut) out += "...";
}

}  // namespace

std::string RequestLogLine(const LoggedRequest& r, bool withHeaders) {
    std::string line;
    if (r.method.empty()) line += '-';
    AppendEscaped(line, r.method, false);
    line += ' ';
    const std::string_view path = r.target.substr(0, r.target.find_first_of("?#"));
    if (path.empty()) line += '-';
    AppendEscaped(line, path, false);
    line += ' ' + std::to_string(r.status);
    if (withHeaders) {
        line += " accept=\"";
        AppendEscaped(line, r.accept, true);
        line += "\" user-agent=\"";
        AppendEscaped(line, r.userAgent, true);
        line += '"';
    }
    return line;
}

void RequestLog::Write(const LoggedRequest& request) {
    WriteText(RequestLogLine(request, withHeaders_));
}

void RequestLog::WriteText(std::string_view line) {
    std::lock_guard lock(mutex_);
    out_ << line << '\n';
    out_.flush();
}
