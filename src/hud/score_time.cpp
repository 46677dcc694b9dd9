// The clock display: three screen bobs, the small digits under the label or
// the big centred digits for the last ten seconds.
#include "hud/score_time.h"

#include "engine/graphic_objects.h"
#include "engine/number_paint.h"

namespace {

void ScreenBob(TRBob& body, std::int32_t n, std::int32_t layer) {
    body.Bob(n)->ScreenMode = true;
    body.Bob(n)->Project = true;
    body.Bob(n)->Layer = layer;
}

}  // namespace

TScoretime::TScoretime() {
    AddBobByName("time", 0, -1, 0, 0, 0);
    ScreenBob(*this, 1, 1);
    AddBobByName("LeerZeit", 0, -1, 0, 900, 0);
    ScreenBob(*this, 2, 1);
    AddBobByName("bigtimefeld", 0, -1, 6000, 5500, 0);
    ScreenBob(*this, 3, 0);
    RestAt(-6000, -5500, -16000);
    SetVisible(false);
}

void TScoretime::PaintTime() {
    if (!Visible) return;
    const bool big = Seconds <= 10;
    Bob(1)->Visible = !big;
    Bob(2)->Visible = !big;
    Bob(3)->Visible = big;
    if (big)
        Paintnumbertosurface(Seconds, 0, GetGOIndex("bigtimefeld"), GetGOIndex("bignumbers"), 2);
    else
        Paintnumbertosurface(Seconds, 0, GetGOIndex("leerzeit"), GetGOIndex("zahlen"), 2);
}
