// Reading the animation definition text: keyword search, object kinds, the
// numbered header lines, frame lists and sound clauses.
#include "engine/definition_text.h"

#include <stdexcept>

#include "infra/helpers.h"

namespace {

constexpr bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Digits accumulate without overflowing: anything this large is clamped to the
// picture count anyway.
void AccumulateDigit(std::int64_t& number, char c) {
    number = number * 10 + (c - '0');
    if (number > 1'000'000'000) number = 1'000'000'000;
}

// Keeps the frame list characters, starting at the first digit.
std::string FrameListCharacters(std::string_view text) {
    std::string kept;
    for (char c : text)
        if (IsDigit(c) || c == ',' || c == '-' || c == '.') kept += c;
    const auto first = kept.find_first_of("0123456789");
    return first == std::string::npos ? std::string() : kept.substr(first);
}

// Drops doubled separators: after a digit anything may follow, after "," or
// "-" only a digit, after "." only "," or ".".
std::string NormaliseFrameList(const std::string& s) {
    if (s.empty()) return s;
    std::string out(1, s[0]);
    for (std::size_t i = 1; i < s.size(); ++i) {
        const char prev = out.back(), c = s[i];
        const bool keep = IsDigit(prev) || ((prev == ',' || prev == '-') && IsDigit(c)) ||
                          (prev == '.' && (c == ',' || c == '.'));
        if (keep) out += c;
    }
    while (!out.empty() && !IsDigit(out.back()) && out.back() != '.') out.pop_back();
    if (!out.empty()) out += ',';
    return out;
}

void AddFrame(TDynamicIArray& frames, std::int64_t v, std::int32_t pictures, char separator) {
    if (v < 1) v = 1;
    if (v > pictures) v = pictures;
    const auto target = static_cast<std::int32_t>(v);
    if (separator != '-' || frames.empty()) {
        frames.push_back(target);
        return;
    }
    std::int32_t cur = frames.back();
    do {
        if (cur < target)
            ++cur;
        else if (cur > target)
            --cur;
        frames.push_back(cur);
    } while (cur != target);
}

}  // namespace

std::string TrimText(std::string_view s) {
    std::size_t b = 0, e = s.size();
    while (b < e && static_cast<unsigned char>(s[b]) <= ' ') ++b;
    while (e > b && static_cast<unsigned char>(s[e - 1]) <= ' ') --e;
    return std::string(s.substr(b, e - b));
}

std::string UpperText(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return out;
}

std::string Columns(std::string_view s, int start, int count) {
    if (start < 1) start = 1;
    if (count <= 0 || static_cast<std::size_t>(start) > s.size()) return {};
    return std::string(s.substr(static_cast<std::size_t>(start - 1), static_cast<std::size_t>(count)));
}

const std::string& LineAt(const std::vector<std::string>& lines, int i) {
    if (i < 0 || static_cast<std::size_t>(i) >= lines.size())
        throw std::runtime_error("List index out of bounds (" + std::to_string(i) + ")");
    return lines[static_cast<std::size_t>(i)];
}

int FindKeyword(const std::vector<std::string>& lines, std::string_view keyword, int start) {
    if (const auto comma = keyword.find(','); comma != std::string_view::npos)
        keyword = keyword.substr(0, comma);
    const std::string wanted = UpperText(keyword);
    for (std::size_t i = start < 0 ? 0 : static_cast<std::size_t>(start); i < lines.size(); ++i) {
        if (UpperText(TrimText(lines[i])).starts_with(wanted)) return static_cast<int>(i) + 1;
    }
    throw std::runtime_error("Keyword \"" + std::string(keyword) + "\" not found");
}

int GOKind(std::string_view line) {
    if (line.find("Movielist") != std::string_view::npos) return goMovielist;
    if (line.find("Picture") != std::string_view::npos) return goPicture;
    if (line.find("CreateAnimation") != std::string_view::npos) return goCreateAnimation;
    if (line.find("Animation") != std::string_view::npos) return goAnimation;
    return goUnknown;
}

std::int32_t HeaderNumber(std::string_view line) {
    return StrToInt(TrimText(Columns(line, 1, 3)));
}

TDynamicIArray ParseFrameList(std::string_view text, std::int32_t pictures) {
    const std::string s = NormaliseFrameList(FrameListCharacters(text));
    TDynamicIArray frames;
    std::int64_t number = 0;
    char separator = ',';
    for (char c : s) {
        if (IsDigit(c)) {
            AccumulateDigit(number, c);
            continue;
        }
        AddFrame(frames, number, pictures, separator);
        separator = c;
        if (c == ',' || c == '-') number = 0;
    }
    return frames;
}

AnimationTiming ParseTiming(std::string_view line) {
    const auto p = line.find('(');
    const int col = p == std::string_view::npos ? 0 : static_cast<int>(p) + 1;
    return {StrToInt(Columns(line, col + 1, 3)), StrToInt(Columns(line, col + 5, 3))};
}

TDynamicIArray ParseSoundSlot(std::string_view line, int slot) {
    const std::string upper = UpperText(line);
    const auto clause = upper.find("(SOUNDS");
    if (clause == std::string::npos) return {};
    const std::string group = " " + std::to_string(slot) + ":";
    const auto at = upper.find(group, clause + 7);
    if (at == std::string::npos) return {};
    std::size_t i = at + group.size();
    TDynamicIArray numbers;
    if (i >= upper.size() || !IsDigit(upper[i])) return numbers;
    std::int64_t number = 0;
    bool inNumber = false;
    for (; i < upper.size() && upper[i] != ' ' && upper[i] != ')'; ++i) {
        if (IsDigit(upper[i])) {
            AccumulateDigit(number, upper[i]);
            inNumber = true;
        } else if (inNumber) {
            numbers.push_back(static_cast<std::int32_t>(number));
            number = 0;
            inNumber = false;
        }
    }
    if (inNumber) numbers.push_back(static_cast<std::int32_t>(number));
    return numbers;
}
