// Loading pictures into surfaces: the built-in resource named like the file
// comes first, then the .bmp or .jpg file itself.
#include "engine/pictures.h"

#include <algorithm>
#include <bit>
#include <cctype>
#include <stdexcept>

#include "engine/dd_errors.h"
#include "engine/jpeg_codec.h"
#include "engine/pixel_access.h"
#include "engine/screen.h"
#include "infra/file_io.h"
#include "infra/log.h"
#include "infra/paths.h"

namespace {

std::string FilePart(const std::string& name) {
    const std::size_t slash = name.find_last_of("/\\");
    return slash == std::string::npos ? name : name.substr(slash + 1);
}

std::string WithoutExtension(const std::string& name) {
    const std::size_t dot = name.find_last_of('.');
    const std::size_t slash = name.find_last_of("/\\");
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return name;
    return name.substr(0, dot);
}

std::string UpperCase(std::string s) {
    for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

std::span<const std::uint8_t> Bytes(const std::string& s) {
    return {reinterpret_cast<const std::uint8_t*>(s.data()), s.size()};
}

// One channel of 0x00RRGGBB placed in a mask, keeping the channel's top bits.
std::uint32_t Place(std::uint32_t c8, std::uint32_t mask) {
    if (mask == 0) return 0;
    const int shift = std::countr_zero(mask);
    const int bits = std::popcount(mask);
    const std::uint32_t v = bits >= 8 ? c8 << (bits - 8) : c8 >> (8 - bits);
    return (v << shift) & mask;
}

// One channel of a pixel widened to 8 bits by repeating its top bits.
std::uint32_t Widen(std::uint32_t pixel, std::uint32_t mask) {
    if (mask == 0) return 0;
    const int bits = std::popcount(mask);
    std::uint32_t v = (pixel & mask) >> std::countr_zero(mask);
    if (bits >= 8) return v >> (bits - 8);
    std::uint32_t wide = 0;
    for (int filled = 0; filled < 8; filled += bits) wide = (wide << bits) | v;
    return (wide >> (((8 + bits - 1) / bits) * bits - 8)) & 0xFF;
}

}  // namespace

bool LoadPictureFromResource(const std::string& name, TPicture& picture) {
    if (!DirectDraw) return false;
    const IResources& resources = DirectDraw->Resources();
    const std::string resource = UpperCase(WithoutExtension(FilePart(name)));
    try {
        if (auto bmp = resources.Find("BITMAP", resource)) {
            picture = ReadBitmap(*bmp);
            resources.Done(*bmp);
            return true;
        }
        if (auto jpg = resources.Find("JPEG", resource)) {
            picture = DecodeJpeg(*jpg);
            resources.Done(*jpg);
            return true;
        }
    } catch (const std::exception&) {
    }
    return false;
}

bool LoadPictureFromFile(const std::string& name, TPicture& picture) {
    std::string file;
    try {
        if (FileExists(name + ".bmp"))
            file = name + ".bmp";
        else if (FileExists(name + ".jpg"))
            file = name + ".jpg";
        else
            throw std::runtime_error("File not found");
    } catch (const std::exception&) {
        return false;
    }
    const auto bytes = ReadWholeFile(ResolvePath(file));
    if (!bytes) return false;
    // A file that is there but cannot be decoded counts as missing, so that
    // the caller logs "<name> not found!" as for a missing picture.
    try {
        picture = file.ends_with(".bmp") ? ReadBitmap(Bytes(*bytes)) : DecodeJpeg(Bytes(*bytes));
    } catch (const std::exception&) {
        return false;
    }
    WriteLog(file + " loaded as file");
    return true;
}

void PictureToSurface(const TPicture& picture, TSurface& surface) {
    TSurfaceDesc dc;
    DDCheckSurface(surface.GetDC(dc));
    const TPixelFormat& f = dc.ddpfPixelFormat;
    const std::uint32_t bpp = f.BytesPerPixel();
    const std::int32_t w = std::min<std::int32_t>(picture.Width, static_cast<std::int32_t>(dc.dwWidth));
    const std::int32_t h = std::min<std::int32_t>(picture.Height, static_cast<std::int32_t>(dc.dwHeight));
    for (std::int32_t y = 0; y < h; ++y) {
        std::uint8_t* row = dc.lpSurface + static_cast<std::ptrdiff_t>(y) * dc.lPitch;
        const std::uint32_t* src = picture.Pixels.data() + static_cast<std::size_t>(y) * picture.Width;
        for (std::int32_t x = 0; x < w; ++x) {
            const std::uint32_t c = src[x];
            WritePixel(row + std::size_t(x) * bpp, bpp,
                       Place(c >> 16 & 0xFF, f.dwRBitMask) | Place(c >> 8 & 0xFF, f.dwGBitMask) |
                           Place(c & 0xFF, f.dwBBitMask));
        }
    }
    surface.ReleaseDC();
}

TPicture SurfaceToPicture(TSurface& surface) {
    TSurfaceDesc dc;
    DDCheckSurface(surface.GetDC(dc));
    const TPixelFormat& f = dc.ddpfPixelFormat;
    const std::uint32_t bpp = f.BytesPerPixel();
    TPicture pic;
    pic.Width = static_cast<std::int32_t>(dc.dwWidth);
    pic.Height = static_cast<std::int32_t>(dc.dwHeight);
    pic.BitsPerPixel = 24;
    pic.Pixels.resize(std::size_t(pic.Width) * pic.Height);
    for (std::int32_t y = 0; y < pic.Height; ++y) {
        const std::uint8_t* row = dc.lpSurface + static_cast<std::ptrdiff_t>(y) * dc.lPitch;
        for (std::int32_t x = 0; x < pic.Width; ++x) {
            const std::uint32_t v = ReadPixel(row + std::size_t(x) * bpp, bpp);
            pic.Pixels[std::size_t(y) * pic.Width + x] =
                Widen(v, f.dwRBitMask) << 16 | Widen(v, f.dwGBitMask) << 8 | Widen(v, f.dwBBitMask);
        }
    }
    surface.ReleaseDC();
    return pic;
}

bool LoadBitmapToSurface(const std::string& fileName, TSurfaceRef& surface, std::int32_t& width,
                         std::int32_t& height) {
    if (fileName.empty()) return false;
    const std::string name = WithoutExtension(fileName);
    TPicture picture;
    if (!LoadPictureFromResource(name, picture) && !LoadPictureFromFile(name, picture)) {
        WriteLog(name + " not found!");
        return false;
    }
    width = picture.Width;
    height = picture.Height;
    if (!surface) NewSurface(DirectDraw, width, height, DDSCAPS_SYSTEMMEMORY, surface);
    PictureToSurface(picture, *surface);
    return true;
}

bool LoadSurface(const std::string& name, TSurfaceRef& surface) {
    std::int32_t width = 0, height = 0;
    return LoadBitmapToSurface(name, surface, width, height);
}

bool ReloadSurface(const std::string& name, std::int32_t& width, std::int32_t& height, TSurfaceRef& surface) {
    surface.reset();
    return LoadBitmapToSurface(name, surface, width, height);
}
