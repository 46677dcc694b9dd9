// The cave front: loading the layout, showing and scrolling it, saving it.
#include "world/cave_front.h"

#include <cmath>
#include <limits>

#include "infra/env_data.h"
#include "infra/errors.h"
#include "infra/file_io.h"
#include "infra/paths.h"
#include "world/world.h"

namespace {

// Nearest integer, halves to even, kept inside the record's range.
std::int32_t RoundToRecord(double v) {
    constexpr double lo = std::numeric_limits<std::int32_t>::min();
    constexpr double hi = std::numeric_limits<std::int32_t>::max();
    if (std::isnan(v)) return 0;
    const double r = std::nearbyint(v);
    if (r <= lo) return std::numeric_limits<std::int32_t>::min();
    if (r >= hi) return std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(r);
}

bool IsElementRecord(const TFrontRecord& r) {
    return r.BaseX != -1 && r.Type >= 1 && r.Type <= FrontTypeCount;
}

TFrontRecord RecordOf(const TFrontelement& e) {
    TFrontRecord r{RoundToRecord(e.BaseX), RoundToRecord(e.Y), RoundToRecord(e.Z), e.Type};
    // BaseX -1 is the file's mark of an empty slot: an element that stands
    // exactly there would vanish on the next load, so it goes one pixel left.
    if (r.BaseX == -1) r.BaseX = -2;
    return r;
}

}  // namespace

TFront::TFront(const TGameScreenFields& screen) : screen_(screen) {
    FrontRecords = TFrontRecords();
    if (!Env.FrontOn) return;
    if (FileExists(FrontFile)) {
        const std::string path = ResolvePath(FrontFile);
        const auto bytes = ReadWholeFile(path);
        if (!bytes) throw EInOutError("Datei " + path + " kann nicht gelesen werden");
        FrontRecords = DecodeFrontRecords(*bytes);
    }
    for (const TFrontRecord& r : FrontRecords) {
        if (!IsElementRecord(r)) continue;
        elements_[static_cast<std::size_t>(Count)] =
            std::make_unique<TFrontelement>(r.BaseX, r.Y, r.Z, r.Type);
        ++Count;
    }
}

TFront::~TFront() = default;

TFrontelement* TFront::Element(std::int32_t slot) const {
    if (slot < 1 || slot > MaxFrontElements) return nullptr;
    return elements_[static_cast<std::size_t>(slot - 1)].get();
}

TFrontelement* TFront::SelectedElement() const {
    return Selected ? Element(SelectedIndex) : nullptr;
}

void TFront::HideAll() {
    for (auto& e : elements_)
        if (e) e->SetVisible(false);
}

void TFront::ShowAll() {
    for (auto& e : elements_) {
        if (!e) continue;
        e->SetVisible(true);
        e->SetX(static_cast<float>(e->BaseX - ScrollPos));
    }
}

void TFront::Move() {
    if (!Env.FrontOn) return;
    if (TFrontelement* e = SelectedElement()) {
        e->BaseX += screen_.MouseX - LastMouseX;
        e->SetY(e->Y + static_cast<float>(screen_.MouseY - LastMouseY));
        LastMouseX = screen_.MouseX;
        LastMouseY = screen_.MouseY;
    }
    for (auto& e : elements_)
        if (e && e->Visible) e->SetX(static_cast<float>(e->BaseX - ScrollPos));
}

void TFront::SaveFront() {
    if (!Env.FrontOn) return;
    TFrontRecords records;
    for (std::size_t i = 0; i < elements_.size(); ++i)
        if (elements_[i]) records[i] = RecordOf(*elements_[i]);
    EnterProgramDir();
    EnsureSpsDir();
    WriteFileAtomically(ResolvePath(FrontFile), EncodeFrontRecords(records));
    FrontRecords = records;
}
