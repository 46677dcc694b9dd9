// The DirectDraw vocabulary our software surfaces keep: result codes, caps and
// flag values, rectangles, pixel formats, colour keys and the blit effects record.
#pragma once

#include <cstdint>

using HResult = std::int32_t;

// Result codes, with the values DirectDraw gives them (0x8876xxxx = MAKE_DDHRESULT).
constexpr HResult DD_OK = 0;
constexpr HResult DDERR_GENERIC = static_cast<HResult>(0x80004005);
constexpr HResult DDERR_UNSUPPORTED = static_cast<HResult>(0x80004001);
constexpr HResult DDERR_INVALIDPARAMS = static_cast<HResult>(0x80070057);
constexpr HResult DDERR_OUTOFMEMORY = static_cast<HResult>(0x8007000E);
constexpr HResult DDERR_INVALIDPIXELFORMAT = static_cast<HResult>(0x88760091);
constexpr HResult DDERR_INVALIDRECT = static_cast<HResult>(0x88760096);
constexpr HResult DDERR_NOCOLORKEY = static_cast<HResult>(0x887600D7);
constexpr HResult DDERR_SURFACEBUSY = static_cast<HResult>(0x887601AE);
constexpr HResult DDERR_SURFACELOST = static_cast<HResult>(0x887601C2);
constexpr HResult DDERR_NOTLOCKED = static_cast<HResult>(0x88760248);
constexpr HResult DDERR_CANTCREATEDC = static_cast<HResult>(0x88760245);
constexpr HResult DDERR_DCALREADYCREATED = static_cast<HResult>(0x8876026C);
constexpr HResult DDERR_WRONGMODE = static_cast<HResult>(0x8876024B);

// Surface caps.
constexpr std::uint32_t DDSCAPS_BACKBUFFER = 0x4;
constexpr std::uint32_t DDSCAPS_FLIP = 0x10;
constexpr std::uint32_t DDSCAPS_OFFSCREENPLAIN = 0x40;
constexpr std::uint32_t DDSCAPS_PRIMARYSURFACE = 0x200;
constexpr std::uint32_t DDSCAPS_SYSTEMMEMORY = 0x800;
constexpr std::uint32_t DDSCAPS_VIDEOMEMORY = 0x4000;

// Surface description flags.
constexpr std::uint32_t DDSD_CAPS = 0x1;
constexpr std::uint32_t DDSD_HEIGHT = 0x2;
constexpr std::uint32_t DDSD_WIDTH = 0x4;
constexpr std::uint32_t DDSD_PITCH = 0x8;
constexpr std::uint32_t DDSD_PIXELFORMAT = 0x1000;

// Pixel format flags.
constexpr std::uint32_t DDPF_PALETTEINDEXED8 = 0x20;
constexpr std::uint32_t DDPF_RGB = 0x40;

// Blit flags.
constexpr std::uint32_t DDBLT_COLORFILL = 0x400;
constexpr std::uint32_t DDBLT_KEYSRC = 0x8000;
constexpr std::uint32_t DDBLT_WAIT = 0x01000000;

// Lock flags and colour key kinds.
constexpr std::uint32_t DDLOCK_WAIT = 0x1;
constexpr std::uint32_t DDCKEY_SRCBLT = 0x8;

// Enumeration.
constexpr std::uint32_t DDENUMSURFACES_ALL = 0x1;
constexpr std::uint32_t DDENUMSURFACES_DOESEXIST = 0x40;
constexpr HResult DDENUMRET_OK = 1;
constexpr HResult DDENUMRET_CANCEL = 0;

// A Windows rectangle: right and bottom are exclusive.
struct TRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
    std::int32_t Width() const { return right - left; }
    std::int32_t Height() const { return bottom - top; }
    bool operator==(const TRect&) const = default;
};

inline TRect Bounds(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height) {
    return TRect{left, top, left + width, top + height};
}

// DDPIXELFORMAT reduced to what the game reads (the record's size is 32).
struct TPixelFormat {
    std::uint32_t dwSize = 32;
    std::uint32_t dwFlags = DDPF_RGB;
    std::uint32_t dwRGBBitCount = 16;
    std::uint32_t dwRBitMask = 0;
    std::uint32_t dwGBitMask = 0;
    std::uint32_t dwBBitMask = 0;

    std::uint32_t BytesPerPixel() const { return dwRGBBitCount / 8; }
    std::uint32_t ColourMask() const { return dwRBitMask | dwGBitMask | dwBBitMask; }
    bool SameLayout(const TPixelFormat& o) const {
        return dwFlags == o.dwFlags && dwRGBBitCount == o.dwRGBBitCount && dwRBitMask == o.dwRBitMask &&
               dwGBitMask == o.dwGBitMask && dwBBitMask == o.dwBBitMask;
    }
};

// The formats the game's surfaces come in.
inline TPixelFormat PixelFormatRGB565() {
    return TPixelFormat{32, DDPF_RGB, 16, 0xF800, 0x07E0, 0x001F};
}
inline TPixelFormat PixelFormatRGB888() {
    return TPixelFormat{32, DDPF_RGB, 24, 0xFF0000, 0x00FF00, 0x0000FF};
}
inline TPixelFormat PixelFormatXRGB8888() {
    return TPixelFormat{32, DDPF_RGB, 32, 0xFF0000, 0x00FF00, 0x0000FF};
}
// A palettised format: no RGB masks, kept so that the RGB-only paths can refuse it.
inline TPixelFormat PixelFormatIndexed8() {
    return TPixelFormat{32, DDPF_PALETTEINDEXED8, 8, 0, 0, 0};
}

// DDCOLORKEY: pixel values from low to high (inclusive) are transparent.
struct TDDColorKey {
    std::uint32_t dwColorSpaceLowValue = 0;
    std::uint32_t dwColorSpaceHighValue = 0;
};

// DDBLTFX reduced to the fields a blit reads (the record's size is 100).
struct TDDBltFx {
    std::uint32_t dwSize = 100;
    std::uint32_t dwFillColor = 0;
};

// DDSURFACEDESC reduced to what creation and locking use (the record's size is 108).
struct TSurfaceDesc {
    std::uint32_t dwSize = 108;
    std::uint32_t dwFlags = 0;
    std::uint32_t dwHeight = 0;
    std::uint32_t dwWidth = 0;
    std::int32_t lPitch = 0;
    std::uint8_t* lpSurface = nullptr;
    std::uint32_t dwCaps = 0;
    TPixelFormat ddpfPixelFormat{};
};
