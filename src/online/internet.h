// The internet helpers the front end shares: the online test, dial-up, opening
// a page in the user's browser and fetching a page as text.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

#include "online/browser_launcher.h"
#include "online/http_client.h"

class IMessages;

// A failed fetch: no connection, a timeout, an error status, a body too large.
class EHttpError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Line breaks (CR LF, lone LF, lone CR) all become CR LF.
std::string NormaliseLineBreaks(std::string_view text);

class TInternet {
public:
    // Nothing is owned; all four outlive this object.
    TInternet(IHttpClient& http, IBrowserLauncher& browser, IConnection& connection, IMessages& messages)
        : http_(http), browser_(browser), connection_(connection), messages_(messages) {}

    bool IsOnline() { return connection_.IsOnline(); }
    void Autodial() { connection_.Autodial(); }

    // Opens an http or https address in the user's browser. Any other address,
    // or a browser that cannot be started, gives the error box "Unable to
    // start Browser. Goto" CR address, and false.
    bool OpenUrl(const std::string& url);
    // The same without the error box: false for an address that is not
    // http or https, or a browser that cannot be started.
    bool StartBrowser(const std::string& url);

    // Autodial; when online: text is emptied, then gets the body of a GET of
    // url with its line breaks made CR LF; a failed transfer or an HTTP status
    // of 400 or more raises EHttpError. Offline: the message "Operation
    // Failed: Can't connect to the Internet", text keeps what it held, and the
    // result is false. Blocks until the transfer ends.
    bool HttpGet(const std::string& url, std::string& text);

    // The client behind HttpGet, for fetches that must not block the window.
    IHttpClient& Http() { return http_; }
    // The same helpers fetching through another client (one that wraps this
    // one's, say); http must outlive the result.
    TInternet WithHttp(IHttpClient& http) const { return TInternet(http, browser_, connection_, messages_); }

private:
    IHttpClient& http_;
    IBrowserLauncher& browser_;
    IConnection& connection_;
    IMessages& messages_;
};
