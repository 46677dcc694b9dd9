// Registering sheet surfaces for graphic objects and reading their 8-bit
// alpha masks.
#include <algorithm>
#include <stdexcept>

#include "engine/bitmap_reader.h"
#include "engine/dd_errors.h"
#include "engine/graphic_objects.h"
#include "engine/pictures.h"
#include "engine/screen.h"
#include "infra/file_io.h"
#include "infra/paths.h"

void creatememsurface(const std::string& fileName, std::int32_t& width, std::int32_t& height,
                      bool setColourKey, std::uint32_t caps, TSurfaceRef& surface) {
    auto& surfaces = GORegistry().Surfaces;
    if (surfaces.size() >= static_cast<std::size_t>(MaxSurfaces))
        throw std::runtime_error("Exception raised in creatememsurface: Too many surfaces");
    // The slot is taken before the surface exists, so the numbering stays that
    // of the definition list even when a sheet fails to load.
    surfaces.push_back(TRegisteredSurface{nullptr, nullptr, fileName});
    TSurfaceRef s;
    if (!fileName.empty()) {
        // A missing picture has been logged by the loader; the load ends here
        // rather than leaving sprites on a sheet that does not exist.
        if (!ReloadSurface(fileName, width, height, s))
            throw std::runtime_error("Exception raised in creatememsurface: " + fileName + " not loaded");
    } else {
        NewSurface(DirectDraw, width, height, caps, s);
    }
    surfaces.back().Surface = s;
    surface = s;
    if (setColourKey) {
        const TDDColorKey key{0, 0};
        if (s->SetColorKey(DDCKEY_SRCBLT, &key) != DD_OK) throw std::runtime_error("SetColorKey failed");
    }
}

TAlphaMaskRef LoadAlphaMask(const std::string& fileName, std::int32_t& width, std::int32_t& height) {
    width = height = 0;
    if (!AlphaMasks || !FileExists(fileName)) return nullptr;
    const auto bytes = ReadWholeFile(ResolvePath(fileName));
    if (!bytes) return nullptr;
    const TPicture picture =
        ReadBitmap(std::span(reinterpret_cast<const std::uint8_t*>(bytes->data()), bytes->size()));
    if (picture.BitsPerPixel != 8) throw std::runtime_error("Bitmap isn't 8bpp");
    const auto w = static_cast<std::size_t>(picture.Width), h = static_cast<std::size_t>(picture.Height);
    const std::size_t stride = (w + 3) & ~std::size_t{3};
    auto mask = std::make_shared<TAlphaMask>(stride * h, std::uint8_t{0});
    for (std::size_t row = 0; row < h; ++row)
        std::copy_n(picture.Indices.begin() + static_cast<std::ptrdiff_t>(row * w), w,
                    mask->begin() + static_cast<std::ptrdiff_t>(row * stride));
    width = picture.Width;
    height = picture.Height;
    return mask;
}
