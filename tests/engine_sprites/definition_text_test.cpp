// The text side of the animation definitions: frame lists, keyword search,
// object kinds, header numbers, timing and sound clauses.
#include <gtest/gtest.h>

#include "engine/definition_text.h"
#include "infra/errors.h"

using V = TDynamicIArray;

TEST(ParseFrameList, RangesListsAndRepeatsFromTheGamesDefinitions) {
    EXPECT_EQ(ParseFrameList("001-012", 12), (V{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}));
    EXPECT_EQ(ParseFrameList(" 1,3,5,7,9,11", 12), (V{1, 3, 5, 7, 9, 11}));
    EXPECT_EQ(ParseFrameList("001,001,001,001,001,001", 2), (V{1, 1, 1, 1, 1, 1}));
    EXPECT_EQ(ParseFrameList("006-001", 6), (V{6, 5, 4, 3, 2, 1}));
    EXPECT_EQ(ParseFrameList("1-3-5", 12), (V{1, 2, 3, 4, 5}));
    EXPECT_EQ(ParseFrameList("3-3", 12), (V{3, 3}));
}

TEST(ParseFrameList, ClampsToThePictureCount) {
    EXPECT_EQ(ParseFrameList("0", 12), (V{1}));
    EXPECT_EQ(ParseFrameList("99", 12), (V{12}));
    EXPECT_EQ(ParseFrameList("10-20", 12), (V{10, 11, 12}));
    // A number far beyond 32 bits is clamped like any other, without overflow.
    EXPECT_EQ(ParseFrameList("99999999999999999999", 7), (V{7}));
}

TEST(ParseFrameList, DotsRepeatAndStrayCharactersVanish) {
    EXPECT_EQ(ParseFrameList("3..,4", 12), (V{3, 3, 3, 4}));
    EXPECT_EQ(ParseFrameList("x 2,,,5 ; junk", 12), (V{2, 5}));
    EXPECT_EQ(ParseFrameList("--,.7-", 12), (V{7}));
    EXPECT_EQ(ParseFrameList("", 12), V{});
    EXPECT_EQ(ParseFrameList("abc", 12), V{});
}

TEST(FindKeyword, FindsTheLineAfterTheFirstPrefixMatch) {
    const std::vector<std::string> lines{"-----", "  object hsleerfeld10:CreateAnimation", "x",
                                         "OBJECT HSLeerfeld1:CreateAnimation", "ANI"};
    // A prefix test: the longer name's block is found for the shorter one.
    EXPECT_EQ(FindKeyword(lines, "OBJECT HSLEERFELD1", 0), 2);
    EXPECT_EQ(FindKeyword(lines, "OBJECT HSLEERFELD1", 2), 4);
    EXPECT_EQ(FindKeyword(lines, "ani,ignored", 0), 5);
}

TEST(FindKeyword, MissingKeywordRaisesWithItsText) {
    const std::vector<std::string> lines{"OBJECT A:Animation", "ANI"};
    try {
        FindKeyword(lines, "OBJECT SPERM2,x", 0);
        FAIL();
    } catch (const std::exception& e) {
        EXPECT_STREQ(e.what(), "Keyword \"OBJECT SPERM2\" not found");
    }
    EXPECT_THROW(FindKeyword(lines, "ANI", 2), std::runtime_error);
}

TEST(GOKind, WordsAreCaseSensitiveAndCreateAnimationComesFirst) {
    EXPECT_EQ(GOKind("OBJECT A:Animation"), goAnimation);
    EXPECT_EQ(GOKind("OBJECT A:CreateAnimation"), goCreateAnimation);
    EXPECT_EQ(GOKind("OBJECT A:Picture"), goPicture);
    EXPECT_EQ(GOKind("OBJECT A:Movielist Picture"), goMovielist);
    EXPECT_EQ(GOKind("OBJECT A:ANIMATION"), goUnknown);
}

TEST(HeaderNumber, ReadsTheFirstThreeCharacters) {
    EXPECT_EQ(HeaderNumber("361 Punkte breit"), 361);
    EXPECT_EQ(HeaderNumber("12  Image"), 12);
    EXPECT_EQ(HeaderNumber("1"), 1);
    EXPECT_EQ(HeaderNumber("1234"), 123);
    try {
        HeaderNumber("zw\xF6lf");
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_STREQ(e.what(), "'zw\xF6' ist kein g\xFCltiger Integerwert");
    }
}

TEST(ParseTiming, DelayAfterTheParenthesisAndTheSecondValueAfterTheSlash) {
    const AnimationTiming t = ParseTiming("standard 001-012; (002/007)");
    EXPECT_EQ(t.Delay, 2);
    EXPECT_EQ(t.Second, 7);
    EXPECT_THROW(ParseTiming("standard 001-012;"), EConvertError);
    EXPECT_THROW(ParseTiming("standard 1; (0x2/000)"), EConvertError);
}

TEST(ParseSoundSlot, TakesTheNumbersOfOneSlot) {
    const std::string line = "standard 001-012; (002/000) (sounds 1:3,0,100 2:7,0,100;8,1,5)";
    EXPECT_EQ(ParseSoundSlot(line, 1), (V{3, 0, 100}));
    EXPECT_EQ(ParseSoundSlot(line, 2), (V{7, 0, 100, 8, 1, 5}));
    EXPECT_EQ(ParseSoundSlot(line, 3), V{});
    EXPECT_EQ(ParseSoundSlot("standard 1; (002/000) (SOUNDS 1:x3)", 1), V{});
    EXPECT_EQ(ParseSoundSlot("standard 1; (002/000) 1:3,0,1", 1), V{});
}
