// cpp-httplib's server with a connection loop of its own, in which every
// request may send only so many bytes before it is answered: a client that
// sends header lines without end gets 400 instead of filling the memory. The
// body after the headers has a cap of its own (only uploads have one).
#pragma once

#include <httplib.h>

#include <cstddef>

class BoundedSocketStream;

class BoundedHttpServer : public httplib::Server {
public:
    // requestBytes: the most a request line and its headers may hold together;
    // bodyBytes: the most its body may hold.
    BoundedHttpServer(std::size_t requestBytes, std::size_t bodyBytes)
        : requestBytes_(requestBytes), bodyBytes_(bodyBytes) {}

private:
    // Serves the requests of one connection (keep-alive as the library does:
    // at most keep_alive_max_count_ of them, each within keep_alive_timeout_sec_
    // of the last), then closes it.
    bool process_and_close_socket(socket_t sock) override;
    // Waits for the next request while the server runs; false at the timeout.
    bool WaitForRequest(const BoundedSocketStream& stream) const;

    const std::size_t requestBytes_;
    const std::size_t bodyBytes_;
};
