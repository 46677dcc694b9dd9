// Reading and writing SPS/front.dat: missing, short, long and damaged files,
// the Front option, the round trip and a save that fails.
#include <gtest/gtest.h>

#include <filesystem>

#include "front_world.h"
#include "infra/errors.h"

using front_test::FileDifference;
using front_test::FrontWorld;
using front_test::Records;

namespace {

void ExpectElement(const TFront& f, int slot, double baseX, float y, float z, int type) {
    TFrontelement* e = f.Element(slot);
    ASSERT_NE(e, nullptr) << "slot " << slot;
    EXPECT_EQ(e->BaseX, baseX);
    EXPECT_EQ(e->Y, y);
    EXPECT_FLOAT_EQ(e->Z, z);
    EXPECT_EQ(e->Type, type);
    EXPECT_EQ(e->Bob(1)->GO, GetGOIndex(FrontElementGOName(type)));
}

}  // namespace

TEST(FrontFile, MissingFileGivesAnEmptyFront) {
    FrontWorld w;
    TFront& f = w.Load();
    EXPECT_EQ(f.Count, 0);
    EXPECT_EQ(f.ScrollPos, 0);
    EXPECT_EQ(f.Element(1), nullptr);
    EXPECT_EQ(FrontRecords[0].BaseX, -1);
}

TEST(FrontFile, OneRecordFileGivesOnePillarAtTheDefaultDepth) {
    FrontWorld w;
    w.WriteFront(Records({{1000, 300, -1, 9}}).substr(0, 16));
    TFront& f = w.Load();
    EXPECT_EQ(f.Count, 1);
    ExpectElement(f, 1, 1000, 300, -700, 9);
    EXPECT_EQ(f.Element(2), nullptr);
    EXPECT_EQ(f.Element(1)->Bob(1)->Width, 361);
    EXPECT_TRUE(f.Element(1)->Bob(1)->ScreenMode);
    EXPECT_FALSE(f.Element(1)->Bob(1)->Project);
}

TEST(FrontFile, ARecordCutShortIsEmpty) {
    FrontWorld w;
    const std::string two = Records({{10, 20, -690, 1}, {30, 40, -700, 2}});
    for (std::size_t cut = 17; cut < 32; ++cut) {
        w.WriteFront(two.substr(0, cut));
        EXPECT_EQ(w.Load().Count, 1) << cut << " bytes";
    }
    w.WriteFront(two.substr(0, 32));
    EXPECT_EQ(w.Load().Count, 2);
}

TEST(FrontFile, EmptyMarksAndBadTypesAreSkippedAndTheRestPacked) {
    FrontWorld w;
    w.WriteFront(Records({{100, 1, -1, 0},
                          {200, 2, -1, 10},
                          {-1, 3, -700, 4},
                          {300, 4, -1, 11},
                          {400, 5, -701, 1},
                          {500, 6, -1, -7}}));
    TFront& f = w.Load();
    EXPECT_EQ(f.Count, 2);
    ExpectElement(f, 1, 200, 2, -700, 10);
    ExpectElement(f, 2, 400, 5, -701, 1);
    EXPECT_EQ(f.Element(3), nullptr);
}

TEST(FrontFile, BytesPastTheTableAreIgnored) {
    FrontWorld w;
    TFrontRecords all;
    all.fill({5, 6, -1, 3});
    w.WriteFront(EncodeFrontRecords(all) + Records({{7, 8, -1, 1}}));
    EXPECT_EQ(w.Load().Count, MaxFrontElements);
}

TEST(FrontFile, FrontOptionOffNeitherReadsNorWrites) {
    FrontWorld w;
    Env.FrontOn = 0;
    TFront& f = w.Load();
    f.SaveFront();
    EXPECT_FALSE(FileExists("SPS/front.dat"));

    const std::string layout = Records({{1000, 300, -1, 9}});
    w.WriteFront(layout);
    TFront& g = w.Load();
    EXPECT_EQ(g.Count, 0);
    g.SaveFront();
    EXPECT_EQ(FileDifference(w.ReadFront(), layout), "");
}

TEST(FrontFile, SaveAndReloadKeepsTheLayoutByteForByte) {
    FrontWorld w;
    const std::string layout =
        Records({{-3000, 550, -700, 1}, {-2500, 40, -699, 5}, {-20000, 300, -701, 10}, {0, 0, 0, 7}});
    w.WriteFront(layout);
    w.Load().SaveFront();
    EXPECT_EQ(FileDifference(w.ReadFront(), layout), "");
    EXPECT_FALSE(FileExists("SPS/front.dat.tmp"));
}

TEST(FrontFile, DeletedElementLeavesAnEmptyRecordAndReloadPacks) {
    FrontWorld w;
    w.WriteFront(Records({{100, 200, -1, 1}, {1000, 200, -1, 2}, {2000, 200, -1, 3}}));
    TFront& f = w.Load();
    f.ClickAt(1000, 200, 1);
    f.DeleteSelected();
    f.SaveFront();
    const std::string expected = Records({{100, 200, -700, 1}, {-1, -1, -1, -1}, {2000, 200, -700, 3}});
    EXPECT_EQ(FileDifference(w.ReadFront(), expected), "");
    TFront& g = w.Load();
    EXPECT_EQ(g.Count, 2);
    ExpectElement(g, 2, 2000, 200, -700, 3);
}

TEST(FrontFile, SavingRoundsDepthBackAndKeepsAnElementAtTheEmptyMark) {
    FrontWorld w;
    TFront& f = w.Load();
    f.ScrollPos = -100;
    f.ClickAt(99, 300, 4);  // BaseX -1: the file's empty mark
    f.ClickAt(99, 300, 4);
    for (int i = 0; i < 4; ++i) f.ChangeDepth(+1.0);
    f.SaveFront();
    EXPECT_EQ(FileDifference(w.ReadFront(), Records({{-2, 300, -700, 4}})), "");
    EXPECT_EQ(w.Load().Count, 1);
}

TEST(FrontFile, FailedSaveKeepsTheOldFile) {
    FrontWorld w;
    const std::string layout = Records({{1000, 300, -1, 9}});
    w.WriteFront(layout);
    TFront& f = w.Load();
    f.ClickAt(1000, 300, 1);
    f.DeleteSelected();
    // The temporary file cannot be created where a folder of its name stands.
    std::filesystem::create_directories(w.dir / "SPS/front.dat.tmp");
    EXPECT_THROW(f.SaveFront(), EInOutError);
    EXPECT_EQ(FileDifference(w.ReadFront(), layout), "");
}
