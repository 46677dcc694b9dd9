// Reading the score server's reply.
#include "online/score_reply.h"

#include "infra/file_io.h"
#include "infra/helpers.h"

namespace {

constexpr std::size_t MaxPlayerIDLength = 32;

bool IsIDCharacter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '-';
}

}  // namespace

std::string TScoreReply::Value(std::string_view key) const {
    for (const auto& [name, value] : Lines)
        if (SameTextIgnoringCase(name, key)) return value;
    return {};
}

TScoreReply ParseScoreReply(std::string_view text) {
    TScoreReply reply;
    for (const std::string& line : SplitLines(text)) {
        const std::size_t eq = line.find('=');
        if (eq == std::string::npos) continue;
        reply.Lines.emplace_back(line.substr(0, eq), line.substr(eq + 1));
    }
    return reply;
}

bool IsValidPlayerID(std::string_view id) {
    if (id.empty() || id.size() > MaxPlayerIDLength) return false;
    for (const char c : id)
        if (!IsIDCharacter(c)) return false;
    return true;
}
