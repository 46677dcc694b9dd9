// Finding graphic objects, frames and sprites by number, the animation sounds,
// and releasing the registries.
#include <stdexcept>

#include "engine/graphic_objects.h"

const TGraphicObject* GOAt(std::int32_t go) {
    const auto& gos = GORegistry().GOs;
    if (go < 1 || static_cast<std::size_t>(go) > gos.size()) return nullptr;
    return &gos[static_cast<std::size_t>(go - 1)];
}

const TSprite* SpriteAt(std::int32_t sprite) {
    const auto& sprites = GORegistry().Sprites;
    if (sprite < 1 || static_cast<std::size_t>(sprite) > sprites.size()) return nullptr;
    return &sprites[static_cast<std::size_t>(sprite - 1)];
}

TSurfaceRef SpriteSurface(const TSprite& sprite) {
    const auto& surfaces = GORegistry().Surfaces;
    if (sprite.SurfaceNumber < 1 || static_cast<std::size_t>(sprite.SurfaceNumber) > surfaces.size())
        return nullptr;
    return surfaces[static_cast<std::size_t>(sprite.SurfaceNumber - 1)].Surface;
}

std::int32_t GetGOIndex(const std::string& name) {
    const std::string wanted = UpperText(name);
    const auto& gos = GORegistry().GOs;
    for (std::size_t i = 0; i < gos.size(); ++i)
        if (gos[i].Name == wanted) return static_cast<std::int32_t>(i) + 1;
    throw std::runtime_error("Animation not found: " + wanted);
}

std::optional<TAnimationHeader> AnimationHeader(std::int32_t go, std::int32_t animation) {
    const TGraphicObject* g = GOAt(go);
    if (!g || animation < 0 || animation >= g->AnimationCount) return std::nullopt;
    const auto start = static_cast<std::size_t>(g->AnimationStart[static_cast<std::size_t>(animation)]);
    return TAnimationHeader{g->FrameTable[start], g->FrameTable[start + 1]};
}

std::int32_t SpriteOf(std::int32_t go, std::int32_t animation, std::int32_t position) {
    const auto header = AnimationHeader(go, animation);
    if (!header || position < 0 || position >= header->Frames) return 0;
    const TGraphicObject& g = *GOAt(go);
    const auto start = static_cast<std::size_t>(g.AnimationStart[static_cast<std::size_t>(animation)]);
    const std::int32_t picture = g.FrameTable[start + 3 + static_cast<std::size_t>(position)];
    // A GO without pictures has no frame to show (its frame numbers clamp to 0).
    if (picture < 1 || picture > g.Pictures) return 0;
    return g.FirstSprite + picture;
}

void AttachAniSounds(const AniSoundFinder& find) {
    for (TGraphicObject& go : GORegistry().GOs)
        for (auto& table : go.Sounds) {
            if (!table) continue;
            for (TAniSoundSlot& slot : table->Slots)
                if (!slot.FileName.empty()) slot.Sound = find ? find(slot.FileName) : nullptr;
        }
}

void PlayAniSounds(std::int32_t go, std::int32_t animation, std::int32_t position) {
    const TGraphicObject* g = GOAt(go);
    if (!g || animation < 0 || animation >= MaxAnimations) return;
    const auto& table = g->Sounds[static_cast<std::size_t>(animation)];
    if (!table) return;
    for (const TAniSoundSlot& slot : table->Slots) {
        if (slot.FileName.empty() || !slot.Sound) continue;
        for (const TAniSoundKey& key : slot.Keys)
            if (key.Position == position) slot.Sound->Play();
    }
}

void FreeGOs() {
    TGORegistry& reg = GORegistry();
    reg.Surfaces.clear();
    reg.Sprites.clear();
    while (!reg.GOs.empty()) reg.GOs.pop_back();
}
