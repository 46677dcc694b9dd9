// Fakes of the network for tests: an HTTP client with canned answers, a
// browser that records what it was asked to open, and a switchable connection.
#pragma once

#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "online/browser_launcher.h"
#include "online/http_client.h"

class FakeHttpClient : public IHttpClient {
public:
    // The handler answers when set; otherwise unknown addresses answer 404.
    THttpResponse Get(const std::string& url, std::stop_token) override {
        std::lock_guard lock(mutex_);
        requested.push_back(url);
        if (handler) return handler(url);
        return Canned(url);
    }
    // Posts answer from postHandler when set, else from the same canned answers.
    THttpResponse Post(const std::string& url, std::string_view body, const std::string& contentType,
                       std::stop_token) override {
        std::lock_guard lock(mutex_);
        posted.push_back({url, std::string(body), contentType});
        if (postHandler) return postHandler(url, body);
        return Canned(url);
    }
    void Answer(const std::string& url, int status, const std::string& body) {
        THttpResponse r;
        r.Status = status;
        r.Body = body;
        r.EffectiveUrl = url;
        answers[url] = r;
    }
    void Fail(const std::string& url, const std::string& error) {
        THttpResponse r;
        r.Error = error;
        r.EffectiveUrl = url;
        answers[url] = r;
    }
    struct Posted {
        std::string url, body, contentType;
    };
    // What was posted; a test that reads it while a poster runs takes Posts().
    std::vector<Posted> Posts() {
        std::lock_guard lock(mutex_);
        return posted;
    }
    std::function<THttpResponse(const std::string& url)> handler;
    std::function<THttpResponse(const std::string& url, std::string_view body)> postHandler;
    std::map<std::string, THttpResponse> answers;
    std::vector<std::string> requested;
    std::vector<Posted> posted;

private:
    THttpResponse Canned(const std::string& url) const {
        const auto it = answers.find(url);
        if (it != answers.end()) return it->second;
        THttpResponse notFound;
        notFound.Status = 404;
        notFound.EffectiveUrl = url;
        return notFound;
    }

    std::mutex mutex_;
};

class FakeBrowser : public IBrowserLauncher {
public:
    bool Open(const std::string& url) override {
        opened.push_back(url);
        return starts;
    }
    std::vector<std::string> opened;
    bool starts = true;
};

class FakeConnection : public IConnection {
public:
    bool IsOnline() override { return online; }
    void Autodial() override { ++autodials; }
    bool online = true;
    int autodials = 0;
};
