// The internet helpers the front end shares: is there a connection, dial-up,
// opening a page in the user's browser, and fetching a page as text.
#pragma once

#include <cstddef>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>

class IMessages;

// A failed transfer: no connection, a timeout, an error status, a body too large.
class EHttpError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The largest body HttpGet accepts; the pages it fetches are a few kilobytes.
constexpr std::size_t MaxHttpBodyBytes = 4 * 1024 * 1024;
// What every request of the program sends.
constexpr const char* HttpAccept = "text/html, */*";
constexpr const char* HttpUserAgent = "Mozilla/3.0 (compatible; Indy Library)";

// True when the routing table (text of /proc/net/route) has a default route.
bool HasDefaultRoute(std::string_view routeTable);
// The machine counts as online when it has a default route.
bool IsOnline();
// Replaces the online check (tests); an empty function restores the real one.
void SetOnlineCheck(std::function<bool()> check);
// Dial-up on demand: Linux brings its connections up by itself, so nothing to do.
void Autodial();

// Opens an http or https address in the user's browser (xdg-open). Any other
// address, or a browser that cannot be started, gives the error box
// "Unable to start Browser. Goto" CR address.
void OpenUrl(const std::string& url, IMessages& messages);
// The program that opens addresses; by default xdg-open, started without
// waiting for it. Returns false when it could not be started. Tests replace it.
using UrlLauncher = std::function<bool(const std::string& url)>;
void SetUrlLauncher(UrlLauncher launcher);

// Line breaks (CR LF, lone LF, lone CR) all become CR LF.
std::string NormaliseLineBreaks(std::string_view text);
// One GET of url with the program's accept header and user agent; the body
// with its line breaks normalised. Raises EHttpError on a transfer error, an
// HTTP status of 400 or more, or a body beyond MaxHttpBodyBytes.
std::string FetchUrl(const std::string& url);
// Autodial; when online, text := FetchUrl(url) (errors raise to the caller).
// Offline: the message "Operation Failed: Can't connect to the Internet",
// and text keeps what it held.
void HttpGet(const std::string& url, std::string& text, IMessages& messages);
