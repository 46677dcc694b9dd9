// The standard scene: sheets drawn from integer formulas and a fixed seed, so
// the same build draws the same frame bit for bit on every machine.
#include "standard_scene.h"

#include <algorithm>

#include "engine/pictures.h"
#include "engine/pixel_access.h"
#include "engine/screen.h"

namespace {

class TSceneRandom {
public:
    explicit TSceneRandom(std::uint64_t seed) : state_(seed) {}
    std::uint32_t Next() {
        state_ = state_ * 6364136223846793005ull + 1442695040888963407ull;
        return static_cast<std::uint32_t>(state_ >> 33);
    }
    std::int32_t Range(std::int32_t low, std::int32_t high) {  // inclusive
        return low + static_cast<std::int32_t>(Next() % static_cast<std::uint32_t>(high - low + 1));
    }

private:
    std::uint64_t state_;
};

std::uint32_t Hash(std::uint32_t a, std::uint32_t b, std::uint32_t c) {
    std::uint32_t h = a * 0x9E3779B1u ^ (b + 0x7F4A7C15u) * 0x85EBCA77u ^ c * 0xC2B2AE3Du;
    h ^= h >> 15;
    h *= 0x2C1B3C6Du;
    return h ^ (h >> 13);
}

// Squared distance from the centre, relative to the ellipse: <= 1 << 16 inside.
std::int64_t EllipseDistance(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h) {
    const std::int64_t dx = 2 * x + 1 - w, dy = 2 * y + 1 - h;
    return ((dx * dx * h * h + dy * dy * w * w) << 16) / (std::int64_t{w} * w * h * h);
}

struct TSpriteKind {
    std::int32_t w, h;
};

// Sizes of the game's sheets: enemies, shots and condoms, cave pieces, bubbles.
constexpr TSpriteKind kEnemies[] = {{306, 55}, {308, 58}, {78, 58}, {58, 60}, {87, 68}};
constexpr TSpriteKind kCave[] = {{361, 600}, {153, 600}, {288, 296}, {323, 196}, {273, 109},
                                 {549, 84},  {388, 76},  {195, 96},  {258, 162}, {165, 318}};
constexpr std::int32_t kBubbleSizes[] = {110, 77, 54, 38, 27, 20, 15, 10};

}  // namespace

int TStandardScene::AddSheet(std::int32_t w, std::int32_t h, bool withMask, std::uint32_t seed) {
    TPicture p;
    p.Width = w;
    p.Height = h;
    p.Pixels.resize(std::size_t(w) * h);
    TSceneSheet sheet;
    const std::int32_t stride = (w + 3) & ~3;
    if (withMask) sheet.mask.assign(std::size_t(stride) * h, 0);
    for (std::int32_t y = 0; y < h; ++y)
        for (std::int32_t x = 0; x < w; ++x) {
            const std::int64_t d = EllipseDistance(x, y, w, h);
            const bool hole = Hash(x / 4, y / 4, seed) % 23 == 0;
            if (d > (1 << 16) || hole) continue;
            const std::uint32_t r = 0x30 + (x * 3 + seed * 17) % 0xC0, g = 0x30 + (y * 5 + seed * 29) % 0xC0,
                                b = 0x30 + ((x + y) * 7 + seed) % 0xC0;
            p.Pixels[std::size_t(y) * w + x] = r << 16 | g << 8 | b;
            if (withMask) {
                const std::int64_t f = d < (1 << 14) ? 255 : 255 - ((d - (1 << 14)) * 255 / (3 << 14));
                sheet.mask[std::size_t(y) * stride + x] =
                    static_cast<std::uint8_t>(std::clamp<std::int64_t>(f, 0, 255));
            }
        }
    NewSurface(DirectDraw, w, h, DDSCAPS_SYSTEMMEMORY, sheet.surface);
    PictureToSurface(p, *sheet.surface);
    const TDDColorKey key{0, 0};
    sheet.surface->SetColorKey(DDCKEY_SRCBLT, &key);
    sheets_.push_back(std::move(sheet));
    return static_cast<int>(sheets_.size()) - 1;
}

TStandardScene::TStandardScene(const TPixelFormat& format) {
    ResetScreenGlobals();
    DirectDraw = std::make_shared<TDirectDraw>(format);
    for (int i = 0; i < 2; ++i) {
        TSurfaceRef s;
        NewSurface(DirectDraw, 800, 600, DDSCAPS_SYSTEMMEMORY, s);
        ScreenSurfaces.push_back(s);
    }
    NewSurface(DirectDraw, 800, 600, 0, BackImageSurface);
    NewSurface(DirectDraw, 800, 600, DDSCAPS_SYSTEMMEMORY, BlendSurface);
    Transparency = true;
    AlphaMasks = true;
    TPicture back;
    back.Width = 800;
    back.Height = 600;
    back.Pixels.resize(800 * 600);
    for (std::uint32_t y = 0; y < 600; ++y)
        for (std::uint32_t x = 0; x < 800; ++x)
            back.Pixels[y * 800 + x] =
                (0x80 + x * 0x40 / 800) << 16 | (0x20 + y * 0x30 / 600) << 8 | (Hash(x, y, 1) & 0x3F);
    PictureToSurface(back, *BackImageSurface);
    AddSprites();
}

TStandardScene::~TStandardScene() {
    ResetScreenGlobals();
}

void TStandardScene::AddSprites() {
    TSceneRandom rnd(20261207);
    std::vector<int> bubbles, bubbleMasks, enemies, cave;
    for (std::int32_t s : kBubbleSizes) bubbles.push_back(AddSheet(s, s, false, s));
    for (std::int32_t s : kBubbleSizes) bubbleMasks.push_back(AddSheet(s, s, true, s + 1));
    for (const auto& k : kEnemies) enemies.push_back(AddSheet(k.w, k.h, false, k.w));
    for (const auto& k : kCave) cave.push_back(AddSheet(k.w, k.h, false, k.h));
    const int shot = AddSheet(24, 79, false, 3), condom = AddSheet(303, 75, false, 4),
              abroll = AddSheet(311, 81, false, 5);
    const int points = AddSheet(56, 20, false, 6), torpedo = AddSheet(162, 40, true, 7);

    auto add = [&](int sheet, std::int32_t w, std::int32_t h, bool keyed, std::uint8_t alpha, bool masked) {
        const TSurface& s = *sheets_[sheet].surface;
        TSceneSprite sp{
            sheet,
            Bounds(0, 0, static_cast<std::int32_t>(s.Width()), static_cast<std::int32_t>(s.Height())),
            rnd.Range(-w / 2, 800 - w / 2),
            rnd.Range(-h / 2, 600 - h / 2),
            w,
            h,
            keyed,
            alpha,
            masked,
            static_cast<float>(rnd.Range(-3000, -100))};
        sprites_.push_back(sp);
    };
    for (int i = 0; i < 300; ++i) {
        const int k = rnd.Range(0, 7);
        const std::int32_t s = kBubbleSizes[k];
        if (i % 3 == 0)
            add(bubbles[k], s, s, true, static_cast<std::uint8_t>(rnd.Range(40, 220)), false);
        else if (i % 3 == 1)
            add(bubbleMasks[k], s, s, true, 255, true);
        else
            add(bubbles[k], s, s, true, 255, false);
    }
    for (int i = 0; i < 50; ++i) {
        const int k = rnd.Range(0, 4);
        const std::int32_t scale = rnd.Range(70, 200);  // percent
        add(enemies[k], kEnemies[k].w * scale / 100, kEnemies[k].h * scale / 100, true, 255, false);
    }
    for (int i = 0; i < 70; ++i) {
        const int kind = i % 4 == 0 ? condom : i % 4 == 1 && i % 8 == 1 ? abroll : shot;
        const TSurface& s = *sheets_[kind].surface;
        add(kind, static_cast<std::int32_t>(s.Width()), static_cast<std::int32_t>(s.Height()), true, 255,
            false);
    }
    for (int i = 0; i < 30; ++i) add(points, 56, 20, true, static_cast<std::uint8_t>(255 - 8 * i), false);
    for (int i = 0; i < 30; ++i) {
        const int k = rnd.Range(0, 9);
        add(cave[k], kCave[k].w, kCave[k].h, true, 255, false);
        // Cave pieces hang from the top or stand on the bottom edge, cut by it.
        TSceneSprite& sp = sprites_.back();
        sp.y = i % 2 ? -kCave[k].h / 3 : 600 - 2 * kCave[k].h / 3;
        sp.z = -900;
    }
    for (int i = 0; i < 20; ++i) add(torpedo, 162, 40, true, 255, true);
    std::stable_sort(sprites_.begin(), sprites_.end(),
                     [](const TSceneSprite& a, const TSceneSprite& b) { return a.z < b.z; });
}

void TStandardScene::Render() const {
    const TSurfaceRef dest = SecondarySurface();
    const std::int32_t s = scroll_;
    BlitClipped(BackImageSurface, 0, 0, 800 - s, 600, dest, s, 0, false, 0, 0, ClipRight, ClipBottom);
    BlitClipped(BackImageSurface, 800 - s, 0, s, 600, dest, 0, 0, false, 0, 0, ClipRight, ClipBottom);
    for (const TSceneSprite& sp : sprites_) {
        const TSceneSheet& sheet = sheets_[sp.sheet];
        StretchBlitClipped(sheet.surface, sp.masked ? &sheet.mask : nullptr, sp.source.left, sp.source.top,
                           sp.source.Width(), sp.source.Height(), dest, sp.x, sp.y, sp.width, sp.height,
                           sp.keyed, sp.alpha, 0, 0, ClipRight, ClipBottom);
    }
}

std::uint64_t TStandardScene::Checksum() const {
    const TSurfaceRef s = SecondarySurface();
    TSurfaceLock lock(*s);
    std::uint64_t h = 14695981039346656037ull;
    const std::size_t rowBytes = std::size_t(lock.Width()) * lock.Format().BytesPerPixel();
    for (std::uint32_t y = 0; y < lock.Height(); ++y) {
        const std::uint8_t* row = lock.Bits() + static_cast<std::ptrdiff_t>(y) * lock.Pitch();
        for (std::size_t i = 0; i < rowBytes; ++i) h = (h ^ row[i]) * 1099511628211ull;
    }
    return h;
}

std::uint64_t TStandardScene::PixelsWritten() const {
    std::uint64_t n = 800 * 600;
    for (const TSceneSprite& sp : sprites_) {
        const std::int64_t w = std::min(sp.x + sp.width, 800) - std::max(sp.x, 0);
        const std::int64_t h = std::min(sp.y + sp.height, 600) - std::max(sp.y, 0);
        if (w > 0 && h > 0) n += static_cast<std::uint64_t>(w * h);
    }
    return n;
}
