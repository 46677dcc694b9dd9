// The software surface keeps DirectDraw's contract: creation, locks, keys,
// Blt, loss and the result checks.
#include <gtest/gtest.h>

#include <sys/mman.h>

#include <cstdint>
#include <functional>
#include <vector>

#include "engine/dd_errors.h"
#include "engine/screen.h"
#include "engine/surface.h"
#include "surface_test_util.h"

TEST(Surface, CreationGivesPageAlignedRowsAndTheFormatsMasks) {
    for (const TPixelFormat& f : {PixelFormatRGB565(), PixelFormatRGB888(), PixelFormatXRGB8888()}) {
        TDirectDraw dd(f);
        TSurfaceDesc desc;
        desc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
        desc.dwCaps = DDSCAPS_OFFSCREENPLAIN | DDSCAPS_SYSTEMMEMORY;
        desc.dwWidth = 33;
        desc.dwHeight = 7;
        TSurfaceRef s;
        ASSERT_EQ(dd.CreateSurface(desc, s), DD_OK);
        TSurfaceLock lock(*s);
        ASSERT_EQ(lock.Result(), DD_OK);
        EXPECT_EQ(reinterpret_cast<std::uintptr_t>(lock.Bits()) % 4096, 0u);
        EXPECT_EQ(lock.Width(), 33u);
        EXPECT_EQ(lock.Height(), 7u);
        EXPECT_GE(lock.Pitch(), static_cast<std::int32_t>(33 * f.BytesPerPixel()));
        EXPECT_EQ(lock.Pitch() % 4, 0);
        EXPECT_TRUE(lock.Format().SameLayout(f));
        EXPECT_EQ(lock.Desc().dwCaps, DDSCAPS_OFFSCREENPLAIN | DDSCAPS_SYSTEMMEMORY);
    }
}

TEST(Surface, CreationRefusesMissingSizesAndOddDepths) {
    TDirectDraw dd(PixelFormatRGB565());
    TSurfaceDesc desc;
    desc.dwFlags = DDSD_CAPS | DDSD_WIDTH;
    desc.dwCaps = DDSCAPS_OFFSCREENPLAIN;
    desc.dwWidth = 10;
    TSurfaceRef s;
    EXPECT_EQ(dd.CreateSurface(desc, s), DDERR_INVALIDPARAMS);
    desc.dwFlags |= DDSD_HEIGHT | DDSD_PIXELFORMAT;
    desc.dwHeight = 10;
    desc.ddpfPixelFormat = PixelFormatRGB565();
    desc.ddpfPixelFormat.dwRGBBitCount = 12;
    EXPECT_EQ(dd.CreateSurface(desc, s), DDERR_INVALIDPIXELFORMAT);
    EXPECT_FALSE(s);
}

TEST(Surface, OneLockAtATimeAndNoBlitWhileLocked) {
    auto s = MakeSurface(4, 4);
    auto t = MakeSurface(4, 4);
    TSurfaceDesc d;
    ASSERT_EQ(s->Lock(nullptr, d), DD_OK);
    EXPECT_EQ(s->Lock(nullptr, d), DDERR_SURFACEBUSY);
    EXPECT_EQ(t->Blt(nullptr, s.get(), nullptr, DDBLT_WAIT, nullptr), DDERR_SURFACEBUSY);
    EXPECT_EQ(s->Unlock(), DD_OK);
    EXPECT_EQ(s->Unlock(), DDERR_NOTLOCKED);
    EXPECT_EQ(t->Blt(nullptr, s.get(), nullptr, DDBLT_WAIT, nullptr), DD_OK);
}

TEST(Surface, KeyedBltSkipsKeyPixelsAndPlainBltCopiesThem) {
    auto src = MakeSurface(3, 1);
    auto dst = MakeSurface(3, 1);
    SetPx(*src, 0, 0, 0x1234);
    SetPx(*src, 1, 0, 0);
    SetPx(*src, 2, 0, 0x0042);
    TDDColorKey key{0, 0};
    ASSERT_EQ(src->SetColorKey(DDCKEY_SRCBLT, &key), DD_OK);
    FillAll(*dst, 0x7777);
    ASSERT_EQ(dst->Blt(nullptr, src.get(), nullptr, DDBLT_WAIT | DDBLT_KEYSRC, nullptr), DD_OK);
    EXPECT_EQ(GetPx(*dst, 0, 0), 0x1234u);
    EXPECT_EQ(GetPx(*dst, 1, 0), 0x7777u);
    EXPECT_EQ(GetPx(*dst, 2, 0), 0x0042u);
    ASSERT_EQ(dst->Blt(nullptr, src.get(), nullptr, DDBLT_WAIT, nullptr), DD_OK);
    EXPECT_EQ(GetPx(*dst, 1, 0), 0u);
}

TEST(Surface, StretchSamplesByNearestNeighbourFromTheFirstPixel) {
    auto src = MakeSurface(4, 2, PixelFormatXRGB8888());
    auto dst = MakeSurface(6, 3, PixelFormatXRGB8888());
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 4; ++x) SetPx(*src, x, y, 10 * y + x + 1);
    ASSERT_EQ(dst->Blt(nullptr, src.get(), nullptr, DDBLT_WAIT, nullptr), DD_OK);
    // stepX = (4 << 16) / 6 = 43690: columns 0,0,1,1,2,3; stepY = (2 << 16) / 3: rows 0,0,1.
    const std::uint32_t row0[6] = {1, 1, 2, 2, 3, 4};
    for (int x = 0; x < 6; ++x) {
        EXPECT_EQ(GetPx(*dst, x, 0), row0[x]);
        EXPECT_EQ(GetPx(*dst, x, 1), row0[x]);
        EXPECT_EQ(GetPx(*dst, x, 2), row0[x] + 10);
    }
}

TEST(Surface, ColourFillAnd24BitPixelsStayInTheirRectangle) {
    auto s = MakeSurface(5, 3, PixelFormatRGB888());
    FillAll(*s, 0x010203);
    TDDBltFx fx;
    fx.dwFillColor = 0xA0B0C0;
    const TRect r{1, 1, 4, 2};
    ASSERT_EQ(s->Blt(&r, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fx), DD_OK);
    EXPECT_EQ(GetPx(*s, 0, 1), 0x010203u);
    EXPECT_EQ(GetPx(*s, 1, 1), 0xA0B0C0u);
    EXPECT_EQ(GetPx(*s, 3, 1), 0xA0B0C0u);
    EXPECT_EQ(GetPx(*s, 4, 1), 0x010203u);
    EXPECT_EQ(GetPx(*s, 1, 0), 0x010203u);
    const TRect outside{3, 0, 6, 1};
    EXPECT_EQ(s->Blt(&outside, nullptr, nullptr, DDBLT_COLORFILL, &fx), DDERR_INVALIDRECT);
}

TEST(Surface, OverlappingCopyWithinOneSurfaceReadsTheOldPixels) {
    auto s = MakeSurface(6, 1);
    for (int x = 0; x < 6; ++x) SetPx(*s, x, 0, x + 1);
    const TRect from{0, 0, 4, 1}, to{2, 0, 6, 1};
    ASSERT_EQ(s->Blt(&to, s.get(), &from, DDBLT_WAIT, nullptr), DD_OK);
    const std::uint32_t expected[6] = {1, 2, 1, 2, 3, 4};
    for (int x = 0; x < 6; ++x) EXPECT_EQ(GetPx(*s, x, 0), expected[x]);
}

TEST(Surface, LostSurfaceRefusesAccessUntilRestored) {
    auto s = MakeSurface(2, 2);
    auto t = MakeSurface(2, 2);
    FillAll(*s, 0x5555);
    s->SetLost(true);
    TSurfaceDesc d;
    EXPECT_EQ(s->IsLost(), DDERR_SURFACELOST);
    EXPECT_EQ(s->Lock(nullptr, d), DDERR_SURFACELOST);
    EXPECT_EQ(t->Blt(nullptr, s.get(), nullptr, DDBLT_WAIT, nullptr), DDERR_SURFACELOST);
    s->SetRestoreFails(true);
    EXPECT_NE(s->Restore(), DD_OK);
    s->SetRestoreFails(false);
    EXPECT_EQ(s->Restore(), DD_OK);
    EXPECT_EQ(s->IsLost(), DD_OK);
    EXPECT_EQ(GetPx(*s, 1, 1), 0u) << "restored memory does not keep the old picture";
}

TEST(Surface, BlackClearsWhateverWasDrawnWhileAnUndrawnSurfaceTakesNoMemory) {
    TDDBltFx black;
    auto blacken = [&](TSurface& s) {
        ASSERT_EQ(s.Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL, &black), DD_OK);
    };
    auto source = MakeSurface(4, 4);
    FillAll(*source, 0x1234);
    const std::function<void(TSurface&)> ways[] = {
        [](TSurface& s) { WritePixel(TSurfaceLock(s).Bits(), 2, 0x4321); },
        [](TSurface& s) {
            TSurfaceDesc d;
            ASSERT_EQ(s.GetDC(d), DD_OK);
            WritePixel(d.lpSurface, 2, 0x4321);
            s.ReleaseDC();
        },
        [&](TSurface& s) { ASSERT_EQ(s.Blt(nullptr, source.get(), nullptr, DDBLT_WAIT, nullptr), DD_OK); },
        [](TSurface& s) {
            TDDBltFx red;
            red.dwFillColor = 0xF800;
            ASSERT_EQ(s.Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL, &red), DD_OK);
        },
        [](TSurface& s) { s.Pixels()[0] = 7; },
    };
    for (const auto& draw : ways) {
        auto s = MakeSurface(4, 4);
        blacken(*s);
        draw(*s);
        blacken(*s);
        EXPECT_EQ(GetPx(*s, 0, 0), 0u);
    }
#if !defined(__SANITIZE_ADDRESS__)  // the sanitizer build keeps pixels on its heap
    auto screen = MakeSurface(1920, 1080, PixelFormatXRGB8888());
    blacken(*screen);
    const std::size_t pages = (std::size_t{1920} * 4 * 1080 + 4095) / 4096;
    std::vector<unsigned char> resident(pages);
    const std::uint8_t* pixels = static_cast<const TSurface&>(*screen).Pixels();
    ASSERT_EQ(mincore(const_cast<std::uint8_t*>(pixels), pages * 4096, resident.data()), 0);
    for (unsigned char page : resident) ASSERT_EQ(page & 1, 0) << "memory of an undrawn surface is in use";
#endif
}

TEST(Surface, ChecksRaiseTheRightExceptions) {
    SurfaceLost = false;
    EXPECT_NO_THROW(DDCheck(DD_OK));
    try {
        DDCheck(DDERR_GENERIC);
        FAIL();
    } catch (const EDirectXError& e) {
        EXPECT_EQ(e.ErrorCode, DDERR_GENERIC);
        EXPECT_STREQ(e.what(), "Generic failure.");
    }
    EXPECT_THROW(DDCheck(DDERR_SURFACELOST), EDirectXError);
    EXPECT_FALSE(SurfaceLost) << "only the surface check marks loss";
    try {
        DDCheckSurface(DDERR_SURFACELOST);
        FAIL();
    } catch (const EDirectXSurfaceLostError& e) {
        EXPECT_STREQ(e.what(), "Surface Lost");
    }
    EXPECT_TRUE(SurfaceLost);
    EXPECT_THROW(DDCheckSurface(DDERR_INVALIDRECT), EDirectXError);
    SurfaceLost = false;
}

TEST(Screen, NewSurfaceNeedsDirectDrawAndAddsOffscreenCaps) {
    ResetScreenGlobals();
    TSurfaceRef s;
    try {
        NewSurface(DirectDraw, 10, 10, 0, s);
        FAIL();
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "Direct Draw object not created");
    }
    DirectDraw = std::make_shared<TDirectDraw>(PixelFormatXRGB8888());
    NewSurface(DirectDraw, 10, 20, DDSCAPS_SYSTEMMEMORY, s);
    EXPECT_EQ(s->Caps(), DDSCAPS_SYSTEMMEMORY | DDSCAPS_OFFSCREENPLAIN);
    EXPECT_EQ(s->Height(), 20u);
    EXPECT_EQ(s->PixelFormat().dwRGBBitCount, 32u);
    EXPECT_THROW(NewSurface(DirectDraw, 0, 20, 0, s), EDirectXError);
    ResetScreenGlobals();
}

TEST(Screen, FlipChainEnumerationAppendsTheBackBuffersOnly) {
    ResetScreenGlobals();
    DirectDraw = std::make_shared<TDirectDraw>(PixelFormatRGB565());
    TSurfaceDesc desc;
    desc.dwFlags = DDSD_CAPS;
    desc.dwCaps = DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP;
    TSurfaceRef primary;
    ASSERT_EQ(DirectDraw->CreateSurface(desc, primary, 1), DD_OK);
    ScreenSurfaces.push_back(primary);
    DirectDraw->EnumSurfaces(
        DDENUMSURFACES_DOESEXIST | DDENUMSURFACES_ALL,
        [](const TSurfaceRef& s, const TSurfaceDesc& d) { return EnumBackSurfaces(s, d, ScreenSurfaces); });
    ASSERT_EQ(ScreenSurfaces.size(), 2u);
    EXPECT_EQ(FrontSurface(), primary);
    EXPECT_EQ(SecondarySurface(), primary->Attached()[0]);
    EXPECT_TRUE(IsSecondaryChainSurface(SecondarySurface()));
    EXPECT_FALSE(IsSecondaryChainSurface(FrontSurface())) << "entry 0 never matches";
    EXPECT_FALSE(IsSecondaryChainSurface(MakeSurface(2, 2)));
    ResetScreenGlobals();
}
