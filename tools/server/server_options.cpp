// Parsing of vantorel-server's options.
#include "server_options.h"

#include <charconv>

namespace {

int ParseNumber(std::string_view text, int low, int high, const std::string& what) {
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || value < low || value > high)
        throw std::invalid_argument("bad " + what + ": " + std::string(text));
    return value;
}

void ParseListen(std::string_view text, ServerOptions& o) {
    std::string_view host, port;
    if (!text.empty() && text.front() == '[') {
        const std::size_t close = text.find(']');
        if (close == std::string_view::npos || close + 1 >= text.size() || text[close + 1] != ':')
            throw std::invalid_argument("bad listen address: " + std::string(text));
        host = text.substr(1, close - 1);
        port = text.substr(close + 2);
    } else {
        const std::size_t colon = text.rfind(':');
        if (colon == std::string_view::npos)
            throw std::invalid_argument("bad listen address: " + std::string(text));
        host = text.substr(0, colon);
        port = text.substr(colon + 1);
    }
    if (host.empty()) throw std::invalid_argument("bad listen address: " + std::string(text));
    o.host = std::string(host);
    o.port = ParseNumber(port, 0, 65535, "port");
}

}  // namespace

ServerOptions ParseServerOptions(const std::vector<std::string>& args) {
    ServerOptions o;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&]() -> const std::string& {
            if (i + 1 >= args.size()) throw std::invalid_argument(a + " needs a value");
            return args[++i];
        };
        if (a == "--listen")
            ParseListen(value(), o);
        else if (a == "--data")
            o.data = value();
        else if (a == "--log-headers")
            o.logHeaders = true;
        else if (a == "--threads")
            o.threads = ParseNumber(value(), 1, 1024, "thread count");
        else if (a == "--db")
            o.database = value();
        else if (a == "--clock-file")
            o.clockFile = value();
        else if (a == "--help" || a == "-h")
            o.help = true;
        else
            throw std::invalid_argument("unknown option: " + a);
    }
    if (!o.help && o.data.empty()) throw std::invalid_argument("--data DIR is required");
    if (!o.database.empty() && !IsPostgresAddress(o.database))
        throw std::invalid_argument("--db takes a postgresql:// address");
    return o;
}

std::string ServerUrl(const std::string& host, int port) {
    const bool v6 = host.find(':') != std::string::npos;
    return "http://" + (v6 ? "[" + host + "]" : host) + ":" + std::to_string(port);
}

bool IsPostgresAddress(const std::string& address) {
    return address.rfind("postgresql://", 0) == 0 || address.rfind("postgres://", 0) == 0;
}
