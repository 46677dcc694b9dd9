// The site on the network: an HTTP server (cpp-httplib) that hands every
// request to the site, whatever its path or method, and logs one line each.
#pragma once

#include <memory>
#include <string>

#include "game_site.h"
#include "request_log.h"

namespace httplib {
class Server;
}

class HttpFront {
public:
    // threads: how many requests are served at once.
    HttpFront(const GameSite& site, RequestLog& log, int threads);
    ~HttpFront();
    HttpFront(const HttpFront&) = delete;
    HttpFront& operator=(const HttpFront&) = delete;

    // Binds to host and port (0: a free one) and starts accepting into the
    // backlog; returns the port. Throws std::runtime_error when it cannot.
    int Bind(const std::string& host, int port);
    // Serves until Stop(); false when serving failed.
    bool Serve();
    // From any thread.
    void Stop();

private:
    std::unique_ptr<httplib::Server> server_;
};
