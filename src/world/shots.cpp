// The shots pool: firing the lowest free shot, the per-step drive.
#include "world/shots.h"

void TSchuesse::AddSchuss() {
    if (Count >= MaxShots) return;
    Items[static_cast<std::size_t>(Count)] = std::make_unique<TSchuss>(world_);
    ++Count;
}

void TSchuesse::Fire(float x, float y, float z) {
    for (std::int32_t i = 1; i <= Count; ++i)
        if (!Item(i)->Visible) {
            Item(i)->Fire(x, y, z);
            return;
        }
}

void TSchuesse::Move() {
    for (std::int32_t i = 1; i <= Count; ++i) {
        Item(i)->TRBob::Move();
        Item(i)->Step();
    }
}

void TSchuesse::HideAll() {
    for (std::int32_t i = 1; i <= Count; ++i) Item(i)->SetVisible(false);
}
