// What the program needs from the network: one HTTP GET of an address, and
// one POST (a replay sent to the game server). The platform layer implements
// it; tests give a fake.
#pragma once

#include <cstddef>
#include <stop_token>
#include <string>
#include <string_view>

// The largest body a GET accepts; the pages the program fetches are a few kilobytes.
constexpr std::size_t MaxHttpBodyBytes = 4 * 1024 * 1024;
// What every request of the program sends.
constexpr const char* HttpAccept = "text/html, */*";
constexpr const char* HttpUserAgent = "Mozilla/3.0 (compatible; Indy Library)";

struct THttpResponse {
    // The HTTP status of the last answer; 0 when none arrived.
    int Status = 0;
    // The body as it arrived (line breaks untouched).
    std::string Body;
    // The address that answered, after any redirects.
    std::string EffectiveUrl;
    // Why the transfer failed (no connection, timeout, a body beyond
    // MaxHttpBodyBytes, a stop request); empty when an answer arrived.
    std::string Error;

    bool Failed() const { return !Error.empty(); }
};

class IHttpClient {
public:
    virtual ~IHttpClient() = default;
    // One GET of url (http or https only) with HttpAccept and HttpUserAgent,
    // following redirects. Never raises: failures come back in Error, and an
    // error status is an answer like any other. Safe to call from several
    // threads at once; a stop request ends a running transfer early.
    virtual THttpResponse Get(const std::string& url, std::stop_token stop) = 0;
    // One POST of body to url with that content type and the program's
    // headers; redirects are not followed (the body is not sent twice).
    // Otherwise as Get.
    virtual THttpResponse Post(const std::string& url, std::string_view body, const std::string& contentType,
                               std::stop_token stop) = 0;
};
