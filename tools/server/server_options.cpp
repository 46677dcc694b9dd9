// Parsing of vantorel-server's options.
#include "server_options.h"

#include <charconv>
#include <climits>
#include <functional>

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

// "SCORE:GAMESWON:STATISTICS"; the statistics text may hold anything, ":" too.
void ParseExpectation(std::string_view text, VerifyReplayJob& job) {
    const std::size_t first = text.find(':');
    const std::size_t second = first == std::string_view::npos ? first : text.find(':', first + 1);
    if (second == std::string_view::npos) throw std::invalid_argument("bad --expect: " + std::string(text));
    job.score = ParseNumber(text.substr(0, first), INT32_MIN, INT32_MAX, "expected score");
    job.gamesWon =
        ParseNumber(text.substr(first + 1, second - first - 1), 0, INT32_MAX, "expected games won");
    job.statText = std::string(text.substr(second + 1));
}

// The options of replays; false for an option that is not one of them.
bool ParseReplayOption(const std::string& a, const std::function<const std::string&()>& value,
                       ServerOptions& o) {
    if (a == "--game-data")
        o.gameData = value();
    else if (a == "--no-replays")
        o.replays = false;
    else if (a == "--verifiers")
        o.verifiers = ParseNumber(value(), 0, 64, "verifier count");
    else if (a == "--verified-only")
        o.verifiedOnly = true;
    else if (a == "--replay-days")
        o.replayDays = ParseNumber(value(), 1, 36500, "number of days");
    else if (a == "--replay-steps")
        o.caps.steps = ParseNumber(value(), 1, 4000000, "number of steps");
    else if (a == "--replay-seconds")
        o.caps.seconds = ParseNumber(value(), 1, 3600, "number of seconds");
    else if (a == "--replay-memory")
        o.caps.memoryMib = ParseNumber(value(), 64, 65536, "memory size");
    else if (a == "--verify-replay")
        (o.verify ? *o.verify : o.verify.emplace()).file = value();
    else if (a == "--expect")
        ParseExpectation(value(), o.verify ? *o.verify : o.verify.emplace());
    else
        return false;
    return true;
}

}  // namespace

ServerOptions ParseServerOptions(const std::vector<std::string>& args) {
    ServerOptions o;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const std::function<const std::string&()> value = [&]() -> const std::string& {
            if (i + 1 >= args.size()) throw std::invalid_argument(a + " needs a value");
            return args[++i];
        };
        if (ParseReplayOption(a, value, o)) continue;
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
    if (o.verify) {
        if (o.verify->file.empty()) throw std::invalid_argument("--expect needs --verify-replay FILE");
        return o;  // a verification needs no folder of its own
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
