// The wait cursor while a transfer blocks the window, and only then: message
// boxes that follow a transfer get the normal cursor.
#pragma once

#include <QApplication>

#include <string>

#include "online/http_client.h"

class TWaitCursor {
public:
    TWaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~TWaitCursor() { QApplication::restoreOverrideCursor(); }
    TWaitCursor(const TWaitCursor&) = delete;
    TWaitCursor& operator=(const TWaitCursor&) = delete;
};

// An HTTP client that shows the wait cursor while another one fetches.
class TWaitingHttpClient : public IHttpClient {
public:
    explicit TWaitingHttpClient(IHttpClient& http) : http_(http) {}
    THttpResponse Get(const std::string& url, std::stop_token stop) override {
        const TWaitCursor wait;
        return http_.Get(url, stop);
    }
    // Without the cursor: posts go out behind the window's back.
    THttpResponse Post(const std::string& url, std::string_view body, const std::string& contentType,
                       std::stop_token stop) override {
        return http_.Post(url, body, contentType, stop);
    }

private:
    IHttpClient& http_;
};
