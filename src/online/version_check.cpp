// Reading the version file: two lines, checked before they are believed.
#include "online/version_check.h"

#include <algorithm>

#include "infra/file_io.h"
#include "infra/helpers.h"
#include "online/browser_launcher.h"

namespace {

constexpr std::size_t MaxVersionLength = 20;
constexpr std::size_t MaxAddressLength = 2000;

// Empty counts: it is older than any version.
bool PlausibleVersion(std::string_view line) {
    if (line.size() > MaxVersionLength) return false;
    return std::none_of(line.begin(), line.end(), [](char c) {
        const auto b = static_cast<unsigned char>(c);
        return IsControlCharacter(c) || b >= 0x80 || c == '<';
    });
}

bool IsAsciiAlnum(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// "name:" before anything but a port number: "file:", "mailto:", "javascript:".
bool HasScheme(std::string_view line) {
    const std::size_t colon = line.find(':');
    if (colon == 0 || colon == std::string_view::npos) return false;
    const std::string_view name = line.substr(0, colon);
    const bool schemeName = std::all_of(
        name.begin(), name.end(), [](char c) { return IsAsciiAlnum(c) || c == '+' || c == '-' || c == '.'; });
    const bool port = colon + 1 < line.size() && line[colon + 1] >= '0' && line[colon + 1] <= '9';
    return schemeName && !port;
}

// The page line 2 leads to: an http or https address as it is, a host and
// path without a scheme ("www.host/dl") as http; empty for anything else.
std::string DownloadUrl(std::string_view line) {
    if (line.size() > MaxAddressLength || std::any_of(line.begin(), line.end(), IsControlCharacter))
        return {};
    if (IsWebAddress(line)) return std::string(line);
    if (line.empty() || !IsAsciiAlnum(line[0]) || HasScheme(line) || line.find(' ') != std::string_view::npos)
        return {};
    return "http://" + std::string(line);
}

}  // namespace

TVersionReply EvaluateVersionReply(std::string_view text, std::string_view running) {
    TVersionReply reply;
    const auto lines = SplitLines(text);
    if (lines.size() < 2 || !PlausibleVersion(lines[0])) return reply;
    // std::string compares its characters as unsigned bytes.
    if (std::string_view(lines[0]).compare(running) <= 0) {
        reply.Kind = TVersionReply::TKind::Latest;
        return reply;
    }
    reply.Url = DownloadUrl(lines[1]);
    if (reply.Url.empty()) return reply;
    reply.Kind = TVersionReply::TKind::Newer;
    reply.Version = lines[0];
    reply.Address = lines[1];
    return reply;
}

std::string NewVersionQuestion(const TVersionReply& reply) {
    return "There is a new version (" + reply.Version + ") of this program available at " + reply.Address +
           ". Would you like to go to that website to download the new version?";
}
