// A bare HTTP/1.1 client over a TCP socket to 127.0.0.1: sends exactly the
// bytes it is given (malformed requests included) and returns the whole
// answer, for tests of servers.
#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

// True once answer holds a whole response: its headers and as many body
// bytes as its Content-Length says (servers may keep the connection open).
inline bool HttpAnswerComplete(const std::string& answer) {
    const std::size_t end = answer.find("\r\n\r\n");
    if (end == std::string::npos) return false;
    const std::size_t at = answer.find("\r\nContent-Length: ");
    if (at == std::string::npos || at > end) return false;
    return answer.size() >= end + 4 + std::strtoull(answer.c_str() + at + 18, nullptr, 10);
}

// One response (or everything until the server closes, or 5 s pass); empty
// when it cannot connect.
inline std::string RawHttpExchange(int port, const std::string& request) {
    const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return {};
    timeval timeout{5, 0};
    setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
    setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &timeout, sizeof timeout);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    std::string answer;
    if (connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) {
        for (std::size_t sent = 0; sent < request.size();) {
            const ssize_t n = send(fd, request.data() + sent, request.size() - sent, MSG_NOSIGNAL);
            if (n <= 0) break;
            sent += static_cast<std::size_t>(n);
        }
        char buffer[8192];
        ssize_t n;
        while (!HttpAnswerComplete(answer) && (n = recv(fd, buffer, sizeof buffer, 0)) > 0)
            answer.append(buffer, static_cast<std::size_t>(n));
    }
    close(fd);
    return answer;
}

// A GET that closes the connection after the answer.
inline std::string RawHttpGet(int port, const std::string& target,
                              const std::vector<std::string>& headers = {}) {
    std::string request = "GET " + target + " HTTP/1.1\r\nHost: 127.0.0.1\r\nConnection: close\r\n";
    for (const std::string& h : headers) request += h + "\r\n";
    return RawHttpExchange(port, request + "\r\n");
}

// A POST of the body that closes the connection after the answer.
inline std::string RawHttpPost(int port, const std::string& target, const std::string& body) {
    return RawHttpExchange(port, "POST " + target +
                                     " HTTP/1.1\r\nHost: 127.0.0.1\r\nConnection: close\r\n"
                                     "Content-Type: text/plain\r\nContent-Length: " +
                                     std::to_string(body.size()) + "\r\n\r\n" + body);
}

// The status of an answer; 0 when it has no status line.
inline int HttpStatusOf(const std::string& answer) {
    if (answer.rfind("HTTP/1.", 0) != 0 || answer.size() < 12) return 0;
    return std::atoi(answer.c_str() + 9);
}

inline std::string HttpBodyOf(const std::string& answer) {
    const std::size_t end = answer.find("\r\n\r\n");
    return end == std::string::npos ? std::string() : answer.substr(end + 4);
}

// The value of a header (name as the server spells it); empty when absent.
inline std::string HttpHeaderOf(const std::string& answer, const std::string& name) {
    const std::size_t at = answer.find("\r\n" + name + ": ");
    if (at == std::string::npos || at > answer.find("\r\n\r\n")) return {};
    const std::size_t start = at + name.size() + 4;
    return answer.substr(start, answer.find("\r\n", start) - start);
}
