// Bitmap and JPEG pictures, loading them into surfaces, and screenshots.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "engine/bitmap_reader.h"
#include "engine/jpeg_codec.h"
#include "engine/pictures.h"
#include "engine/pixel_ops.h"
#include "engine/screen.h"
#include "engine/screenshot.h"
#include "infra/resources.h"
#include "support/temp_program_dir.h"
#include "surface_test_util.h"

namespace {

std::span<const std::uint8_t> Bytes(const std::string& s) {
    return {reinterpret_cast<const std::uint8_t*>(s.data()), s.size()};
}

std::string ErrorOf(const std::string& bytes) {
    try {
        ReadBitmap(Bytes(bytes));
    } catch (const EInvalidGraphic& e) {
        return e.what();
    }
    return "no error";
}

void Poke32(std::string& s, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) s[at + i] = static_cast<char>(v >> (8 * i));
}

class FakeResources : public IResources {
public:
    std::optional<std::span<const std::uint8_t>> Find(std::string_view type,
                                                      std::string_view name) const override {
        const auto it = table.find(std::string(type) + ":" + std::string(name));
        if (it == table.end()) return std::nullopt;
        return Bytes(it->second);
    }
    std::map<std::string, std::string> table;
};

}  // namespace

TEST(BitmapReader, ReadsEachDepthInBothRowOrders) {
    const std::vector<std::uint32_t> rgb = {0x112233, 0x445566, 0x778899, 0xAABBCC, 0xDDEEFF, 0x010203};
    for (std::uint16_t bpp : {24, 32})
        for (bool topDown : {false, true}) {
            const TPicture p = ReadBitmap(Bytes(BuildBmp(3, 2, bpp, rgb, topDown)));
            EXPECT_EQ(p.Width, 3);
            EXPECT_EQ(p.Height, 2);
            EXPECT_EQ(p.BitsPerPixel, bpp);
            EXPECT_EQ(p.Pixels, rgb) << bpp << (topDown ? " top-down" : " bottom-up");
            EXPECT_TRUE(p.Indices.empty());
        }
    const std::vector<std::uint32_t> indices = {0, 1, 255, 128, 7, 9};
    const TPicture p = ReadBitmap(Bytes(BuildBmp(3, 2, 8, indices)));
    EXPECT_EQ(p.BitsPerPixel, 8);
    EXPECT_EQ(p.Indices, std::vector<std::uint8_t>({0, 1, 255, 128, 7, 9})) << "raw indices, rows top-down";
    EXPECT_EQ(p.Pixels[2], 0xFFFFFFu);
    EXPECT_EQ(p.Pixels[3], 0x808080u);
}

TEST(BitmapReader, ReadsABareDibAsResourcesHoldThem) {
    const std::string file = BuildBmp(2, 2, 24, {1, 2, 3, 4});
    const TPicture p = ReadBitmap(Bytes(file.substr(14)));
    EXPECT_EQ(p.Pixels, std::vector<std::uint32_t>({1, 2, 3, 4}));
}

TEST(BitmapReader, RefusesImpossibleHeadersWithAMessage) {
    const std::string good = BuildBmp(4, 4, 8, std::vector<std::uint32_t>(16, 3), false, 16);
    EXPECT_EQ(ErrorOf(good), "no error");
    std::string wide = good;
    Poke32(wide, 18, 16385);
    EXPECT_EQ(ErrorOf(wide), "Ung\xFCltige Bitmap: Abmessungen 16385 x 4 nicht m\xF6glich");
    std::string tall = good;
    Poke32(tall, 22, static_cast<std::uint32_t>(-20000));
    EXPECT_NE(ErrorOf(tall).find("Abmessungen"), std::string::npos);
    std::string minHeight = good;
    Poke32(minHeight, 22, 0x80000000u);
    EXPECT_NE(ErrorOf(minHeight).find("Abmessungen"), std::string::npos);
    EXPECT_EQ(ErrorOf(good.substr(0, good.size() - 1)),
              "Ung\xFCltige Bitmap: Bildpunktdaten reichen \xFC"
              "ber das Dateiende hinaus");
    std::string offset = good;
    Poke32(offset, 10, 0xFFFFFFF0u);
    EXPECT_EQ(ErrorOf(offset), ErrorOf(good.substr(0, good.size() - 1)));
    std::string index = good;
    index[index.size() - 1] = 16;  // a palette of 16 colours
    EXPECT_EQ(ErrorOf(index),
              "Ung\xFCltige Bitmap: Palettenindex au\xDF"
              "erhalb der Palette");
    std::string palette = good;
    Poke32(palette, 46, 1000);
    EXPECT_NE(ErrorOf(palette), "no error");
    EXPECT_NE(ErrorOf(good.substr(0, 30)), "no error");
    EXPECT_NE(ErrorOf(""), "no error");
    std::string depth = good;
    depth[28] = 4;
    EXPECT_EQ(ErrorOf(depth), "Ung\xFCltige Bitmap: Farbtiefe 4 wird nicht unterst\xFCtzt");
    std::string rle = good;
    Poke32(rle, 30, 1);
    EXPECT_NE(ErrorOf(rle), "no error");
}

TEST(Jpeg, RoundTripKeepsTheSizeAndTheColoursCloseAtQuality100) {
    TPicture p;
    p.Width = 16;
    p.Height = 8;
    p.Pixels.assign(16 * 8, 0x3080C0);
    const std::string jpeg = EncodeJpeg(p, 100);
    const TPicture q = DecodeJpeg(Bytes(jpeg));
    ASSERT_EQ(q.Width, 16);
    ASSERT_EQ(q.Height, 8);
    for (int shift : {0, 8, 16}) {
        const int a = (p.Pixels[5] >> shift) & 0xFF, b = (q.Pixels[5] >> shift) & 0xFF;
        EXPECT_LE(std::abs(a - b), 2);
    }
    EXPECT_THROW(DecodeJpeg(Bytes(jpeg.substr(0, 20))), EInvalidGraphic);
    EXPECT_THROW(DecodeJpeg(Bytes("not a jpeg at all")), EInvalidGraphic);
}

class PictureLoading : public ::testing::Test {
protected:
    void SetUp() override { MakeScreen(PixelFormatRGB565(), nullptr, resources); }
    void TearDown() override { ResetScreenGlobals(); }
    TempProgramDir dir;
    FakeResources resources;
};

TEST_F(PictureLoading, ResourceNamedByTheUpperCasedFilePartComesFirst) {
    resources.table["BITMAP:TORPEDO"] = BuildBmp(2, 1, 24, {0xFF0000, 0x00FF00});
    dir.Write("gfx/sb/Torpedo.bmp", BuildBmp(1, 1, 24, {0x0000FF}));
    TSurfaceRef s;
    std::int32_t w = 0, h = 0;
    ASSERT_TRUE(LoadBitmapToSurface(dir.path().string() + "\\gfx\\sb\\Torpedo.bmp", s, w, h));
    EXPECT_EQ(w, 2);
    EXPECT_EQ(h, 1);
    EXPECT_EQ(GetPx(*s, 0, 0), 0xF800u);
    EXPECT_EQ(GetPx(*s, 1, 0), 0x07E0u);
    EXPECT_EQ(s->Caps(), DDSCAPS_SYSTEMMEMORY | DDSCAPS_OFFSCREENPLAIN);
    EXPECT_FALSE(!ReadLogText().empty()) << "a resource load is not logged";
}

TEST_F(PictureLoading, FilesFollowBmpThenJpgAndAreLogged) {
    TPicture blue;
    blue.Width = 8;
    blue.Height = 8;
    blue.Pixels.assign(64, 0x0000FF);
    dir.Write("gfx/sb/Back.jpg", EncodeJpeg(blue, 100));
    dir.Write("gfx/sb/Kondom.bmp", BuildBmp(1, 1, 24, {0x808080}));
    TSurfaceRef s;
    std::int32_t w = 0, h = 0;
    ASSERT_TRUE(ReloadSurface("gfx/sb/Back.jpg", w, h, s));
    EXPECT_EQ(w, 8);
    EXPECT_EQ(GetPx(*s, 3, 3) & 0x1F, 0x1Fu);
    const TSurfaceRef first = s;
    ASSERT_TRUE(LoadSurface("gfx/sb/Kondom", s));
    EXPECT_EQ(s, first) << "LoadSurface loads into the given surface";
    EXPECT_EQ(GetPx(*s, 0, 0), 0x8410u) << "channels keep their top bits";
    EXPECT_EQ(ReadLogText(), "gfx/sb/Back.jpg loaded as file\r\ngfx/sb/Kondom.bmp loaded as file\r\n");
}

TEST_F(PictureLoading, MissingPictureIsLoggedAndLeavesTheReference) {
    TSurfaceRef s;
    std::int32_t w = -1, h = -1;
    EXPECT_FALSE(LoadBitmapToSurface("gfx/sb/Nothing.bmp", s, w, h));
    EXPECT_FALSE(s);
    EXPECT_FALSE(LoadBitmapToSurface("", s, w, h));
    EXPECT_EQ(ReadLogText(), "gfx/sb/Nothing not found!\r\n");
}

TEST_F(PictureLoading, BrokenResourceFallsBackAndBrokenFileCountsAsMissing) {
    resources.table["BITMAP:BROKEN"] = "BMgarbage";
    dir.Write("gfx/sb/Broken.bmp", "BM\x10\x00");
    dir.Write("gfx/sb/Cut.jpg", "\xFF\xD8\xFF\xE0 not a whole JPEG");
    TSurfaceRef s;
    EXPECT_FALSE(LoadSurface("gfx/sb/Broken", s));
    EXPECT_FALSE(LoadSurface("gfx/sb/Cut", s));
    EXPECT_FALSE(s);
    EXPECT_EQ(ReadLogText(), "gfx/sb/Broken not found!\r\ngfx/sb/Cut not found!\r\n");
}

TEST_F(PictureLoading, ScreenshotsAreNumberedFromOneAndNeverOverwrite) {
    Colorfill(SecondarySurface(), 0, 0, 800, 600, 0xFFFFFF);
    EXPECT_EQ(TakeScreenshot(), "Screenshots/Shot_1.jpg");
    dir.Write("Screenshots/Shot_2.jpg", "keep me");
    EXPECT_EQ(TakeScreenshot(), "Screenshots/Shot_3.jpg");
    EXPECT_EQ(dir.Read("Screenshots/Shot_2.jpg"), "keep me");
    const std::string shot = dir.Read("Screenshots/Shot_1.jpg");
    const TPicture p = DecodeJpeg(Bytes(shot));
    EXPECT_EQ(p.Width, 800);
    EXPECT_EQ(p.Height, 600);
    EXPECT_EQ(p.Pixels[1234], 0xFFFFFFu);
}
