// The connection loop and the socket stream behind it.
#include "bounded_http_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>

namespace {

// Waits up to timeoutMs for the socket to be ready for events; a hang-up or
// error counts as ready, so that the next call reports it.
bool WaitFor(int sock, short events, int timeoutMs) {
    pollfd p{sock, events, 0};
    int r;
    do r = poll(&p, 1, timeoutMs);
    while (r < 0 && errno == EINTR);
    return r > 0;
}

int Millis(time_t sec, time_t usec) {
    return static_cast<int>(sec * 1000 + usec / 1000);
}

// The address of one end of the socket (getpeername or getsockname).
void AddressOf(int (*query)(int, sockaddr*, socklen_t*), int sock, std::string& ip, int& port) {
    sockaddr_storage a{};
    socklen_t size = sizeof a;
    ip.clear();
    port = 0;
    if (query(sock, reinterpret_cast<sockaddr*>(&a), &size) != 0) return;
    char text[INET6_ADDRSTRLEN] = "";
    if (a.ss_family == AF_INET) {
        const auto* v4 = reinterpret_cast<const sockaddr_in*>(&a);
        inet_ntop(AF_INET, &v4->sin_addr, text, sizeof text);
        port = ntohs(v4->sin_port);
    } else if (a.ss_family == AF_INET6) {
        const auto* v6 = reinterpret_cast<const sockaddr_in6*>(&a);
        inet_ntop(AF_INET6, &v6->sin6_addr, text, sizeof text);
        port = ntohs(v6->sin6_port);
    }
    ip = text;
}

}  // namespace

// The bytes of one connection, received in blocks (the library reads a
// request's head a byte at a time) and kept across its requests; each
// request's head may read at most the limit BeginRequest set, and its body
// (after the empty line that ends the head) at most the body's limit.
class BoundedSocketStream : public httplib::Stream {
public:
    BoundedSocketStream(int sock, int readTimeoutMs, int writeTimeoutMs)
        : sock_(sock), readMs_(readTimeoutMs), writeMs_(writeTimeoutMs) {}

    void BeginRequest(std::size_t headLimit, std::size_t bodyLimit) {
        left_ = headLimit;
        bodyLimit_ = bodyLimit;
        inHead_ = true;
        lineBytes_ = 0;
    }
    bool HasBuffered() const { return begin_ < end_; }
    // A request wanted to read past its limit.
    bool Overflowed() const { return overflowed_; }
    int Socket() const { return sock_; }

    bool is_readable() const override { return HasBuffered() || WaitFor(sock_, POLLIN, readMs_); }
    bool is_writable() const override { return WaitFor(sock_, POLLOUT, writeMs_); }

    ssize_t read(char* ptr, size_t size) override {
        if (left_ == 0) {  // the request has sent all it may
            overflowed_ = true;
            return -1;
        }
        if (!HasBuffered()) {
            if (!WaitFor(sock_, POLLIN, readMs_)) return -1;
            ssize_t n;
            do n = recv(sock_, buffer_, sizeof buffer_, 0);
            while (n < 0 && errno == EINTR);
            if (n <= 0) return n;
            begin_ = 0;
            end_ = static_cast<std::size_t>(n);
        }
        const std::size_t count = std::min({size, end_ - begin_, left_});
        std::memcpy(ptr, buffer_ + begin_, count);
        begin_ += count;
        left_ -= count;
        if (inHead_) WatchForBody(ptr, count);
        return static_cast<ssize_t>(count);
    }

    using httplib::Stream::write;
    ssize_t write(const char* ptr, size_t size) override {
        if (!is_writable()) return -1;
        ssize_t n;
        do n = send(sock_, ptr, size, MSG_NOSIGNAL);
        while (n < 0 && errno == EINTR);
        return n;
    }

    void get_remote_ip_and_port(std::string& ip, int& port) const override {
        AddressOf(getpeername, sock_, ip, port);
    }
    void get_local_ip_and_port(std::string& ip, int& port) const override {
        AddressOf(getsockname, sock_, ip, port);
    }
    socket_t socket() const override { return sock_; }

private:
    // The head ends with an empty line (CR LF or LF alone); what follows is the body's.
    void WatchForBody(const char* bytes, std::size_t count) {
        for (std::size_t i = 0; i < count; ++i) {
            if (bytes[i] == '\r') continue;
            if (bytes[i] != '\n') {
                ++lineBytes_;
                continue;
            }
            if (lineBytes_ > 0) {
                lineBytes_ = 0;
                continue;
            }
            inHead_ = false;
            const std::size_t bodyRead = count - i - 1;
            left_ = bodyRead >= bodyLimit_ ? 0 : bodyLimit_ - bodyRead;
            return;
        }
    }

    const int sock_;
    const int readMs_, writeMs_;
    char buffer_[4096];
    std::size_t begin_ = 0, end_ = 0;
    std::size_t left_ = 0;
    std::size_t bodyLimit_ = 0;
    bool inHead_ = true;
    std::size_t lineBytes_ = 0;
    bool overflowed_ = false;
};

namespace {

// Closes the connection. After a request over its limit the client may still
// be sending: what it sends is read and dropped for a moment first, so that
// it gets the answer rather than a reset connection.
void CloseConnection(int sock, bool clientStillSending) {
    if (clientStillSending) {
        shutdown(sock, SHUT_WR);
        char discard[4096];
        const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(1);
        for (std::size_t dropped = 0; dropped < 1024 * 1024 && std::chrono::steady_clock::now() < until;) {
            if (!WaitFor(sock, POLLIN, 100)) continue;
            const ssize_t n = recv(sock, discard, sizeof discard, 0);
            if (n <= 0) break;
            dropped += static_cast<std::size_t>(n);
        }
    }
    shutdown(sock, SHUT_RDWR);
    close(sock);
}

}  // namespace

bool BoundedHttpServer::WaitForRequest(const BoundedSocketStream& stream) const {
    if (stream.HasBuffered()) return true;
    // In short slices, so that a stopping server does not wait on idle clients.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(keep_alive_timeout_sec_);
    while (svr_sock_ != INVALID_SOCKET) {
        if (WaitFor(stream.Socket(), POLLIN, 50)) return true;
        if (std::chrono::steady_clock::now() >= deadline) return false;
    }
    return false;
}

bool BoundedHttpServer::process_and_close_socket(socket_t sock) {
    BoundedSocketStream stream(sock, Millis(read_timeout_sec_, read_timeout_usec_),
                               Millis(write_timeout_sec_, write_timeout_usec_));
    bool served = false;
    for (std::size_t left = keep_alive_max_count_; left > 0 && WaitForRequest(stream); --left) {
        stream.BeginRequest(requestBytes_, bodyBytes_);
        bool closed = false;
        served = process_request(stream, left == 1, closed, nullptr);
        if (!served || closed || stream.Overflowed()) break;
    }
    CloseConnection(sock, stream.Overflowed());
    return served;
}
