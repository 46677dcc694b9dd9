// The headless runner's input script.
#include "game/input_script.h"

#include <charconv>
#include <sstream>
#include <vector>

#include "infra/cp1252.h"
#include "infra/file_io.h"
#include "infra/helpers.h"

namespace {

bool ParseNumber(const std::string& text, std::int64_t& out) {
    const auto [p, ec] = std::from_chars(text.data(), text.data() + text.size(), out);
    return ec == std::errc() && p == text.data() + text.size();
}

struct NamedKey {
    const char* name;
    std::uint16_t vk;
    char ch;
};

constexpr NamedKey Keys[] = {
    {"escape", VK_ESCAPE, 27}, {"enter", VK_RETURN, 13}, {"return", VK_RETURN, 13}, {"backspace", VK_BACK, 8},
    {"tab", VK_TAB, 9},        {"space", VK_SPACE, ' '}, {"delete", VK_DELETE, 0},  {"insert", VK_INSERT, 0},
    {"up", VK_UP, 0},          {"down", VK_DOWN, 0},     {"left", VK_LEFT, 0},      {"right", VK_RIGHT, 0},
    {"home", VK_HOME, 0},      {"end", VK_END, 0},       {"pageup", VK_PRIOR, 0},   {"pagedown", VK_NEXT, 0},
    {"pause", VK_PAUSE, 0},
};

// Key down (and its character) for a key name with modifiers.
bool KeyEvents(std::string name, std::vector<InputEvent>& out) {
    InputEvent down;
    down.Kind = InputKind::KeyDown;
    for (;;) {
        const std::string lower = AsciiLowerCase(name);
        if (lower.rfind("ctrl+", 0) == 0)
            down.Shift.Ctrl = true, name.erase(0, 5);
        else if (lower.rfind("shift+", 0) == 0)
            down.Shift.Shift = true, name.erase(0, 6);
        else if (lower.rfind("alt+", 0) == 0)
            down.Shift.Alt = true, name.erase(0, 4);
        else
            break;
    }
    const std::string lower = AsciiLowerCase(name);
    char ch = 0;
    if (name.size() == 1 && ((lower[0] >= 'a' && lower[0] <= 'z') || (lower[0] >= '0' && lower[0] <= '9'))) {
        down.Key = static_cast<std::uint16_t>(lower[0] >= 'a' ? lower[0] - 'a' + 'A' : lower[0]);
        ch = down.Shift.Shift && lower[0] >= 'a' ? static_cast<char>(down.Key) : lower[0];
    } else if (lower.size() >= 2 && lower[0] == 'f') {
        std::int64_t n = 0;
        if (!ParseNumber(lower.substr(1), n) || n < 1 || n > 12) return false;
        down.Key = static_cast<std::uint16_t>(VK_F1 + n - 1);
    } else {
        bool found = false;
        for (const NamedKey& k : Keys)
            if (lower == k.name) down.Key = k.vk, ch = k.ch, found = true;
        if (!found) return false;
    }
    out.push_back(down);
    if (ch != 0 && !down.Shift.Ctrl && !down.Shift.Alt) {
        InputEvent press = down;
        press.Kind = InputKind::KeyPress;
        press.Char = ch;
        out.push_back(press);
    }
    return true;
}

bool Button(const std::string& word, TMouseButton& button) {
    const std::string w = AsciiLowerCase(word);
    if (w.empty() || w == "left")
        button = TMouseButton::mbLeft;
    else if (w == "right")
        button = TMouseButton::mbRight;
    else if (w == "middle")
        button = TMouseButton::mbMiddle;
    else
        return false;
    return true;
}

// The window's happenings of the line's word what, read from the rest of
// the line; false when they make no sense.
bool WindowEvents(const std::string& what, std::istringstream& in, std::vector<InputEvent>& events) {
    std::string a;
    InputEvent e;
    if (what == "click" || what == "down" || what == "up") {
        in >> a;
        if (!Button(a, e.Button)) return false;
        if (what != "up") e.Kind = InputKind::MouseDown, events.push_back(e);
        if (what != "down") e.Kind = InputKind::MouseUp, events.push_back(e);
    } else if (what == "key") {
        in >> a;
        return KeyEvents(a, events);
    } else if (what == "text") {
        std::getline(in, a);
        if (!a.empty() && a.front() == ' ') a.erase(0, 1);
        e.Kind = InputKind::KeyPress;
        for (char c : Utf8ToCp1252(a)) {
            e.Char = c;
            events.push_back(e);
        }
    } else if (what == "wheel") {
        in >> a;
        a = AsciiLowerCase(a);
        if (a != "up" && a != "down") return false;
        e.Kind = a == "up" ? InputKind::MouseWheelUp : InputKind::MouseWheelDown;
        events.push_back(e);
    } else if (what == "close" || what == "expose" || what == "activate" || what == "deactivate") {
        e.Kind = what == "close"      ? InputKind::CloseRequest
                 : what == "expose"   ? InputKind::Expose
                 : what == "activate" ? InputKind::Activate
                                      : InputKind::Deactivate;
        events.push_back(e);
    } else {
        return false;
    }
    return true;
}

// The happenings of one line; false when the line makes no sense.
bool ParseLine(const std::string& line, CaptureDisplay& display) {
    std::istringstream in(line);
    std::string timeText, what;
    in >> timeText >> what;
    std::int64_t at = 0;
    if (!ParseNumber(timeText, at) || at < 0 || at > 0x7FFFFFFF) return false;
    const auto ms = static_cast<std::uint32_t>(at);
    what = AsciiLowerCase(what);
    std::string a, b;
    if (what == "move") {
        std::int64_t x = 0, y = 0;
        in >> a >> b;
        if (!ParseNumber(a, x) || !ParseNumber(b, y)) return false;
        display.ScheduleMouse(ms, static_cast<std::int32_t>(x), static_cast<std::int32_t>(y));
        return true;
    }
    if (what == "stall") {
        std::int64_t d = 0;
        in >> a;
        if (!ParseNumber(a, d) || d < 0 || d > 3600000) return false;
        display.ScheduleStall(ms, static_cast<std::uint32_t>(d));
        return true;
    }
    std::vector<InputEvent> events;
    if (!WindowEvents(what, in, events)) return false;
    for (const InputEvent& e : events) display.ScheduleInput(ms, e);
    return true;
}

}  // namespace

void LoadInputScript(std::string_view text, CaptureDisplay& display) {
    const auto lines = SplitLines(text);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        const auto first = line.find_first_not_of(" \t");
        if (first == std::string::npos || line[first] == '#') continue;
        if (!ParseLine(line.substr(first), display))
            throw EInputScriptError("input line " + std::to_string(i + 1) + " not understood: " + line);
    }
}
