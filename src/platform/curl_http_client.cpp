// One GET or POST with libcurl: the program's headers, redirects within http
// and https (for a GET), a body limit, and a transfer that a stop request ends.
#include "platform/curl_http_client.h"

#include <curl/curl.h>

#include <functional>
#include <memory>
#include <vector>

#include "platform/curl_ready.h"

namespace {

struct TTransfer {
    std::string body;
    bool tooLarge = false;
    std::stop_token stop;
};

std::size_t AppendBody(char* data, std::size_t size, std::size_t count, void* user) {
    auto* transfer = static_cast<TTransfer*>(user);
    const std::size_t n = size * count;
    if (transfer->body.size() + n > MaxHttpBodyBytes) {
        transfer->tooLarge = true;
        return 0;  // makes curl stop with a write error
    }
    transfer->body.append(data, n);
    return n;
}

int CheckStop(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
    return static_cast<TTransfer*>(user)->stop.stop_requested() ? 1 : 0;
}

void SetOptions(CURL* c, const std::string& url, curl_slist* headers, TTransfer& transfer, char* errorText) {
    curl_easy_setopt(c, CURLOPT_URL, url.c_str());
    curl_easy_setopt(c, CURLOPT_HTTPHEADER, headers);
    curl_easy_setopt(c, CURLOPT_USERAGENT, HttpUserAgent);
    curl_easy_setopt(c, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(c, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT, 15L);
    curl_easy_setopt(c, CURLOPT_TIMEOUT, 60L);
    curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, &AppendBody);
    curl_easy_setopt(c, CURLOPT_WRITEDATA, &transfer);
    curl_easy_setopt(c, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(c, CURLOPT_XFERINFOFUNCTION, &CheckStop);
    curl_easy_setopt(c, CURLOPT_XFERINFODATA, &transfer);
    curl_easy_setopt(c, CURLOPT_ERRORBUFFER, errorText);
}

using TCurl = std::unique_ptr<CURL, decltype(&curl_easy_cleanup)>;
using THeaders = std::unique_ptr<curl_slist, decltype(&curl_slist_free_all)>;

THeaders Headers(const std::vector<std::string>& lines) {
    THeaders headers(nullptr, &curl_slist_free_all);
    for (const std::string& line : lines) {
        curl_slist* more = curl_slist_append(headers.get(), line.c_str());
        if (!more) return THeaders(nullptr, &curl_slist_free_all);
        headers.release();
        headers.reset(more);
    }
    return headers;
}

// Performs the transfer set up on curl by setUp and reads its answer.
THttpResponse Perform(const std::string& url, const THeaders& headers, std::stop_token stop,
                      const std::function<void(CURL*)>& setUp) {
    THttpResponse response;
    TCurl curl(curl_easy_init(), &curl_easy_cleanup);
    if (!curl || !headers) {
        response.Error = "HTTP client cannot start";
        return response;
    }
    TTransfer transfer;
    transfer.stop = std::move(stop);
    char errorText[CURL_ERROR_SIZE] = {};
    SetOptions(curl.get(), url, headers.get(), transfer, errorText);
    setUp(curl.get());
    const CURLcode result = curl_easy_perform(curl.get());

    long status = 0;
    curl_easy_getinfo(curl.get(), CURLINFO_RESPONSE_CODE, &status);
    const char* effective = nullptr;
    curl_easy_getinfo(curl.get(), CURLINFO_EFFECTIVE_URL, &effective);
    response.EffectiveUrl = effective ? effective : url;
    if (transfer.tooLarge)
        response.Error = "Antwort von " + url + " ist zu gross";
    else if (result == CURLE_ABORTED_BY_CALLBACK)
        response.Error = "Abgebrochen";
    else if (result != CURLE_OK)
        response.Error = *errorText ? errorText : curl_easy_strerror(result);
    if (response.Failed()) return response;
    response.Status = static_cast<int>(status);
    response.Body = std::move(transfer.body);
    return response;
}

}  // namespace

CurlHttpClient::CurlHttpClient() {
    EnsureCurlReady();
}

THttpResponse CurlHttpClient::Get(const std::string& url, std::stop_token stop) {
    return Perform(url, Headers({std::string("Accept: ") + HttpAccept}), std::move(stop), [](CURL* c) {
        curl_easy_setopt(c, CURLOPT_HTTPGET, 1L);
        curl_easy_setopt(c, CURLOPT_FOLLOWLOCATION, 1L);
        curl_easy_setopt(c, CURLOPT_MAXREDIRS, 5L);
    });
}

THttpResponse CurlHttpClient::Post(const std::string& url, std::string_view body,
                                   const std::string& contentType, std::stop_token stop) {
    // "Expect:" keeps curl from waiting for the server's leave before a large body.
    const THeaders headers =
        Headers({std::string("Accept: ") + HttpAccept, "Content-Type: " + contentType, "Expect:"});
    return Perform(url, headers, std::move(stop), [body](CURL* c) {
        curl_easy_setopt(c, CURLOPT_POST, 1L);
        curl_easy_setopt(c, CURLOPT_POSTFIELDS, body.data());
        curl_easy_setopt(c, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(body.size()));
    });
}
