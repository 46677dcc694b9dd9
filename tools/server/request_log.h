// The server's request lines: "GET /path STATUS", never the query string
// (it may hold a player's e-mail address), optionally with the request's
// Accept and User-Agent headers so that tests can see what a client sent.
#pragma once

#include <mutex>
#include <ostream>
#include <string>
#include <string_view>

struct LoggedRequest {
    std::string_view method;
    std::string_view target;  // as sent; the query is cut off here
    int status = 0;
    std::string_view accept;
    std::string_view userAgent;
};

// One line without its line break. Bytes outside printable ASCII, blanks in
// the path and quotes and backslashes in the header values appear as %XX, so
// a request can never forge a line of its own; each text is cut after 200
// bytes (marked "...").
std::string RequestLogLine(const LoggedRequest& request, bool withHeaders);

// Writes whole lines from any thread and flushes each, so that a reader of
// a pipe sees it at once.
class RequestLog {
public:
    RequestLog(std::ostream& out, bool withHeaders) : out_(out), withHeaders_(withHeaders) {}
    void Write(const LoggedRequest& request);
    void WriteText(std::string_view line);

private:
    std::mutex mutex_;
    std::ostream& out_;
    bool withHeaders_;
};
