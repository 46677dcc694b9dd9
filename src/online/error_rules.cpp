// Matching the error-help rules against the log.
#include "online/error_rules.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <unordered_map>

#include "infra/errors.h"
#include "infra/file_io.h"
#include "infra/helpers.h"
#include "infra/log.h"

namespace {

constexpr std::size_t MaxPageNameLength = 100;

bool IsPageChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' ||
           c == '_' || c == '-';
}

bool IsTagNameChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
}

// A rule read once for all of its tags: tag names are found in a lower-cased
// copy, values cut from the rule as written at the same offset. Where each
// name of letters and digits first stands as "<name=" is noted in one pass,
// so that a rule asking for many tags costs no more than its length.
class TRule {
public:
    explicit TRule(std::string_view text) : text_(text), lower_(AsciiLowerCase(text)) {
        for (std::size_t at = lower_.find('<'); at != std::string::npos; at = lower_.find('<', at + 1)) {
            std::size_t end = at + 1;
            while (end < lower_.size() && IsTagNameChar(lower_[end])) ++end;
            if (end < lower_.size() && lower_[end] == '=')
                values_.try_emplace(std::string_view(lower_).substr(at + 1, end - at - 1), end + 1);
        }
    }
    TRule(const TRule&) = delete;
    TRule& operator=(const TRule&) = delete;

    bool HasTag(std::string_view name) const {
        return lower_.find("<" + AsciiLowerCase(name)) != std::string::npos;
    }

    std::string Value(std::string_view name) const {
        const std::string key = AsciiLowerCase(name);
        const std::size_t from = ValueStart(key);
        if (from == std::string::npos) return {};
        const std::size_t end = text_.find('>', from);
        return std::string(
            text_.substr(from, end == std::string_view::npos ? std::string_view::npos : end - from));
    }

private:
    // Where the value of "<key=" starts; npos when the rule has no such tag.
    std::size_t ValueStart(const std::string& key) const {
        if (std::all_of(key.begin(), key.end(), IsTagNameChar)) {
            const auto found = values_.find(key);
            return found == values_.end() ? std::string::npos : found->second;
        }
        const std::size_t at = lower_.find("<" + key + "=");
        return at == std::string::npos ? at : at + key.size() + 2;
    }

    std::string_view text_;
    std::string lower_;
    std::unordered_map<std::string_view, std::size_t> values_;
};

// The number of pattern lines a rule asks for, when it may be tried at all.
std::optional<int> PatternCount(const TRule& rule, std::size_t lineCount) {
    std::int32_t n = 0;
    try {
        n = StrToInt(rule.Value("zn"));
    } catch (const EConvertError&) {
        return std::nullopt;
    }
    const std::size_t limit = std::min<std::size_t>(lineCount, MaxRuleLines);
    if (n < 1 || static_cast<std::size_t>(n) > limit) return std::nullopt;
    return n;
}

bool BlockMatches(const std::vector<std::string>& patterns, const std::vector<std::string>& lines,
                  std::size_t start) {
    for (std::size_t k = 0; k < patterns.size(); ++k)
        if (lines[start + k].find(patterns[k]) == std::string::npos) return false;
    return true;
}

}  // namespace

bool HasRuleTag(std::string_view name, std::string_view rule) {
    return TRule(rule).HasTag(name);
}

std::string GetRuleValue(std::string_view name, std::string_view rule) {
    return TRule(rule).Value(name);
}

bool IsHelpPageName(std::string_view page) {
    if (page.empty() || page.size() > MaxPageNameLength) return false;
    if (page.find("..") != std::string_view::npos) return false;
    for (char c : page)
        if (!IsPageChar(c)) return false;
    return true;
}

TKnownError MatchErrorRule(std::string_view text, const std::vector<std::string>& logLines) {
    TKnownError result;
    const TRule rule(text);
    const std::optional<int> count = PatternCount(rule, logLines.size());
    if (!count) return result;
    const auto n = static_cast<std::size_t>(*count);
    const bool mustEnd = rule.HasTag("zl");
    std::vector<std::string> patterns;
    patterns.reserve(n);
    for (std::size_t k = 1; k <= n; ++k) patterns.push_back(rule.Value("z" + std::to_string(k)));

    const std::size_t last = logLines.size() - n;
    for (std::size_t i = mustEnd ? last : 0; i <= last; ++i) {
        if (!BlockMatches(patterns, logLines, i)) continue;
        const std::string page = rule.Value("W");
        if (IsHelpPageName(page)) {
            result.Page = page;
            result.KeepLog = rule.HasTag("S");
        }
        break;
    }
    return result;
}

TKnownError FindKnownError(std::string_view rules, const std::vector<std::string>& logLines) {
    for (const std::string& rule : SplitLines(rules)) {
        TKnownError known = MatchErrorRule(rule, logLines);
        if (!known.Page.empty()) return known;
    }
    return {};
}

TKnownError FindKnownError(std::string_view rules) {
    const auto lines = ReadLogLines();
    if (!lines) return {};
    return FindKnownError(rules, *lines);
}
