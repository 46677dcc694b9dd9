// The swarm pool: the kind table, creation, the per-step drive and the hit
// queries of the shots.
#include "world/swarm.h"

#include "engine/graphic_objects.h"
#include "world/bubbles.h"
#include "world/world.h"

namespace {

struct TKindDefinition {
    const char* GOName;
    const char* LevelName;
    std::int32_t HitValue;
    bool Deadly;
    double TrailChance;
};

// Kind 2 is "sperm2" in level files but drawn with the object bubble.
constexpr TKindDefinition KindDefinitions[KindCount] = {
    {"sperm1", "sperm1", 100, false, 0.01}, {"bubble", "sperm2", 80, false, 0.01},
    {"sperm3", "sperm3", 500, false, 0.01}, {"virus1", "virus1", 120, true, 0.1},
    {"virus2", "virus2", 160, true, 0.1},   {"virus3", "virus3", 250, true, 0.1}};

}  // namespace

TSpermien::TSpermien(TWorld& world) : world_(world) {
    for (std::int32_t k = 1; k <= KindCount; ++k) {
        const TKindDefinition& d = KindDefinitions[k - 1];
        KindTable[static_cast<std::size_t>(k)] = {GetGOIndex(d.GOName), d.LevelName, d.HitValue, d.Deadly,
                                                  d.TrailChance};
    }
    KindTableCount = KindCount;
    LoadLevelFile(Lines);
}

TSpermien::~TSpermien() = default;

void TSpermien::AddSperm() {
    if (ItemCount >= MaxSperms) return;
    Items[static_cast<std::size_t>(ItemCount)] = std::make_unique<TSperm>(*this);
    ++ItemCount;
}

void TSpermien::StartLevel() {
    StopAll();
    if (world_.Bubbles) world_.Bubbles->HideAll();
    DemoMode = false;
    MainPointer = 0;
}

void TSpermien::StopAll() {
    FormationPointer = -1;
    MainPointer = -1;
    for (std::int32_t i = 1; i <= ItemCount; ++i) Item(i)->SetVisible(false);
}

void TSpermien::Move() {
    DoScript();
    for (std::int32_t i = 1; i <= ItemCount; ++i) {
        TSperm* s = Item(i);
        if (s->Visible) s->TRBob::Move();
        s->Step();
    }
}

std::int32_t TSpermien::FindSperm(float xmin, float ymin, float xmax, float ymax) {
    for (std::int32_t i = 1; i <= ItemCount; ++i) {
        TSperm* s = Item(i);
        if (!s->Visible || s->Caught) continue;
        const float nose = s->NoseX();
        if (xmin < nose && nose < xmax && ymin < s->Y && s->Y < ymax) return i;
    }
    return -1;
}

void TSpermien::MarkCaught(std::int32_t i) {
    if (i >= 1 && i <= ItemCount) Item(i)->Caught = true;
}

std::int32_t TSpermien::KindOfGO(std::int32_t go) const {
    if (go <= 0) return 0;
    for (std::int32_t k = 1; k <= KindTableCount; ++k)
        if (KindTable[static_cast<std::size_t>(k)].GO == go) return k;
    return 0;
}

std::int32_t TSpermien::KindByName(const std::string& name) const {
    for (std::int32_t k = 1; k <= KindTableCount; ++k)
        if (KindTable[static_cast<std::size_t>(k)].Name == name)
            return KindTable[static_cast<std::size_t>(k)].GO;
    return 0;
}
