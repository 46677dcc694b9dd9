// Writing and reading the replay format's lines.
#include "game/replay_format.h"

#include <algorithm>
#include <charconv>
#include <functional>
#include <limits>

#include "game/frame_timer.h"
#include "infra/checksum.h"
#include "infra/helpers.h"

const std::array<const char*, ReplayEnvSettingCount> ReplayEnvSettingNames = {
    "SoundOn",     "SoundMode",  "StatusLine",   "MusicOn", "MusicVolume",
    "SoundVolume", "GraphicSet", "Transparency", "FrontOn", "BubblesPercent"};

namespace {

constexpr std::size_t MaxLineBytes = 512;
constexpr std::size_t MaxWords = 32;
constexpr std::size_t MaxNameBytes = 255;

std::array<std::int32_t, ReplayEnvSettingCount> SettingsOf(const TEnvData& env) {
    return {env.SoundOn,     env.SoundMode,  env.StatusLine,   env.MusicOn, env.MusicVolume,
            env.SoundVolume, env.GraphicSet, env.Transparency, env.FrontOn, env.BubblesPercent};
}

// The range each setting's field holds.
bool FitsSetting(std::size_t i, std::int64_t v) {
    const bool wide = i == 4 || i == 5 || i == 9;  // the volumes and the bubbles are 32-bit
    return wide ? v >= std::numeric_limits<std::int32_t>::min() &&
                      v <= std::numeric_limits<std::int32_t>::max()
                : v >= 0 && v <= 255;
}

// A name's bytes stand as they are when printable, blank and "%" aside.
bool StaysInName(unsigned char c) {
    return c > ' ' && c < 127 && c != '%';
}

std::string EscapeName(std::string_view name) {
    return PercentEscape(name, StaysInName);
}

std::optional<std::string> UnescapeName(std::string_view text) {
    auto name = PercentDecode(text, StaysInName);
    if (name && name->size() > MaxNameBytes) return std::nullopt;
    return name;
}

// A line split at single blanks.
struct TWords {
    std::array<std::string_view, MaxWords> Word;
    std::size_t Count = 0;
    std::string_view operator[](std::size_t i) const { return i < Count ? Word[i] : std::string_view(); }
};

const struct {
    const char* Name;
    TMouseButton Button;
} ButtonChoices[] = {
    {"left", TMouseButton::mbLeft}, {"right", TMouseButton::mbRight}, {"middle", TMouseButton::mbMiddle}};

const struct {
    InputKind Kind;
    const char* Name;
} PlainEvents[] = {{InputKind::MouseUp, "up"},
                   {InputKind::CloseRequest, "close"},
                   {InputKind::Activate, "activate"},
                   {InputKind::Deactivate, "deactivate"}};

const struct {
    const char* Name;
    TGameOutcome Outcome;
} OutcomeChoices[] = {{"won", TGameOutcome::Won}, {"lost", TGameOutcome::Lost}, {"left", TGameOutcome::Left}};

}  // namespace

void TakeEnvSettings(const TEnvData& env, TReplayHeader& header) {
    header.Settings = SettingsOf(env);
    for (int r = 0; r < HighscoreCount; ++r)
        header.Highscores[static_cast<std::size_t>(r)] = {env.Highscores[r].Score,
                                                          env.Highscores[r].Name.str()};
    header.LastName = env.LastHighscoreName.str();
}

void PutEnvSettings(const TReplayHeader& header, TEnvData& env) {
    const auto& s = header.Settings;
    const auto byte = [](std::int32_t v) { return static_cast<std::uint8_t>(v); };
    env.SoundOn = byte(s[0]);
    env.SoundMode = byte(s[1]);
    env.StatusLine = byte(s[2]);
    env.MusicOn = byte(s[3]);
    env.MusicVolume = s[4];
    env.SoundVolume = s[5];
    env.GraphicSet = byte(s[6]);
    env.Transparency = byte(s[7]);
    env.FrontOn = byte(s[8]);
    env.BubblesPercent = s[9];
    for (int r = 0; r < HighscoreCount; ++r) {
        env.Highscores[r].Score = header.Highscores[static_cast<std::size_t>(r)].Score;
        env.Highscores[r].Name.assign(header.Highscores[static_cast<std::size_t>(r)].Name);
    }
    env.LastHighscoreName.assign(header.LastName);
}

std::string HeaderText(const TReplayHeader& h) {
    const auto sum = [](const std::optional<std::uint32_t>& s) { return s ? ChecksumText(*s) : "missing"; };
    std::string t = "vantorel-replay " + std::to_string(ReplayFormatVersion) + "\n";
    // An empty name leaves its word out: a line never ends in a blank.
    const auto named = [](std::string line, std::string_view name) {
        return name.empty() ? line + "\n" : line + " " + EscapeName(name) + "\n";
    };
    t += named("program", h.Program);
    t += "seed " + std::to_string(h.Seed) + "\n";
    t += "level " + std::to_string(h.LevelNumber) + " " + sum(h.LevelSum) + "\n";
    t += "front " + sum(h.FrontSum) + "\n";
    t += "display " + std::to_string(h.DisplayMode) + "\n";
    for (std::size_t i = 0; i < ReplayEnvSettingCount; ++i)
        t += std::string("env ") + ReplayEnvSettingNames[i] + " " + std::to_string(h.Settings[i]) + "\n";
    t += std::string("setting caveedit ") + (h.CaveEdit ? "1" : "0") + "\n";
    for (std::size_t r = 0; r < h.Highscores.size(); ++r)
        t += named("highscore " + std::to_string(r + 1) + " " + std::to_string(h.Highscores[r].Score),
                   h.Highscores[r].Name);
    t += named("lastname", h.LastName);
    return t + "begin\n";
}

EReplayError::EReplayError(std::size_t line, const std::string& what)
    : std::runtime_error("line " + std::to_string(line) + ": " + what), Line(line) {}

void TReplayLine::Word(std::string_view word) {
    const std::size_t gap = size_ > 0 ? 1 : 0;
    if (size_ + gap + word.size() > sizeof text_) {
        full_ = true;
        return;
    }
    if (gap) text_[size_++] = ' ';
    word.copy(text_ + size_, word.size());
    size_ += word.size();
}

void TReplayLine::Number(std::int64_t value) {
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    Word(std::string_view(digits, static_cast<std::size_t>(end - digits)));
}

void TReplayLine::Sum(std::uint32_t value) {
    static const char* const Hex = "0123456789abcdef";
    char digits[8];
    for (int i = 7; i >= 0; --i, value >>= 4) digits[i] = Hex[value & 15];
    Word(std::string_view(digits, 8));
}

bool EventLine(const InputEvent& e, TReplayLine& line) {
    switch (e.Kind) {
        case InputKind::KeyDown:
            line.Word("keydown");
            line.Number(e.Key);
            if (e.Shift.Ctrl) line.Word("ctrl");
            if (e.Shift.Shift) line.Word("shift");
            if (e.Shift.Alt) line.Word("alt");
            return true;
        case InputKind::KeyPress:
            line.Word("keypress");
            line.Number(static_cast<unsigned char>(e.Char));
            return true;
        case InputKind::MouseDown:
            line.Word("down");
            for (const auto& b : ButtonChoices)
                if (b.Button == e.Button) line.Word(b.Name);
            return true;
        case InputKind::MouseWheelDown:
        case InputKind::MouseWheelUp:
            line.Word("wheel");
            line.Word(e.Kind == InputKind::MouseWheelUp ? "up" : "down");
            return true;
        default:
            for (const auto& p : PlainEvents) {
                if (p.Kind != e.Kind) continue;
                line.Word(p.Name);
                return true;
            }
            return false;
    }
}

void GameLine(const TReplayGame& game, TReplayLine& line) {
    line.Word("game");
    line.Number(game.Score);
    line.Word(OutcomeName(game.Outcome));
    for (const std::int32_t counter : game.Stats) line.Number(counter);
}

const char* OutcomeName(TGameOutcome outcome) {
    for (const auto& o : OutcomeChoices)
        if (o.Outcome == outcome) return o.Name;
    return "left";
}

TReplayReader::TReplayReader(std::string_view text) : rest_(text) {}

void TReplayReader::Fail(const std::string& what) const {
    throw EReplayError(line_, what);
}

std::string_view TReplayReader::NextLine() {
    ++line_;
    if (rest_.empty()) Fail("the file ends here, before its end line");
    const std::size_t end = rest_.find('\n');
    std::string_view line = rest_.substr(0, end);
    rest_ = end == std::string_view::npos ? std::string_view() : rest_.substr(end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.size() > MaxLineBytes)
        Fail("the line is longer than " + std::to_string(MaxLineBytes) + " bytes");
    return line;
}

namespace {

// What a bad word looked like, printable and short.
std::string Shown(std::string_view word) {
    return "\"" + EscapeName(word.substr(0, 24)) + (word.size() > 24 ? "..." : "") + "\"";
}

class TLineParser {
public:
    TLineParser(std::string_view line, const std::function<void(const std::string&)>& fail) : fail_(fail) {
        std::size_t start = 0;
        while (start <= line.size()) {
            const std::size_t blank = std::min(line.find(' ', start), line.size());
            if (words_.Count == MaxWords)
                fail_("the line has more than " + std::to_string(MaxWords) + " words");
            if (blank == start) fail_(line.empty() ? "the line is empty" : "a blank too many");
            words_.Word[words_.Count++] = line.substr(start, blank - start);
            start = blank + 1;
        }
    }
    std::string_view operator[](std::size_t i) const { return words_[i]; }
    std::size_t Count() const { return words_.Count; }
    void Expect(std::string_view keyword, std::size_t minWords, std::size_t maxWords) const {
        if (words_[0] != keyword) fail_("\"" + std::string(keyword) + "\" expected, not " + Shown(words_[0]));
        WordCount(minWords, maxWords);
    }
    void WordCount(std::size_t minWords, std::size_t maxWords) const {
        if (words_.Count < minWords || words_.Count > maxWords)
            fail_("\"" + std::string(words_[0]) + "\" takes " + std::to_string(minWords - 1) +
                  (maxWords > minWords ? " to " + std::to_string(maxWords - 1) : std::string()) + " value" +
                  (maxWords == 2 ? "" : "s") + ", not " + std::to_string(words_.Count - 1));
    }
    std::int64_t Number(std::size_t i, std::int64_t min, std::int64_t max) const {
        const std::string_view w = words_[i];
        std::int64_t v = 0;
        const auto [end, ec] = std::from_chars(w.data(), w.data() + w.size(), v);
        if (w.empty() || ec != std::errc() || end != w.data() + w.size() || v < min || v > max)
            fail_("a number from " + std::to_string(min) + " to " + std::to_string(max) + " expected, not " +
                  Shown(w));
        return v;
    }
    std::optional<std::uint32_t> SumOrMissing(std::size_t i) const {
        if (words_[i] == "missing") return std::nullopt;
        return Sum(i);
    }
    std::uint32_t Sum(std::size_t i) const {
        const std::string_view w = words_[i];
        std::uint32_t v = 0;
        bool ok = w.size() == 8;
        for (const char c : w) {
            ok = ok && HexDigitValue(c) >= 0;
            v = v * 16 + static_cast<std::uint32_t>(std::max(HexDigitValue(c), 0));
        }
        if (!ok) fail_("a checksum of eight hexadecimal digits expected, not " + Shown(w));
        return v;
    }
    std::string Name(std::size_t i) const {
        if (i >= words_.Count) return {};
        const auto name = UnescapeName(words_[i]);
        if (!name) fail_("a name in printable characters and %XX escapes expected, not " + Shown(words_[i]));
        return *name;
    }
    template <typename T, std::size_t N>
    const T& Choice(std::size_t i, const T (&choices)[N]) const {
        for (const T& c : choices)
            if (words_[i] == c.Name) return c;
        fail_(Shown(words_[i]) + " is not one of the words this line takes");
        return choices[0];  // not reached: fail_ raises
    }

private:
    const std::function<void(const std::string&)>& fail_;
    TWords words_;
};

constexpr std::int64_t Int32Min = std::numeric_limits<std::int32_t>::min();
constexpr std::int64_t Int32Max = std::numeric_limits<std::int32_t>::max();
constexpr std::int64_t StepMax = std::numeric_limits<std::int64_t>::max();

const struct {
    const char* Name;
    bool TShiftState::*Flag;
} ModifierNames[] = {
    {"ctrl", &TShiftState::Ctrl}, {"shift", &TShiftState::Shift}, {"alt", &TShiftState::Alt}};

const struct {
    const char* Name;
    InputKind Kind;
} WheelNames[] = {{"up", InputKind::MouseWheelUp}, {"down", InputKind::MouseWheelDown}};

// The lines of nothing but numbers in a range.
const struct {
    const char* Name;
    TReplayItem Kind;
    std::size_t Numbers;
    std::int64_t Min, Max;
} NumberLines[] = {{"f", TReplayItem::Frame, 1, 1, MaxStepsPerFrame},
                   {"m", TReplayItem::Mouse, 2, Int32Min, Int32Max},
                   {"t", TReplayItem::Clock, 1, 0, 0xFFFFFFFF},
                   {"quit", TReplayItem::Quit, 0, 0, 0}};

bool ParseNumbers(const TLineParser& p, TReplayRecord& r) {
    for (const auto& line : NumberLines) {
        if (p[0] != line.Name) continue;
        p.WordCount(1 + line.Numbers, 1 + line.Numbers);
        r.Kind = line.Kind;
        if (line.Numbers > 0) r.A = p.Number(1, line.Min, line.Max);
        if (line.Numbers > 1) r.B = p.Number(2, line.Min, line.Max);
        return true;
    }
    return false;
}

// The input events; false when the line holds none.
bool ParseEvent(const TLineParser& p, InputEvent& e) {
    const std::string_view w = p[0];
    if (w == "keydown") {
        p.WordCount(2, 5);
        e.Kind = InputKind::KeyDown;
        e.Key = static_cast<std::uint16_t>(p.Number(1, 0, 65535));
        for (std::size_t i = 2; i < p.Count(); ++i) e.Shift.*(p.Choice(i, ModifierNames).Flag) = true;
    } else if (w == "keypress") {
        p.WordCount(2, 2);
        e.Kind = InputKind::KeyPress;
        e.Char = static_cast<char>(p.Number(1, 0, 255));
    } else if (w == "down") {
        p.WordCount(2, 2);
        e.Kind = InputKind::MouseDown;
        e.Button = p.Choice(1, ButtonChoices).Button;
    } else if (w == "wheel") {
        p.WordCount(2, 2);
        e.Kind = p.Choice(1, WheelNames).Kind;
    } else {
        for (const auto& plain : PlainEvents) {
            if (w != plain.Name) continue;
            p.WordCount(1, 1);
            e.Kind = plain.Kind;
            return true;
        }
        return false;
    }
    return true;
}

void ParseGame(const TLineParser& p, TReplayGame& game) {
    p.WordCount(3 + StatCount, 3 + StatCount);
    game.Score = static_cast<std::int32_t>(p.Number(1, Int32Min, Int32Max));
    game.Outcome = p.Choice(2, OutcomeChoices).Outcome;
    for (std::size_t i = 0; i < game.Stats.size(); ++i)
        game.Stats[i] = static_cast<std::int32_t>(p.Number(3 + i, Int32Min, Int32Max));
}

using TFail = std::function<void(const std::string&)>;
// The next line, which must start with keyword and have that many words.
using TExpect =
    std::function<TLineParser(std::string_view keyword, std::size_t minWords, std::size_t maxWords)>;

void CheckVersion(const TLineParser& p, const TFail& fail) {
    if (p[0] != "vantorel-replay" || p.Count() != 2)
        fail("not a replay: the first line should be \"vantorel-replay " +
             std::to_string(ReplayFormatVersion) + "\"");
    const std::int64_t version = p.Number(1, 0, Int32Max);
    if (version != ReplayFormatVersion)
        fail("a replay of format version " + std::to_string(version) + "; this program reads version " +
             std::to_string(ReplayFormatVersion));
}

void ReadSettings(const TExpect& line, const TFail& fail, TReplayHeader& h) {
    for (std::size_t i = 0; i < ReplayEnvSettingCount; ++i) {
        const TLineParser p = line("env", 3, 3);
        if (p[1] != ReplayEnvSettingNames[i])
            fail(std::string("the setting ") + ReplayEnvSettingNames[i] + " expected, not " + Shown(p[1]));
        h.Settings[i] = static_cast<std::int32_t>(p.Number(2, Int32Min, Int32Max));
        if (!FitsSetting(i, h.Settings[i]))
            fail(std::string(ReplayEnvSettingNames[i]) + " is out of its range");
    }
    const TLineParser p = line("setting", 3, 3);
    if (p[1] != "caveedit") fail("the setting caveedit expected, not " + Shown(p[1]));
    h.CaveEdit = p.Number(2, 0, 1) != 0;
}

void ReadTable(const TExpect& line, const TFail& fail, TReplayHeader& h) {
    for (std::size_t r = 0; r < h.Highscores.size(); ++r) {
        const TLineParser p = line("highscore", 3, 4);
        if (p.Number(1, 1, HighscoreCount) != static_cast<std::int64_t>(r + 1))
            fail("the high-score rank " + std::to_string(r + 1) + " expected");
        h.Highscores[r] = {static_cast<std::int32_t>(p.Number(2, Int32Min, Int32Max)), p.Name(3)};
    }
    h.LastName = line("lastname", 1, 2).Name(1);
}

}  // namespace

TReplayHeader TReplayReader::ReadHeader() {
    const TFail fail = [this](const std::string& what) { Fail(what); };
    CheckVersion(TLineParser(NextLine(), fail), fail);
    const TExpect line = [&](std::string_view keyword, std::size_t minWords, std::size_t maxWords) {
        TLineParser p(NextLine(), fail);
        p.Expect(keyword, minWords, maxWords);
        return p;
    };
    TReplayHeader h;
    h.Program = line("program", 1, 2).Name(1);
    h.Seed = static_cast<std::uint32_t>(line("seed", 2, 2).Number(1, 0, 0xFFFFFFFF));
    const TLineParser level = line("level", 3, 3);
    h.LevelNumber = static_cast<std::uint16_t>(level.Number(1, 0, 65535));
    h.LevelSum = level.SumOrMissing(2);
    h.FrontSum = line("front", 2, 2).SumOrMissing(1);
    h.DisplayMode = static_cast<std::int32_t>(line("display", 2, 2).Number(1, 0, 2));
    ReadSettings(line, fail, h);
    ReadTable(line, fail, h);
    line("begin", 1, 1);
    return h;
}

bool TReplayReader::Next(TReplayRecord& r) {
    if (ended_) return false;
    const std::function<void(const std::string&)> fail = [this](const std::string& what) { Fail(what); };
    const TLineParser p(NextLine(), fail);
    r = TReplayRecord{};
    const std::string_view w = p[0];
    if (ParseNumbers(p, r)) {
        // a frame, a reading or the quit
    } else if (w == "check") {
        p.WordCount(3, 3);
        r.Kind = TReplayItem::Check;
        r.A = p.Number(1, 0, StepMax);
        r.B = p.Sum(2);
    } else if (w == "game") {
        r.Kind = TReplayItem::Game;
        ParseGame(p, r.Game);
    } else if (w == "end") {
        p.WordCount(3, 4);
        r.Kind = TReplayItem::End;
        r.A = p.Number(1, 0, StepMax);
        r.B = p.Number(2, 0, StepMax);
        if (p.Count() == 4 && p[3] != "cut") Fail("\"cut\" or nothing expected after the end's counts");
        r.Cut = p.Count() == 4;
        ended_ = true;
        if (!rest_.empty()) {
            ++line_;
            Fail("nothing may follow the end line");
        }
    } else if (ParseEvent(p, r.Event)) {
        r.Kind = TReplayItem::Event;
    } else {
        Fail("unknown line " + Shown(w));
    }
    return true;
}

namespace {

// Counts what a replay holds, line by line, and refuses what does not fit.
class TTally {
public:
    explicit TTally(const TReplayLimits& limits) : limits_(limits) {}

    void Count(const TReplayRecord& r, std::size_t line) {
        line_ = line;
        Cap(line, limits_.MaxLines, "lines");
        switch (r.Kind) {
            case TReplayItem::Frame:
                Cap(++counts_.Frames, limits_.MaxFrames, "frames");
                Cap(counts_.FrameSteps += static_cast<std::uint64_t>(r.A), limits_.MaxSteps, "steps");
                break;
            case TReplayItem::Mouse:
            case TReplayItem::Clock:
            case TReplayItem::Event:
            case TReplayItem::Quit:
                Cap(++counts_.Inputs, limits_.MaxInputLines, "input lines");
                break;
            case TReplayItem::Check:
                if (r.A < lastCheck_ || static_cast<std::uint64_t>(r.A) > counts_.FrameSteps)
                    Fail("a check of step " + std::to_string(r.A) + " does not fit the steps before it");
                lastCheck_ = r.A;
                break;
            case TReplayItem::Game:
                ++counts_.Games;
                break;
            case TReplayItem::End:
                End(r);
                break;
        }
        previous_ = r;
    }
    const TReplayCounts& Counts() const { return counts_; }

private:
    void End(const TReplayRecord& r) {
        if (previous_.Kind != TReplayItem::Check || previous_.A != r.A)
            Fail("the end line must follow a check of its last step");
        if (static_cast<std::uint64_t>(r.B) != counts_.Frames)
            Fail("the end line counts " + std::to_string(r.B) + " frames, the file holds " +
                 std::to_string(counts_.Frames));
        counts_.Steps = static_cast<std::uint64_t>(r.A);
        counts_.Cut = r.Cut;
    }
    void Cap(std::uint64_t n, std::uint64_t max, const char* what) const {
        if (n > max) Fail("more than " + std::to_string(max) + " " + what + " in one replay");
    }
    [[noreturn]] void Fail(const std::string& what) const { throw EReplayError(line_, what); }

    const TReplayLimits& limits_;
    TReplayCounts counts_;
    TReplayRecord previous_;
    std::int64_t lastCheck_ = -1;
    std::size_t line_ = 0;
};

}  // namespace

TReplayHeader ValidateReplay(std::string_view text, const TReplayLimits& limits, TReplayCounts* countsOut) {
    if (text.size() > limits.MaxBytes)
        throw EReplayError(0, "the file has " + std::to_string(text.size()) + " bytes, more than the " +
                                  std::to_string(limits.MaxBytes) + " a replay may have");
    TReplayReader reader(text);
    const TReplayHeader header = reader.ReadHeader();
    TTally tally(limits);
    TReplayRecord r;
    while (reader.Next(r)) tally.Count(r, reader.Line());
    if (countsOut) {
        *countsOut = tally.Counts();
        countsOut->Lines = reader.Line();
    }
    return header;
}
