// SDL events to input events.
#include "sdl_input.h"

#include <optional>

#include "infra/cp1252.h"

namespace {

std::uint16_t VirtualKey(SDL_Keycode key) {
    if (key >= SDLK_a && key <= SDLK_z) return static_cast<std::uint16_t>('A' + (key - SDLK_a));
    if (key >= SDLK_0 && key <= SDLK_9) return static_cast<std::uint16_t>('0' + (key - SDLK_0));
    if (key >= SDLK_F1 && key <= SDLK_F12) return static_cast<std::uint16_t>(VK_F1 + (key - SDLK_F1));
    switch (key) {
        case SDLK_BACKSPACE:
            return VK_BACK;
        case SDLK_TAB:
            return VK_TAB;
        case SDLK_RETURN:
        case SDLK_KP_ENTER:
            return VK_RETURN;
        case SDLK_LSHIFT:
        case SDLK_RSHIFT:
            return VK_SHIFT;
        case SDLK_LCTRL:
        case SDLK_RCTRL:
            return VK_CONTROL;
        case SDLK_LALT:
        case SDLK_RALT:
            return VK_MENU;
        case SDLK_PAUSE:
            return VK_PAUSE;
        case SDLK_ESCAPE:
            return VK_ESCAPE;
        case SDLK_SPACE:
            return VK_SPACE;
        case SDLK_PAGEUP:
            return VK_PRIOR;
        case SDLK_PAGEDOWN:
            return VK_NEXT;
        case SDLK_END:
            return VK_END;
        case SDLK_HOME:
            return VK_HOME;
        case SDLK_LEFT:
            return VK_LEFT;
        case SDLK_UP:
            return VK_UP;
        case SDLK_RIGHT:
            return VK_RIGHT;
        case SDLK_DOWN:
            return VK_DOWN;
        case SDLK_INSERT:
            return VK_INSERT;
        case SDLK_DELETE:
            return VK_DELETE;
        default:
            return 0;
    }
}

TShiftState ShiftOf(Uint16 mod) {
    TShiftState s;
    s.Shift = (mod & KMOD_SHIFT) != 0;
    s.Ctrl = (mod & KMOD_CTRL) != 0;
    s.Alt = (mod & KMOD_ALT) != 0;
    return s;
}

// Keys whose character never arrives as text input.
char ControlCharacter(std::uint16_t vk) {
    switch (vk) {
        case VK_RETURN:
            return 13;
        case VK_BACK:
            return 8;
        case VK_ESCAPE:
            return 27;
        case VK_TAB:
            return 9;
        default:
            return 0;
    }
}

TMouseButton ButtonOf(Uint8 button) {
    if (button == SDL_BUTTON_RIGHT) return TMouseButton::mbRight;
    if (button == SDL_BUTTON_MIDDLE) return TMouseButton::mbMiddle;
    return TMouseButton::mbLeft;
}

// The window events the game screen hears of; nothing for the others.
std::optional<InputKind> WindowEventKind(Uint8 windowEvent) {
    switch (windowEvent) {
        case SDL_WINDOWEVENT_CLOSE:
            return InputKind::CloseRequest;
        case SDL_WINDOWEVENT_EXPOSED:
            return InputKind::Expose;
        case SDL_WINDOWEVENT_FOCUS_GAINED:
            return InputKind::Activate;
        case SDL_WINDOWEVENT_FOCUS_LOST:
            return InputKind::Deactivate;
        default:
            return std::nullopt;
    }
}

}  // namespace

std::vector<InputEvent> TranslateSdlEvent(const SDL_Event& event) {
    std::vector<InputEvent> out;
    InputEvent e;
    switch (event.type) {
        case SDL_KEYDOWN: {
            e.Kind = InputKind::KeyDown;
            e.Key = VirtualKey(event.key.keysym.sym);
            e.Shift = ShiftOf(event.key.keysym.mod);
            if (e.Key == 0) break;
            out.push_back(e);
            if (const char c = ControlCharacter(e.Key)) {
                e.Kind = InputKind::KeyPress;
                e.Char = c;
                out.push_back(e);
            }
            break;
        }
        case SDL_TEXTINPUT:
            for (char c : Utf8ToCp1252(event.text.text)) {
                e.Kind = InputKind::KeyPress;
                e.Char = c;
                out.push_back(e);
            }
            break;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP:
            e.Kind = event.type == SDL_MOUSEBUTTONDOWN ? InputKind::MouseDown : InputKind::MouseUp;
            e.Button = ButtonOf(event.button.button);
            e.Shift = ShiftOf(SDL_GetModState());
            e.X = event.button.x;
            e.Y = event.button.y;
            out.push_back(e);
            break;
        case SDL_MOUSEWHEEL:
            if (event.wheel.y == 0) break;
            e.Kind = event.wheel.y < 0 ? InputKind::MouseWheelDown : InputKind::MouseWheelUp;
            out.push_back(e);
            break;
        case SDL_MOUSEMOTION:
            e.Kind = InputKind::MouseMove;
            e.X = event.motion.x;
            e.Y = event.motion.y;
            out.push_back(e);
            break;
        case SDL_WINDOWEVENT:
            if (const auto kind = WindowEventKind(event.window.event)) {
                e.Kind = *kind;
                out.push_back(e);
            }
            break;
        case SDL_QUIT:
            e.Kind = InputKind::CloseRequest;
            out.push_back(e);
            break;
        default:
            break;
    }
    return out;
}
