// Software surfaces: page-aligned pixel memory, locks, colour keys, Blt and
// the lost state. The stretching copy uses the same 16.16 stepping as the blends.
#include "engine/surface.h"

#include <cstdlib>
#include <cstring>
#include <new>

#include <sys/mman.h>

#include "engine/pixel_access.h"

namespace {

constexpr std::size_t kPageSize = 4096;
constexpr std::uint32_t kMaxSurfaceDimension = 32768;

// Pixel memory comes straight from the system as zero pages, which take no
// memory until written: a screen-sized surface that is only partly drawn, or
// not at all, costs only what is drawn. The sanitizer build keeps the heap,
// whose guard zones catch a stray pixel.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kPixelsFromSystem = false;
#else
constexpr bool kPixelsFromSystem = true;
#endif

std::size_t RoundUp(std::size_t value, std::size_t unit) {
    return (value + unit - 1) / unit * unit;
}

std::uint8_t* AllocateZeroPixels(std::size_t bytes) {
    if (kPixelsFromSystem) {
        void* p = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        return p == MAP_FAILED ? nullptr : static_cast<std::uint8_t*>(p);
    }
    auto* p = static_cast<std::uint8_t*>(std::aligned_alloc(kPageSize, bytes));
    if (p) std::memset(p, 0, bytes);
    return p;
}

}  // namespace

void TSurface::PixelDeleter::operator()(std::uint8_t* p) const {
    if (kPixelsFromSystem)
        munmap(p, bytes);
    else
        std::free(p);
}

void TSurface::ClearPixels() {
    const std::size_t bytes = pixels_.get_deleter().bytes;
    // Pages given back to the system read as zero again.
    if (!kPixelsFromSystem || madvise(pixels_.get(), bytes, MADV_DONTNEED) != 0)
        std::memset(pixels_.get(), 0, bytes);
    written_ = false;
}

TSurface::TSurface(std::uint32_t width, std::uint32_t height, const TPixelFormat& format, std::uint32_t caps)
    : width_(width), height_(height), format_(format), caps_(caps) {
    const std::uint32_t bpp = format.BytesPerPixel();
    if (width == 0 || height == 0 || width > kMaxSurfaceDimension || height > kMaxSurfaceDimension ||
        bpp == 0 || bpp > 4)
        throw std::bad_alloc();
    pitch_ = static_cast<std::int32_t>(RoundUp(std::size_t{width} * bpp, 4));
    const std::size_t bytes = RoundUp(static_cast<std::size_t>(pitch_) * height, kPageSize);
    std::uint8_t* p = AllocateZeroPixels(bytes);
    if (!p) throw std::bad_alloc();
    pixels_ = std::unique_ptr<std::uint8_t[], PixelDeleter>(p, PixelDeleter{bytes});
}

TSurface::~TSurface() = default;

HResult TSurface::GetPixelFormat(TPixelFormat& out) const {
    if (out.dwSize != 32) return DDERR_INVALIDPARAMS;
    out = format_;
    return DD_OK;
}

HResult TSurface::GetSurfaceDesc(TSurfaceDesc& out) const {
    out.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | DDSD_PITCH | DDSD_PIXELFORMAT;
    out.dwWidth = width_;
    out.dwHeight = height_;
    out.lPitch = pitch_;
    out.lpSurface = nullptr;
    out.dwCaps = caps_;
    out.ddpfPixelFormat = format_;
    return DD_OK;
}

bool TSurface::RectInside(const TRect& r) const {
    return r.left >= 0 && r.top >= 0 && r.right <= static_cast<std::int32_t>(width_) &&
           r.bottom <= static_cast<std::int32_t>(height_) && r.left < r.right && r.top < r.bottom;
}

HResult TSurface::Lock(const TRect* rect, TSurfaceDesc& out, std::uint32_t) {
    if (lost_) return DDERR_SURFACELOST;
    if (locked_ || dcHeld_) return DDERR_SURFACEBUSY;
    const TRect whole{0, 0, static_cast<std::int32_t>(width_), static_cast<std::int32_t>(height_)};
    const TRect r = rect ? *rect : whole;
    if (!RectInside(r)) return DDERR_INVALIDRECT;
    GetSurfaceDesc(out);
    out.dwWidth = static_cast<std::uint32_t>(r.Width());
    out.dwHeight = static_cast<std::uint32_t>(r.Height());
    out.lpSurface = pixels_.get() + static_cast<std::ptrdiff_t>(r.top) * pitch_ +
                    static_cast<std::ptrdiff_t>(r.left) * format_.BytesPerPixel();
    locked_ = true;
    written_ = true;  // whoever locks may write
    return DD_OK;
}

HResult TSurface::Unlock() {
    if (!locked_) return DDERR_NOTLOCKED;
    locked_ = false;
    return DD_OK;
}

HResult TSurface::GetDC(TSurfaceDesc& out) {
    if (dcHeld_) return DDERR_DCALREADYCREATED;
    const HResult hr = Lock(nullptr, out);
    if (hr != DD_OK) return hr;
    locked_ = false;
    dcHeld_ = true;
    return DD_OK;
}

HResult TSurface::ReleaseDC() {
    if (!dcHeld_) return DDERR_NOTLOCKED;
    dcHeld_ = false;
    return DD_OK;
}

HResult TSurface::SetColorKey(std::uint32_t flags, const TDDColorKey* key) {
    if (flags != DDCKEY_SRCBLT) return DDERR_INVALIDPARAMS;
    if (lost_) return DDERR_SURFACELOST;
    hasKey_ = key != nullptr;
    if (key) key_ = *key;
    return DD_OK;
}

HResult TSurface::GetColorKey(std::uint32_t flags, TDDColorKey& out) const {
    if (flags != DDCKEY_SRCBLT) return DDERR_INVALIDPARAMS;
    if (!hasKey_) return DDERR_NOCOLORKEY;
    out = key_;
    return DD_OK;
}

HResult TSurface::Restore() {
    if (!lost_) return DD_OK;
    if (restoreFails_) return DDERR_WRONGMODE;
    ClearPixels();
    lost_ = false;
    return DD_OK;
}

HResult TSurface::ColorFill(const TRect& r, std::uint32_t colour) {
    // Black on a surface still all black changes nothing, and leaves its
    // memory unused.
    if (colour == 0 && !written_) return DD_OK;
    written_ = true;
    const std::uint32_t bpp = format_.BytesPerPixel();
    for (std::int32_t y = r.top; y < r.bottom; ++y) {
        std::uint8_t* row =
            pixels_.get() + static_cast<std::ptrdiff_t>(y) * pitch_ + std::ptrdiff_t{r.left} * bpp;
        FillPixels(row, static_cast<std::uint32_t>(r.Width()), bpp, colour);
    }
    return DD_OK;
}

HResult TSurface::Blt(const TRect* destRect, TSurface* source, const TRect* srcRect, std::uint32_t flags,
                      const TDDBltFx* fx) {
    if (lost_ || (source && source->lost_)) return DDERR_SURFACELOST;
    if (locked_ || dcHeld_ || (source && (source->locked_ || source->dcHeld_))) return DDERR_SURFACEBUSY;
    const TRect dr = destRect
                         ? *destRect
                         : TRect{0, 0, static_cast<std::int32_t>(width_), static_cast<std::int32_t>(height_)};
    if (!RectInside(dr)) return DDERR_INVALIDRECT;
    if (flags & DDBLT_COLORFILL) {
        if (!fx || fx->dwSize != 100) return DDERR_INVALIDPARAMS;
        return ColorFill(dr, fx->dwFillColor);
    }
    if (!source) return DDERR_INVALIDPARAMS;
    const TRect sr = srcRect ? *srcRect
                             : TRect{0, 0, static_cast<std::int32_t>(source->width_),
                                     static_cast<std::int32_t>(source->height_)};
    if (!source->RectInside(sr)) return DDERR_INVALIDRECT;
    if (!format_.SameLayout(source->format_)) return DDERR_INVALIDPIXELFORMAT;
    if ((flags & DDBLT_KEYSRC) && !source->hasKey_) return DDERR_NOCOLORKEY;

    const std::uint32_t bpp = format_.BytesPerPixel();
    TPixelRect src{source->pixels_.get(), source->pitch_, sr, bpp};
    // A copy within one surface may overlap: take the source rows first.
    std::vector<std::uint8_t> scratch;
    if (source == this) {
        const std::size_t rowBytes = std::size_t(sr.Width()) * bpp;
        scratch.resize(rowBytes * sr.Height());
        for (std::int32_t y = 0; y < sr.Height(); ++y)
            std::memcpy(scratch.data() + rowBytes * y, src.Row(y), rowBytes);
        src = TPixelRect{scratch.data(), static_cast<std::int32_t>(rowBytes),
                         TRect{0, 0, sr.Width(), sr.Height()}, bpp};
    }
    const TPixelRect dst{pixels_.get(), pitch_, dr, bpp};
    written_ = true;
    const bool keyed = (flags & DDBLT_KEYSRC) != 0;
    StretchCopy(dst, src, bpp, keyed, source->key_);
    return DD_OK;
}

HResult TDirectDraw::CreateSurface(const TSurfaceDesc& desc, TSurfaceRef& out,
                                   std::uint32_t backBufferCount) {
    if (desc.dwSize != 108 || !(desc.dwFlags & DDSD_CAPS)) return DDERR_INVALIDPARAMS;
    const bool primary = (desc.dwCaps & DDSCAPS_PRIMARYSURFACE) != 0;
    std::uint32_t w = displayWidth_, h = displayHeight_;
    if (!primary) {
        if (!(desc.dwFlags & DDSD_WIDTH) || !(desc.dwFlags & DDSD_HEIGHT)) return DDERR_INVALIDPARAMS;
        w = desc.dwWidth;
        h = desc.dwHeight;
        if (w == 0 || h == 0 || w > kMaxSurfaceDimension || h > kMaxSurfaceDimension)
            return DDERR_INVALIDPARAMS;
    }
    const TPixelFormat format = (desc.dwFlags & DDSD_PIXELFORMAT) ? desc.ddpfPixelFormat : format_;
    const std::uint32_t bpp = format.dwRGBBitCount;
    if (bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32) return DDERR_INVALIDPIXELFORMAT;
    try {
        auto surface = std::make_shared<TSurface>(w, h, format, desc.dwCaps);
        if (primary) {
            for (std::uint32_t i = 0; i < backBufferCount && (desc.dwCaps & DDSCAPS_FLIP); ++i)
                surface->Attached().push_back(
                    std::make_shared<TSurface>(w, h, format, DDSCAPS_BACKBUFFER | DDSCAPS_FLIP));
            primary_ = surface;
        }
        out = std::move(surface);
    } catch (const std::bad_alloc&) {
        return DDERR_OUTOFMEMORY;
    }
    return DD_OK;
}

HResult TDirectDraw::EnumSurfaces(std::uint32_t, const EnumCallback& callback) const {
    const TSurfaceRef primary = primary_.lock();
    if (!primary) return DD_OK;
    std::vector<TSurfaceRef> chain{primary};
    chain.insert(chain.end(), primary->Attached().begin(), primary->Attached().end());
    for (const auto& s : chain) {
        TSurfaceDesc desc;
        s->GetSurfaceDesc(desc);
        if (callback(s, desc) != DDENUMRET_OK) break;
    }
    return DD_OK;
}
