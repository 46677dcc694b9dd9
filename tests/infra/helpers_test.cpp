// Number helpers, the random source and the clock.
#include <gtest/gtest.h>

#include "infra/clock.h"
#include "infra/errors.h"
#include "infra/helpers.h"
#include "infra/random.h"

TEST(Helpers, IntToStrZeroPadsTheDigitsAndPutsTheSignInFront) {
    EXPECT_EQ(IntToStrZero(7, 4), "0007");
    EXPECT_EQ(IntToStrZero(12345, 3), "12345");
    EXPECT_EQ(IntToStrZero(-5, 3), "-005");
    EXPECT_EQ(IntToStrZero(0, 0), "0");
    EXPECT_EQ(IntToStrZero(INT32_MIN, 1), "-2147483648");
}

TEST(Helpers, ParseFloatTakesAPointOrOneComma) {
    EXPECT_DOUBLE_EQ(ParseFloat("1.5"), 1.5);
    EXPECT_DOUBLE_EQ(ParseFloat("1,5"), 1.5);
    EXPECT_DOUBLE_EQ(ParseFloat("-0,25"), -0.25);
    EXPECT_DOUBLE_EQ(ParseFloat(" 3 "), 3.0);
    EXPECT_DOUBLE_EQ(ParseFloat("2e3"), 2000.0);
    for (const char* bad : {"1,5,5", "a", "", "1.5.5", "--1", "1e", "."}) {
        try {
            ParseFloat(bad);
            ADD_FAILURE() << bad;
        } catch (const EConvertError& e) {
            EXPECT_EQ(std::string(e.what()), std::string(bad) + " ist kein g\xFCltiger Gleitkommastring");
        }
    }
}

TEST(Helpers, StrToIntAcceptsDecimalIntegersOnly) {
    EXPECT_EQ(StrToInt("0"), 0);
    EXPECT_EQ(StrToInt(" -12"), -12);
    EXPECT_EQ(StrToInt("+7"), 7);
    for (const char* bad : {"", "1x", "x", "99999999999", "1.0"})
        EXPECT_THROW(StrToInt(bad), EConvertError) << bad;
}

TEST(Random, TheSequenceIsPinned) {
    RandSeed = 0;
    EXPECT_EQ(RandInt(100), 0u);
    EXPECT_EQ(RandSeed, 1u);
    EXPECT_EQ(RandInt(100), 3u);
    EXPECT_EQ(RandSeed, 134775814u);
    RandSeed = 12345;
    std::vector<std::uint32_t> seq;
    for (int i = 0; i < 6; ++i) seq.push_back(RandInt(1000));
    EXPECT_EQ(seq, (std::vector<std::uint32_t>{385, 289, 79, 553, 633, 341}));
    RandSeed = 0;
    EXPECT_DOUBLE_EQ(RandFloat(), 1.0 / 4294967296.0);
    EXPECT_EQ(RandInt(0), 0u);
}

TEST(Random, RandomizeSeedsFromTheClock) {
    ManualClock clock(424242);
    Randomize(clock);
    EXPECT_EQ(RandSeed, 424242u);
}

TEST(Clock, WaitMsWaitsPastTheGivenTimeAcrossTheWrap) {
    ManualClock clock(0xFFFFFFF0u);  // moves only when the wait naps
    WaitMs(clock, 40);
    const std::uint32_t after = clock.TickCount();
    EXPECT_GT(static_cast<std::uint32_t>(after - 0xFFFFFFF0u), 40u);
    EXPECT_LT(static_cast<std::uint32_t>(after - 0xFFFFFFF0u), 50u);
}
