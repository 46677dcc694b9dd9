// The cave front's editing operations, driven by the cave-editing mode.
#include "world/cave_front.h"

#include "engine/bob.h"
#include "engine/graphic_objects.h"
#include "infra/env_data.h"
#include "infra/log.h"

std::int32_t TFront::FreeSlot() const {
    for (std::int32_t slot = 1; slot <= MaxFrontElements; ++slot)
        if (!Element(slot)) return slot;
    return -1;
}

std::int32_t TFront::ElementAt(std::int32_t mx, std::int32_t my) const {
    const double px = static_cast<double>(mx) + ScrollPos;
    for (std::int32_t slot = 1; slot <= MaxFrontElements; ++slot) {
        const TFrontelement* e = Element(slot);
        if (!e) continue;
        const TBob* b = e->Members[0].Bob;
        const double halfW = b->Width / 2.0, halfH = b->Height / 2.0;
        if (e->BaseX - halfW <= px && px <= e->BaseX + halfW && e->Y - halfH <= my && my <= e->Y + halfH)
            return slot;
    }
    return -1;
}

void TFront::ClickAt(std::int32_t mx, std::int32_t my, std::int32_t type) {
    // Without the Front option the editor shows no front, so it places none.
    if (!Env.FrontOn) return;
    SelectedIndex = ElementAt(mx, my);
    if (SelectedIndex != -1) {
        Selected = true;
        LastMouseX = mx;
        LastMouseY = my;
        return;
    }
    Selected = false;
    const std::int32_t slot = FreeSlot();
    if (slot == -1) {
        if (OnFull) OnFull();
        WriteLog("Sorry, maximale Anzahl von Frontelementen erreicht");
        return;
    }
    auto e = std::make_unique<TFrontelement>(mx + ScrollPos, my, -1, type);
    // Under the cursor from the first frame, not only after the next Move.
    e->SetX(static_cast<float>(mx));
    elements_[static_cast<std::size_t>(slot - 1)] = std::move(e);
    ++Count;
}

void TFront::Release() {
    Selected = false;
}

void TFront::ChangeType(std::int32_t d) {
    TFrontelement* e = SelectedElement();
    if (!e) return;
    std::int32_t t = e->Type + d;
    if (t > FrontTypeCount) t = 1;
    if (t < 1) t = FrontTypeCount;
    const std::int32_t go = GetGOIndex(FrontElementGOName(t));
    e->Type = t;
    e->Bob(1)->SetAnimationOf(go, 0);
}

void TFront::ChangeDepth(double d) {
    TFrontelement* e = SelectedElement();
    if (!e) return;
    const double z = e->Z;
    if ((d < 0 && z > DefaultFrontDepth() - 0.1) || (d > 0 && z < DefaultFrontDepth() + 0.1))
        e->SetZ(static_cast<float>(z + d / 100.0));
}

void TFront::MoveSelected(std::int32_t dx) {
    if (TFrontelement* e = SelectedElement()) e->BaseX += dx;
}

void TFront::DeleteSelected() {
    if (!SelectedElement()) return;
    Selected = false;
    --Count;
    elements_[static_cast<std::size_t>(SelectedIndex - 1)].reset();
}
