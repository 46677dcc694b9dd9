// Reading the version file: two lines, checked before they are believed.
#include "online/version_check.h"

#include <algorithm>

#include "infra/file_io.h"
#include "infra/helpers.h"
#include "online/browser_launcher.h"

namespace {

constexpr std::size_t MaxVersionLength = 20;
constexpr std::size_t MaxAddressLength = 2000;

bool PlausibleVersion(std::string_view line) {
    if (line.empty() || line.size() > MaxVersionLength) return false;
    return std::none_of(line.begin(), line.end(), [](char c) {
        const auto b = static_cast<unsigned char>(c);
        return IsControlCharacter(c) || b >= 0x80 || c == '<';
    });
}

bool PlausibleAddress(std::string_view line) {
    return IsWebAddress(line) && line.size() <= MaxAddressLength &&
           std::none_of(line.begin(), line.end(), IsControlCharacter);
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
    if (!PlausibleAddress(lines[1])) return reply;
    reply.Kind = TVersionReply::TKind::Newer;
    reply.Version = lines[0];
    reply.Address = lines[1];
    return reply;
}

std::string NewVersionQuestion(const TVersionReply& reply) {
    return "There is a new version (" + reply.Version + ") of this program available at " + reply.Address +
           ". Would you like to go to that website to download the new version?";
}
