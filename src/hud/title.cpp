// The title pictures and the title-screen loop of prompt and table.
#include "hud/title.h"

#include "hud/displays.h"

namespace {

void ScreenBob(TRBob& body, std::int32_t n) {
    body.Bob(n)->ScreenMode = true;
    body.Bob(n)->Project = true;
}

// Target X stays, Y and Z hold the current place.
void GlideTo(TRBob& body, float targetX) {
    body.TargetX = targetX;
    body.TargetY = body.Y;
    body.TargetZ = body.Z;
}

}  // namespace

Ttitle::Ttitle() {
    AddBobByName("playandwin", 0, -1, 0, -2660, 0);
    AddBobByName("vantorel", 0, -1, 0, -2060, 0);
    AddBobByName("titlevelmora", 0, -1, -2690, 2720, 0);
    AddBobByName("kbchlogo", 0, -1, 2520, 2640, 0);
    for (std::int32_t n = 1; n <= 4; ++n) ScreenBob(*this, n);
    RestAt(0, 0, -8000);
    SetVisible(true);
}

void Ttitle::Step(TAnzeige& displays) {
    if (!Visible) return;
    Tpressbutton& prompt = *displays.PressButton;
    const float promptW = prompt.Bob(1)->Width;
    switch (TitleStep) {
        case 0:  // the prompt glides in from the left edge to the centre
            prompt.SetX((-400 - promptW / 2) * 2);
            prompt.SetY(0);
            prompt.SetZ(-1600);
            GlideTo(prompt, 0);
            TitleCounter = 150;
            prompt.SetVisible(true);
            ++TitleStep;
            break;
        case 1:
        case 5:
            if (--TitleCounter <= 0) ++TitleStep;
            break;
        case 2:  // and out to the right
            GlideTo(prompt, (promptW / 2 + 400 + 1000) * 2);
            TitleCounter = 50;
            ++TitleStep;
            break;
        case 3:
            if (--TitleCounter <= 0) {
                for (std::int32_t r = 1; r <= HSRows; ++r) {
                    THSEntry& row = displays.HSEntry(r);
                    row.PaintEntry();
                    row.SetX(-400 - row.PictureWidth() / 2);
                    row.SetY(static_cast<float>(TAnzeige::HSRowY(r)));
                    row.SetZ(-800);
                    GlideTo(row, 0);
                    row.SetVisible(false);
                }
                ++TitleStep;
            }
            break;
        case 4:
        case 6:
            StepRows(displays);
            break;
        case 7:
            if (--TitleCounter <= 0) {
                for (std::int32_t r = 1; r <= HSRows; ++r) displays.HSEntry(r).SetVisible(false);
                TitleStep = 0;
            }
            break;
        default:
            TitleStep = 0;
            break;
    }
}

void Ttitle::StepRows(TAnzeige& displays) {
    // One row every 6 steps: in from the left (step 4) or out to the right (step 6).
    ++TitleCounter;
    const std::int32_t a = TitleCounter / 6;
    if (a < 1 || a > HSRows) return;
    THSEntry& row = displays.HSEntry(a);
    if (TitleStep == 4)
        row.SetVisible(true);
    else
        row.TargetX = row.PictureWidth() / 2 + 400 + 1000;
    if (a == HSRows) {
        TitleCounter = TitleStep == 4 ? 250 : 50;
        ++TitleStep;
    }
}
