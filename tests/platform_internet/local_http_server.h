// A one-thread HTTP server on 127.0.0.1 that answers every request with one
// canned response and keeps the requests it received.
#pragma once

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class LocalHttpServer {
public:
    // response: the whole reply, status line and headers included.
    explicit LocalHttpServer(std::string response);
    ~LocalHttpServer();
    LocalHttpServer(const LocalHttpServer&) = delete;
    LocalHttpServer& operator=(const LocalHttpServer&) = delete;

    std::string Url(const std::string& path) const;
    std::vector<std::string> Requests();

private:
    void Serve();

    std::string response_;
    int listener_ = -1;
    int port_ = 0;
    std::atomic<bool> stop_{false};
    std::mutex mutex_;
    std::vector<std::string> requests_;
    std::thread thread_;
};

// A reply with status, a Content-Length and the body.
std::string HttpReply(int status, const std::string& body);
