// Taking web addresses apart for the news pane's area test.
#include "online/web_address.h"

#include <charconv>
#include <vector>

#include "infra/helpers.h"

namespace {

bool IsHostChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '.' || c == '-' || c == '_';
}

bool IsIpv6Char(char c) {
    return (c >= 'a' && c <= 'f') || (c >= '0' && c <= '9') || c == ':' || c == '.';
}

// "host", "host:port" or "[v6]:port" into host and port; false when malformed.
bool SplitAuthority(std::string_view authority, int defaultPort, TWebAddress& out) {
    std::string_view host = authority, port;
    if (!authority.empty() && authority.front() == '[') {
        const std::size_t close = authority.find(']');
        if (close == std::string_view::npos) return false;
        host = authority.substr(0, close + 1);
        const std::string_view rest = authority.substr(close + 1);
        if (!rest.empty() && rest.front() != ':') return false;
        if (!rest.empty()) port = rest.substr(1);
        for (char c : AsciiLowerCase(host.substr(1, host.size() - 2)))
            if (!IsIpv6Char(c)) return false;
    } else {
        const std::size_t colon = authority.rfind(':');
        if (colon != std::string_view::npos) {
            host = authority.substr(0, colon);
            port = authority.substr(colon + 1);
        }
        for (char c : AsciiLowerCase(host))
            if (!IsHostChar(c)) return false;
    }
    if (host.empty() || host == "[]") return false;
    out.Host = AsciiLowerCase(host);
    out.Port = defaultPort;
    if (port.empty()) return true;
    const auto [end, ec] = std::from_chars(port.data(), port.data() + port.size(), out.Port);
    return ec == std::errc() && end == port.data() + port.size() && out.Port >= 1 && out.Port <= 65535;
}

// Encoded dots count as dots; an encoded "/" or "\" or a plain "\" makes the
// path unusable.
std::optional<std::string> PlainDots(std::string_view path) {
    std::string out;
    for (std::size_t i = 0; i < path.size(); ++i) {
        if (path[i] == '\\') return std::nullopt;
        if (path[i] == '%' && i + 2 < path.size()) {
            const std::string code = AsciiLowerCase(path.substr(i + 1, 2));
            if (code == "2f" || code == "5c") return std::nullopt;
            if (code == "2e") {
                out += '.';
                i += 2;
                continue;
            }
        }
        out += path[i];
    }
    return out;
}

// "/a/./b/../c" gives "/a/c"; a path always starts with "/".
std::string WithoutDotSegments(std::string_view path) {
    std::vector<std::string_view> parts;
    std::size_t start = 1;
    while (start <= path.size()) {
        std::size_t end = path.find('/', start);
        if (end == std::string_view::npos) end = path.size();
        const std::string_view part = path.substr(start, end - start);
        const bool last = end == path.size();
        if (part == "..") {
            if (!parts.empty()) parts.pop_back();
            if (last) parts.emplace_back();
        } else if (part == ".") {
            if (last) parts.emplace_back();
        } else {
            parts.push_back(part);
        }
        start = end + 1;
    }
    std::string out;
    for (std::string_view part : parts) {
        out += '/';
        out += part;
    }
    return out.empty() ? "/" : out;
}

}  // namespace

std::optional<TWebAddress> ParseWebAddress(std::string_view url) {
    for (char c : url)
        if (IsControlCharacter(c) || c == ' ') return std::nullopt;
    const std::size_t schemeEnd = url.find("://");
    if (schemeEnd == std::string_view::npos) return std::nullopt;
    TWebAddress address;
    address.Scheme = AsciiLowerCase(url.substr(0, schemeEnd));
    int defaultPort = 0;
    if (address.Scheme == "http")
        defaultPort = 80;
    else if (address.Scheme == "https")
        defaultPort = 443;
    else
        return std::nullopt;
    const std::string_view rest = url.substr(schemeEnd + 3);
    const std::size_t authorityEnd = rest.find_first_of("/?#");
    const std::string_view authority = rest.substr(0, authorityEnd);
    if (authority.find_first_of("@\\") != std::string_view::npos) return std::nullopt;
    if (!SplitAuthority(authority, defaultPort, address)) return std::nullopt;
    std::string_view path = authorityEnd == std::string_view::npos ? "" : rest.substr(authorityEnd);
    path = path.substr(0, path.find_first_of("?#"));
    const std::optional<std::string> plain = PlainDots(path);
    if (!plain) return std::nullopt;
    address.Path = WithoutDotSegments(*plain);
    return address;
}

bool IsInArea(std::string_view url, std::string_view areaBase) {
    const auto address = ParseWebAddress(url);
    const auto base = ParseWebAddress(areaBase);
    if (!address || !base) return false;
    if (address->Scheme != base->Scheme || address->Host != base->Host || address->Port != base->Port)
        return false;
    std::string area = base->Path;
    while (area.size() > 1 && area.back() == '/') area.pop_back();
    if (area == "/") return true;
    return address->Path == area || address->Path.rfind(area + "/", 0) == 0;
}
