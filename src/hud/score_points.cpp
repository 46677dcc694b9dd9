// The score display: the label with the digits field below it.
#include "hud/score_points.h"

#include "engine/graphic_objects.h"
#include "engine/number_paint.h"

TScorepoints::TScorepoints() {
    AddBobByName("score", 0, -1, 0, 0, 0);
    AddBobByName("LeerPoints", 0, -1, 0, 900, 0);
    for (std::int32_t n = 1; n <= 2; ++n) {
        Bob(n)->ScreenMode = true;
        Bob(n)->Project = true;
        Bob(n)->Layer = 1;
    }
    RestAt(5000, -5500, -16000);
    SetVisible(false);
}

void TScorepoints::PaintPoints() {
    // Minus is the condom picture of "Zahlen"; seven characters or more leave the field empty.
    Paintnumbertosurface(Points, 0, GetGOIndex("leerPoints"), GetGOIndex("zahlen"), 2);
}
