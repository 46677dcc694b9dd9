// SDL events reach the game screen's handlers in Windows terms.
#include <gtest/gtest.h>

#include <cstring>

#include "platform/sdl_input.h"

namespace {

SDL_Event KeyDown(SDL_Keycode key, Uint16 mod = 0) {
    SDL_Event e{};
    e.type = SDL_KEYDOWN;
    e.key.keysym.sym = key;
    e.key.keysym.mod = mod;
    return e;
}

}  // namespace

TEST(SdlInput, EnterBackspaceAndEscapeGiveKeyDownThenTheirCharacter) {
    const struct {
        SDL_Keycode key;
        std::uint16_t vk;
        char ch;
    } cases[] = {{SDLK_RETURN, VK_RETURN, 13}, {SDLK_BACKSPACE, VK_BACK, 8}, {SDLK_ESCAPE, VK_ESCAPE, 27}};
    for (const auto& c : cases) {
        const auto events = TranslateSdlEvent(KeyDown(c.key));
        ASSERT_EQ(events.size(), 2u);
        EXPECT_EQ(events[0].Kind, InputKind::KeyDown);
        EXPECT_EQ(events[0].Key, c.vk);
        EXPECT_EQ(events[1].Kind, InputKind::KeyPress);
        EXPECT_EQ(events[1].Char, c.ch);
    }
}

TEST(SdlInput, LettersAndCursorKeysUseVirtualKeyCodes) {
    auto events = TranslateSdlEvent(KeyDown(SDLK_p, KMOD_LCTRL));
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].Key, 'P');
    EXPECT_TRUE(events[0].Shift.Ctrl);
    EXPECT_EQ(TranslateSdlEvent(KeyDown(SDLK_UP))[0].Key, VK_UP);
    EXPECT_EQ(TranslateSdlEvent(KeyDown(SDLK_DELETE))[0].Key, VK_DELETE);
    EXPECT_TRUE(TranslateSdlEvent(KeyDown(SDLK_CAPSLOCK)).empty());
}

TEST(SdlInput, TypedTextArrivesAsWindows1252Characters) {
    SDL_Event e{};
    e.type = SDL_TEXTINPUT;
    std::strcpy(e.text.text, "\xC3\xA9t\xE2\x82\xAC");
    const auto events = TranslateSdlEvent(e);
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(events[0].Char, '\xE9');
    EXPECT_EQ(events[1].Char, 't');
    EXPECT_EQ(events[2].Char, '\x80');
}

TEST(SdlInput, MouseWheelAndTheWindowsHappeningsMapOneToOne) {
    SDL_Event e{};
    e.type = SDL_MOUSEBUTTONDOWN;
    e.button.button = SDL_BUTTON_LEFT;
    e.button.x = 12;
    e.button.y = 34;
    auto events = TranslateSdlEvent(e);
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].Kind, InputKind::MouseDown);
    EXPECT_EQ(events[0].X, 12);
    e = {};
    e.type = SDL_MOUSEWHEEL;
    e.wheel.y = -1;
    EXPECT_EQ(TranslateSdlEvent(e)[0].Kind, InputKind::MouseWheelDown);
    e = {};
    e.type = SDL_WINDOWEVENT;
    const std::pair<Uint8, InputKind> window[] = {{SDL_WINDOWEVENT_CLOSE, InputKind::CloseRequest},
                                                  {SDL_WINDOWEVENT_EXPOSED, InputKind::Expose},
                                                  {SDL_WINDOWEVENT_FOCUS_GAINED, InputKind::Activate},
                                                  {SDL_WINDOWEVENT_FOCUS_LOST, InputKind::Deactivate}};
    for (const auto& [sdl, kind] : window) {
        e.window.event = sdl;
        events = TranslateSdlEvent(e);
        ASSERT_EQ(events.size(), 1u);
        EXPECT_EQ(events[0].Kind, kind);
    }
    e.window.event = SDL_WINDOWEVENT_MOVED;
    EXPECT_TRUE(TranslateSdlEvent(e).empty());
}
