// The internet helpers on top of the HTTP client, the browser and the connection state.
#include "online/internet.h"

#include "infra/helpers.h"
#include "infra/messages.h"

bool IsWebAddress(std::string_view url) {
    const std::string start = AsciiLowerCase(url.substr(0, 8));
    return start.starts_with("http://") || start.starts_with("https://");
}

std::string NormaliseLineBreaks(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r') {
            if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
            out += "\r\n";
        } else if (c == '\n') {
            out += "\r\n";
        } else {
            out += c;
        }
    }
    return out;
}

bool TInternet::StartBrowser(const std::string& url) {
    return IsWebAddress(url) && browser_.Open(url);
}

bool TInternet::OpenUrl(const std::string& url) {
    if (StartBrowser(url)) return true;
    messages_.Error("Unable to start Browser. Goto\r" + url);
    return false;
}

bool TInternet::HttpGet(const std::string& url, std::string& text) {
    Autodial();
    if (!IsOnline()) {
        messages_.Information("Operation Failed: Can't connect to the Internet");
        return false;
    }
    text.clear();
    THttpResponse response = http_.Get(url, {});
    if (response.Failed()) throw EHttpError(response.Error + " (" + url + ")");
    if (response.Status >= 400)
        throw EHttpError("HTTP/1.1 " + std::to_string(response.Status) + " (" + url + ")");
    text = NormaliseLineBreaks(response.Body);
    return true;
}
