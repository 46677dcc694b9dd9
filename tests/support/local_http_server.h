// A one-thread HTTP server on 127.0.0.1 for tests: it answers every request
// with one canned response, or with what a handler makes of the request, and
// keeps the requests it received.
#pragma once

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class LocalHttpServer {
public:
    // response: the whole reply, status line and headers included.
    explicit LocalHttpServer(std::string response);
    // handler: from the request (line and headers) to the whole reply.
    explicit LocalHttpServer(std::function<std::string(const std::string& request)> handler);
    ~LocalHttpServer();
    LocalHttpServer(const LocalHttpServer&) = delete;
    LocalHttpServer& operator=(const LocalHttpServer&) = delete;

    std::string Url(const std::string& path) const;
    std::vector<std::string> Requests();

private:
    void Serve();

    void Start();

    std::function<std::string(const std::string&)> handler_;
    int listener_ = -1;
    int port_ = 0;
    std::atomic<bool> stop_{false};
    std::mutex mutex_;
    std::vector<std::string> requests_;
    std::thread thread_;
};

// A reply with status, a Content-Length and the body.
std::string HttpReply(int status, const std::string& body);
// A redirect (302) to location.
std::string HttpRedirect(const std::string& location);
// The path of a request's first line ("GET /a/b HTTP/1.1" gives "/a/b").
std::string RequestPath(const std::string& request);
