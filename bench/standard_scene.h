// The standard scene of the drawing benchmark: a scrolled back image and 500
// seeded sprites of the game's kinds and sizes, drawn in depth order through
// the engine's blits. The frame test pins its checksum.
#pragma once

#include <cstdint>
#include <vector>

#include "engine/pixel_ops.h"
#include "engine/surface.h"

struct TSceneSheet {
    TSurfaceRef surface;
    TAlphaMask mask;  // empty when the sheet has none
};

struct TSceneSprite {
    int sheet = 0;
    TRect source{};
    std::int32_t x = 0, y = 0, width = 0, height = 0;  // destination top-left and size
    bool keyed = true;
    std::uint8_t alpha = 255;
    bool masked = false;
    float z = 0;
};

// Builds the screen globals (window-mode screen of the format) and the scene;
// the destructor puts the globals back.
class TStandardScene {
public:
    explicit TStandardScene(const TPixelFormat& format);
    ~TStandardScene();
    TStandardScene(const TStandardScene&) = delete;
    TStandardScene& operator=(const TStandardScene&) = delete;

    // One frame into the secondary surface: the back image with scroll, then
    // the sprites far to near.
    void Render() const;
    // FNV-1a over the secondary surface's visible bytes.
    std::uint64_t Checksum() const;
    // Destination pixels the sprites and the back image cover after clipping.
    std::uint64_t PixelsWritten() const;

    const std::vector<TSceneSheet>& Sheets() const { return sheets_; }
    const std::vector<TSceneSprite>& Sprites() const { return sprites_; }
    std::int32_t Scroll() const { return scroll_; }

private:
    int AddSheet(std::int32_t w, std::int32_t h, bool withMask, std::uint32_t seed);
    void AddSprites();

    std::vector<TSceneSheet> sheets_;
    std::vector<TSceneSprite> sprites_;
    std::int32_t scroll_ = 237;
};
