// One piece of the cave front: a single screen-space sprite.
#include "world/cave_front.h"

#include "engine/bob.h"

TFrontelement::TFrontelement(std::int32_t baseX, std::int32_t y, std::int32_t z, std::int32_t type)
    : BaseX(baseX), Type(type) {
    AddBobByName(FrontElementGOName(type), 0, -1, 0, 0, 0);
    TBob* b = Bob(1);
    // The front is painted flat at screen positions; its depth only decides
    // which pieces overlap which sprites.
    b->ScreenMode = true;
    b->Project = false;
    b->Centred = true;
    SetY(static_cast<float>(y));
    SetZ(z == -1 ? static_cast<float>(DefaultFrontDepth()) : static_cast<float>(z));
}
