// The HTTP client on libcurl.
#pragma once

#include "online/http_client.h"

class CurlHttpClient : public IHttpClient {
public:
    CurlHttpClient();
    // Connect timeout 15 s, whole transfer 60 s, at most 5 redirects.
    THttpResponse Get(const std::string& url, std::stop_token stop) override;
    // The same timeouts; no redirects.
    THttpResponse Post(const std::string& url, std::string_view body, const std::string& contentType,
                       std::stop_token stop) override;
};
