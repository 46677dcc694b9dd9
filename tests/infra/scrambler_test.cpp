// The scrambler's tables are part of the file format: pinned here.
#include <gtest/gtest.h>

#include "infra/random.h"
#include "infra/scrambler.h"

TEST(Scrambler, TablesArePinned) {
    std::string letters, upper, digits;
    for (char c = 'a'; c <= 'z'; ++c) letters += ScrambleChar(c);
    for (char c = 'A'; c <= 'Z'; ++c) upper += ScrambleChar(c);
    for (char c = '0'; c <= '9'; ++c) digits += ScrambleChar(c);
    EXPECT_EQ(letters, "qjxmtavlhzcesrkwbgpodnuyfi");
    EXPECT_EQ(upper, "QJXMTAVLHZCESRKWBGPODNUYFI");
    EXPECT_EQ(digits, "7319052864");
}

TEST(Scrambler, EveryByteRoundTripsAndOnlyLettersAndDigitsChange) {
    for (int b = 0; b < 256; ++b) {
        const char c = static_cast<char>(b);
        EXPECT_EQ(UnscrambleChar(ScrambleChar(c)), c) << b;
        const bool alnum = (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
        if (!alnum) {
            EXPECT_EQ(ScrambleChar(c), c) << b;
        }
    }
}

TEST(Scrambler, TextRoundTripsAndFillersAvoidZz9) {
    RandSeed = 99;
    std::string plain;
    for (int i = 0; i < 4000; ++i) plain += static_cast<char>(RandInt(256));
    const std::string scrambled = ScrambleText(plain);
    ASSERT_EQ(scrambled.size(), plain.size() * 6);
    EXPECT_EQ(UnscrambleText(scrambled), plain);
    for (std::size_t i = 0; i < scrambled.size(); ++i) {
        if (i % 6 == 5) continue;
        const char c = scrambled[i];
        EXPECT_TRUE((c >= 'A' && c <= 'Y') || (c >= 'a' && c <= 'y') || (c >= '0' && c <= '8')) << i;
    }
    // A trailing partial group carries no character.
    EXPECT_EQ(UnscrambleText(scrambled + "abc"), plain);
    EXPECT_EQ(UnscrambleText(""), "");
}
