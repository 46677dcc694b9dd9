// Gamepads: hot-plugging, the steering cursor, buttons as mouse and keys.
#include "sdl_pads.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

// Stick positions inside this are a resting stick's noise, not a push.
constexpr int DeadZone = 8000;
constexpr float StickMaxSpeed = 12.0f;  // pixels per step at full deflection
constexpr float DpadSpeed = 8.0f;
// The letters the D-pad steps through in a name, in order, then round again.
constexpr char Letters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789 ";
constexpr int LetterCount = sizeof(Letters) - 1;
constexpr int LetterZ = 25;  // where Down starts a new letter

// Deflection beyond the dead zone as a speed: gentle near the middle for
// fine aim, full at the edge.
float StickSpeed(Sint16 value) {
    const int v = std::abs(static_cast<int>(value));
    if (v <= DeadZone) return 0.0f;
    const float t = std::min(1.0f, static_cast<float>(v - DeadZone) / static_cast<float>(32767 - DeadZone));
    return (value < 0 ? -1.0f : 1.0f) * StickMaxSpeed * t * t;
}

float DpadAxis(SDL_GameController* pad, SDL_GameControllerButton minus, SDL_GameControllerButton plus) {
    return DpadSpeed * static_cast<float>(SDL_GameControllerGetButton(pad, plus) -
                                          SDL_GameControllerGetButton(pad, minus));
}

// A key as the keyboard gives it: the key down and, when it has one, its character.
void Key(std::uint16_t vk, char ch, std::vector<InputEvent>& out) {
    InputEvent e;
    e.Kind = InputKind::KeyDown;
    e.Key = vk;
    out.push_back(e);
    if (ch == 0) return;
    e.Kind = InputKind::KeyPress;
    e.Char = ch;
    out.push_back(e);
}

void LeftButton(bool down, std::vector<InputEvent>& out) {
    InputEvent e;
    e.Kind = down ? InputKind::MouseDown : InputKind::MouseUp;
    e.Button = TMouseButton::mbLeft;
    out.push_back(e);
}

}  // namespace

TSdlPads::TSdlPads() {
    // A pad steers the game also while another window of the program (the
    // menu) or none at all has the keyboard, as on a couch with no keyboard.
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    started_ = SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0;
}

TSdlPads::~TSdlPads() {
    for (const auto& [id, pad] : open_) SDL_GameControllerClose(pad);
    if (started_) SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
}

void TSdlPads::Open(int deviceIndex) {
    if (!SDL_IsGameController(deviceIndex)) return;
    const SDL_JoystickID id = SDL_JoystickGetDeviceInstanceID(deviceIndex);
    if (id < 0 || open_.count(id)) return;
    if (SDL_GameController* pad = SDL_GameControllerOpen(deviceIndex)) open_[id] = pad;
}

void TSdlPads::Close(SDL_JoystickID id) {
    const auto it = open_.find(id);
    if (it == open_.end()) return;
    SDL_GameControllerClose(it->second);
    open_.erase(it);
}

void TSdlPads::OpenAttached() {
    if (!started_) return;
    SDL_JoystickUpdate();
    for (auto it = open_.begin(); it != open_.end();) {
        if (SDL_GameControllerGetAttached(it->second)) {
            ++it;
        } else {
            SDL_GameControllerClose(it->second);
            it = open_.erase(it);
        }
    }
    for (int i = 0; i < SDL_NumJoysticks(); ++i) Open(i);
}

void TSdlPads::SetNameEntry(bool active) {
    nameEntry_ = active;
    letter_ = -1;
}

bool TSdlPads::Handle(const SDL_Event& event, std::vector<InputEvent>& out) {
    switch (event.type) {
        case SDL_CONTROLLERDEVICEADDED:
            Open(event.cdevice.which);
            return true;
        case SDL_CONTROLLERDEVICEREMOVED:
            Close(event.cdevice.which);
            return true;
        case SDL_CONTROLLERBUTTONDOWN:
        case SDL_CONTROLLERBUTTONUP:
            Button(event.cbutton.button, event.type == SDL_CONTROLLERBUTTONDOWN, out);
            return true;
        case SDL_CONTROLLERAXISMOTION:
        case SDL_CONTROLLERDEVICEREMAPPED:
            return true;  // the sticks are read at each step
        default:
            return false;
    }
}

void TSdlPads::Button(std::uint8_t button, bool down, std::vector<InputEvent>& out) {
    if (!steering_) takeOver_ = true;
    steering_ = true;
    if (nameEntry_) {
        if (down) NameEntryButton(button, out);
        return;
    }
    switch (button) {
        case SDL_CONTROLLER_BUTTON_A:
            LeftButton(down, out);  // fires, and starts a game on the title screen
            break;
        case SDL_CONTROLLER_BUTTON_X:
        case SDL_CONTROLLER_BUTTON_Y:
            if (down) Key('T', 't', out);
            break;
        case SDL_CONTROLLER_BUTTON_START:
            if (down) Key('P', 0, out);
            break;
        case SDL_CONTROLLER_BUTTON_B:
        case SDL_CONTROLLER_BUTTON_BACK:
            if (down) Key(VK_ESCAPE, 27, out);
            break;
        default:
            break;
    }
}

// In the name: Up and Down change the letter the pad put last (the first press
// puts a new one behind the name), Right or A keep it and move on, Left takes
// the last letter away, Start ends the name as Enter does, B and Back leave
// as Escape does (which keeps the name too).
void TSdlPads::NameEntryButton(std::uint8_t button, std::vector<InputEvent>& out) {
    switch (button) {
        case SDL_CONTROLLER_BUTTON_DPAD_UP:
            PickLetter(+1, out);
            break;
        case SDL_CONTROLLER_BUTTON_DPAD_DOWN:
            PickLetter(-1, out);
            break;
        case SDL_CONTROLLER_BUTTON_DPAD_RIGHT:
        case SDL_CONTROLLER_BUTTON_A:
            letter_ = -1;
            break;
        case SDL_CONTROLLER_BUTTON_DPAD_LEFT:
            letter_ = -1;
            Key(VK_BACK, 8, out);
            break;
        case SDL_CONTROLLER_BUTTON_START:
            letter_ = -1;
            Key(VK_RETURN, 13, out);
            break;
        case SDL_CONTROLLER_BUTTON_B:
        case SDL_CONTROLLER_BUTTON_BACK:
            Key(VK_ESCAPE, 27, out);
            break;
        default:
            break;
    }
}

void TSdlPads::PickLetter(int direction, std::vector<InputEvent>& out) {
    if (letter_ < 0) {
        letter_ = direction > 0 ? 0 : LetterZ;
    } else {
        // The name entry has no "change a letter": take it back and type the next.
        Key(VK_BACK, 8, out);
        letter_ = (letter_ + direction + LetterCount) % LetterCount;
    }
    const char c = Letters[letter_];
    // The key codes of letters, digits and the blank are their characters.
    Key(static_cast<std::uint16_t>(c), c, out);
}

void TSdlPads::Velocity(float& dx, float& dy) const {
    dx = dy = 0;
    for (const auto& [id, pad] : open_) {
        float x = StickSpeed(SDL_GameControllerGetAxis(pad, SDL_CONTROLLER_AXIS_LEFTX));
        float y = StickSpeed(SDL_GameControllerGetAxis(pad, SDL_CONTROLLER_AXIS_LEFTY));
        if (x == 0 && y == 0 && !nameEntry_) {
            x = DpadAxis(pad, SDL_CONTROLLER_BUTTON_DPAD_LEFT, SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
            y = DpadAxis(pad, SDL_CONTROLLER_BUTTON_DPAD_UP, SDL_CONTROLLER_BUTTON_DPAD_DOWN);
        }
        if (std::fabs(x) + std::fabs(y) > std::fabs(dx) + std::fabs(dy)) dx = x, dy = y;
    }
}

void TSdlPads::StepCursor(std::int32_t& x, std::int32_t& y, std::int32_t width, std::int32_t height) {
    float dx = 0, dy = 0;
    Velocity(dx, dy);
    if ((dx != 0 || dy != 0) && !steering_) steering_ = takeOver_ = true;
    if (!steering_ || width <= 0 || height <= 0) return;
    if (takeOver_) {
        x_ = static_cast<float>(x);
        y_ = static_cast<float>(y);
        takeOver_ = false;
    }
    x_ = std::clamp(x_ + dx, 0.0f, static_cast<float>(width - 1));
    y_ = std::clamp(y_ + dy, 0.0f, static_cast<float>(height - 1));
    x = static_cast<std::int32_t>(std::lround(x_));
    y = static_cast<std::int32_t>(std::lround(y_));
}
