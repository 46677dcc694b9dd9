// Software surfaces with DirectDraw's contract: created with caps, locked for
// the pixels, blitted with or without the source colour key, stretched, filled,
// and lost and restored when the display says so.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "engine/dd_types.h"
#include "infra/resources.h"

class IFontRasterizer;

class TSurface;
// Surfaces are shared by reference; the last reference releases the pixels.
using TSurfaceRef = std::shared_ptr<TSurface>;

class TSurface {
public:
    // A surface of the given size and format. Pixel rows start on a page
    // boundary so that row copies never hit the 4 KiB aliasing trap; the
    // pitch is the row length rounded up to 4 bytes. Raises std::bad_alloc
    // only through TDirectDraw, which turns it into DDERR_OUTOFMEMORY.
    TSurface(std::uint32_t width, std::uint32_t height, const TPixelFormat& format, std::uint32_t caps);
    ~TSurface();
    TSurface(const TSurface&) = delete;
    TSurface& operator=(const TSurface&) = delete;

    std::uint32_t Width() const { return width_; }
    std::uint32_t Height() const { return height_; }
    std::int32_t Pitch() const { return pitch_; }
    std::uint32_t Caps() const { return caps_; }
    const TPixelFormat& PixelFormat() const { return format_; }

    // IDirectDrawSurface::GetPixelFormat.
    HResult GetPixelFormat(TPixelFormat& out) const;
    // IDirectDrawSurface::GetSurfaceDesc: size, pitch, caps and format, no pointer.
    HResult GetSurfaceDesc(TSurfaceDesc& out) const;

    // Lock of the whole surface (rect nullptr) or of a rectangle: fills the
    // first-pixel pointer, pitch, width, height and format. A surface holds
    // one lock at a time; a lost surface cannot be locked.
    HResult Lock(const TRect* rect, TSurfaceDesc& out, std::uint32_t flags = DDLOCK_WAIT);
    HResult Unlock();
    bool IsLocked() const { return locked_; }

    // The drawing context for text output: like a lock of the whole surface,
    // held until ReleaseDC.
    HResult GetDC(TSurfaceDesc& out);
    HResult ReleaseDC();
    bool HasDC() const { return dcHeld_; }

    // The source colour key (DDCKEY_SRCBLT only).
    HResult SetColorKey(std::uint32_t flags, const TDDColorKey* key);
    HResult GetColorKey(std::uint32_t flags, TDDColorKey& out) const;
    bool HasSourceColorKey() const { return hasKey_; }

    // IDirectDrawSurface::Blt. destRect/srcRect nullptr mean the whole
    // surface. With DDBLT_COLORFILL the rectangle is filled with
    // fx->dwFillColor; otherwise the source rectangle is copied, stretched
    // by nearest neighbour with 16.16 stepping when the sizes differ, and with
    // DDBLT_KEYSRC pixels matching the source's colour key are skipped.
    // Rectangles must lie inside their surfaces (DDERR_INVALIDRECT).
    HResult Blt(const TRect* destRect, TSurface* source, const TRect* srcRect, std::uint32_t flags,
                const TDDBltFx* fx);

    // Loss as a display reports it: while lost every access answers
    // DDERR_SURFACELOST; Restore gives back a cleared surface, unless the
    // display has made restoring fail for now.
    HResult IsLost() const { return lost_ ? DDERR_SURFACELOST : DD_OK; }
    HResult Restore();
    void SetLost(bool lost) { lost_ = lost; }
    void SetRestoreFails(bool fails) { restoreFails_ = fails; }

    // The pixel memory, for the display's upload (no lock needed on the GUI thread).
    const std::uint8_t* Pixels() const { return pixels_.get(); }
    std::uint8_t* Pixels() {
        written_ = true;
        return pixels_.get();
    }

    // Surfaces attached to this one (the back buffers of a flip chain).
    std::vector<TSurfaceRef>& Attached() { return attached_; }

private:
    struct PixelDeleter {
        std::size_t bytes;
        void operator()(std::uint8_t* p) const;
    };
    bool RectInside(const TRect& r) const;
    HResult ColorFill(const TRect& r, std::uint32_t colour);
    // All pixels 0 again, as a new surface's.
    void ClearPixels();

    std::uint32_t width_;
    std::uint32_t height_;
    std::int32_t pitch_;
    TPixelFormat format_;
    std::uint32_t caps_;
    std::unique_ptr<std::uint8_t[], PixelDeleter> pixels_;
    // False while every pixel is still 0: the memory of a surface that is
    // never drawn on (the front of a flip chain) then stays unused.
    bool written_ = false;
    bool locked_ = false;
    bool dcHeld_ = false;
    bool hasKey_ = false;
    TDDColorKey key_{};
    bool lost_ = false;
    bool restoreFails_ = false;
    std::vector<TSurfaceRef> attached_;
};

// RAII lock of a whole surface; the result of the lock is in Result().
class TSurfaceLock {
public:
    explicit TSurfaceLock(TSurface& surface, std::uint32_t flags = DDLOCK_WAIT)
        : surface_(surface), result_(surface.Lock(nullptr, desc_, flags)) {}
    ~TSurfaceLock() {
        if (result_ == DD_OK) surface_.Unlock();
    }
    TSurfaceLock(const TSurfaceLock&) = delete;
    TSurfaceLock& operator=(const TSurfaceLock&) = delete;

    HResult Result() const { return result_; }
    const TSurfaceDesc& Desc() const { return desc_; }
    std::uint8_t* Bits() const { return desc_.lpSurface; }
    std::int32_t Pitch() const { return desc_.lPitch; }
    std::uint32_t Width() const { return desc_.dwWidth; }
    std::uint32_t Height() const { return desc_.dwHeight; }
    const TPixelFormat& Format() const { return desc_.ddpfPixelFormat; }

private:
    TSurface& surface_;
    TSurfaceDesc desc_{};
    HResult result_;
};

// The DirectDraw object: makes surfaces in the display's pixel format, and
// carries what drawing needs from outside the program: the text rasteriser of
// its surfaces' canvases and the resource table pictures are looked up in.
class TDirectDraw {
public:
    explicit TDirectDraw(const TPixelFormat& displayFormat, IFontRasterizer* fonts = nullptr,
                         const IResources& resources = NoResources())
        : format_(displayFormat), fonts_(fonts), resources_(&resources) {}

    const TPixelFormat& DisplayFormat() const { return format_; }
    // Null when the program has none: text output then raises.
    IFontRasterizer* Fonts() const { return fonts_; }
    const IResources& Resources() const { return *resources_; }

    // IDirectDraw2::CreateSurface. Needs DDSD_CAPS, DDSD_WIDTH and
    // DDSD_HEIGHT (or DDSCAPS_PRIMARYSURFACE, which takes the display size);
    // DDSD_PIXELFORMAT overrides the display's format. A primary surface with
    // DDSCAPS_FLIP gets backBufferCount attached back buffers.
    HResult CreateSurface(const TSurfaceDesc& desc, TSurfaceRef& out, std::uint32_t backBufferCount = 0);

    // IDirectDraw2::EnumSurfaces over the existing flip chain (primary and
    // its back buffers); the callback returns DDENUMRET_OK to go on.
    using EnumCallback = std::function<HResult(const TSurfaceRef& surface, const TSurfaceDesc& desc)>;
    HResult EnumSurfaces(std::uint32_t flags, const EnumCallback& callback) const;

    // The display's size, used for primary surfaces.
    void SetDisplaySize(std::uint32_t width, std::uint32_t height) {
        displayWidth_ = width;
        displayHeight_ = height;
    }

private:
    TPixelFormat format_;
    IFontRasterizer* fonts_;
    const IResources* resources_;
    std::uint32_t displayWidth_ = 800;
    std::uint32_t displayHeight_ = 600;
    std::weak_ptr<TSurface> primary_;
};

using TDirectDrawRef = std::shared_ptr<TDirectDraw>;
