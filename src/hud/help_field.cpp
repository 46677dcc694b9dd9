// The help line: its queue and the fade of each text.
#include "hud/help_field.h"

#include <string>

#include "hud/canvas_fields.h"

namespace {

constexpr std::int32_t HelpWidth = 700;
constexpr std::int32_t HelpHeight = 50;

}  // namespace

Thelpfeld::Thelpfeld() {
    AddBobByName("helpfeld", 0, -1, 0, 0, 0);
    Bob(1)->Layer = 1;
    RestAt(0, 220, -800);
    SetVisible(false);
}

void Thelpfeld::AddText(std::string_view text) {
    if (TextCount >= MaxHelpTexts) return;
    Texts[static_cast<std::size_t>(TextCount)] = std::string(text);
    ++TextCount;
}

void Thelpfeld::SetDelay(std::int32_t steps) {
    Delay = steps;
}

void Thelpfeld::Clear() {
    TextCount = 0;
    SetVisible(false);
    Delay = 0;
}

void Thelpfeld::ShowText(std::string_view text) {
    TSurfaceRef surface = FieldSurface("helpfeld");
    BeginField(surface, HelpWidth, HelpHeight);
    PrintHudText(surface, HelpWidth / 2, 2, std::string(text), HudTextWhite);
    EndField(surface);
    SetVisible(true);
    Phase = 0;
    Bob(1)->Alpha = 0;
}

void Thelpfeld::Step() {
    if (Delay > 0) {
        --Delay;
    } else if (Visible) {
        const std::int32_t p = ++Phase;
        // Fade in over 85 steps, hold, fade out, then a pause before the next text.
        if (p <= 85)
            Bob(1)->Alpha = static_cast<std::uint8_t>(3 * p);
        else if (p <= 300)
            Bob(1)->Alpha = 255;
        else if (p <= 386)
            Bob(1)->Alpha = static_cast<std::uint8_t>(255 - 3 * (p - 301));
        else if (p >= 500) {
            Phase = 0;
            SetVisible(false);
        }
    } else if (TextCount > 0) {
        const std::string first = Texts[0];
        for (std::int32_t i = 1; i < TextCount; ++i)
            Texts[static_cast<std::size_t>(i - 1)] = std::move(Texts[static_cast<std::size_t>(i)]);
        --TextCount;
        ShowText(first);
    }
}
