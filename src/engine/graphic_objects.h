// Graphic objects: the registries of sheet surfaces, sprites and GOs that the
// animation definitions fill, and frame lookup.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/ani_sounds.h"
#include "engine/definition_text.h"
#include "engine/pixel_ops.h"
#include "engine/surface.h"

// Capacities of the registries.
constexpr int MaxSurfaces = 999;
constexpr int MaxSprites = 2500;
constexpr int MaxGOs = 400;
constexpr int MaxAnimations = 101;
constexpr int MaxFrameTableEntries = 1000;

// Masks are shared by a sheet and all its sprites.
using TAlphaMaskRef = std::shared_ptr<const TAlphaMask>;

// A registered sheet surface, its mask and the file it was loaded from
// (empty for a blank sheet), so that a lost sheet can be reloaded.
struct TRegisteredSurface {
    TSurfaceRef Surface;
    TAlphaMaskRef Mask;
    std::string FileName;
};

// One frame picture: a rectangle of a registered sheet.
struct TSprite {
    int SurfaceNumber = 0;  // 1-based registered surface
    TAlphaMaskRef Mask;
    std::int32_t X = 0, Y = 0, W = 0, H = 0;
};

struct TGraphicObject {
    std::string Name;  // upper case
    // Per animation: frame count, frame delay, second timing value, then the
    // frame numbers (1-based pictures of this GO), all 16-bit.
    std::vector<std::uint16_t> FrameTable;
    std::array<std::int32_t, MaxAnimations> AnimationStart{};
    std::int32_t AnimationCount = 0;
    std::array<std::unique_ptr<TAniSoundarray>, MaxAnimations> Sounds;
    std::uint16_t FirstSprite = 0;
    std::int32_t Pictures = 0;
};

// The registries, 1-based as the numbers the game passes around.
struct TGORegistry {
    std::vector<TRegisteredSurface> Surfaces;  // entry n-1 is surface n
    int SurfaceCount = 0;                      // also counts refused registrations
    std::vector<TSprite> Sprites;              // entry n-1 is sprite n
    std::vector<TGraphicObject> GOs;           // entry n-1 is GO n
};
TGORegistry& GORegistry();

// Loading.
void LoadGOs(const std::vector<std::string>& lines);
std::int32_t LoadGO(const std::vector<std::string>& lines, const std::string& name);
void LoadAnimations(const std::vector<std::string>& lines, const std::string& name, std::int32_t pictures);
void creatememsurface(const std::string& fileName, std::int32_t& width, std::int32_t& height,
                      bool setColourKey, std::uint32_t caps, TSurfaceRef& surface);
// The 8-bit mask in a bitmap file, or none when masks are off or the file is
// missing; width and height receive the picture's size.
TAlphaMaskRef LoadAlphaMask(const std::string& fileName, std::int32_t& width, std::int32_t& height);
void FreeGOs();

// Lookup.
std::int32_t GetGOIndex(const std::string& name);
// Sprite of the frame at a 0-based position of an animation of a GO; 0 (no
// sprite) for anything that lies outside the GO's frame table.
std::int32_t SpriteOf(std::int32_t go, std::int32_t animation, std::int32_t position);
// The sprite behind a number, or nothing outside 1..sprite count.
const TSprite* SpriteAt(std::int32_t sprite);
// The sheet surface a sprite is cut from.
TSurfaceRef SpriteSurface(const TSprite& sprite);
// Frame count and delay of an animation, nothing outside the GO's table.
struct TAnimationHeader {
    std::uint16_t Frames;
    std::uint16_t Delay;
};
std::optional<TAnimationHeader> AnimationHeader(std::int32_t go, std::int32_t animation);
const TGraphicObject* GOAt(std::int32_t go);
