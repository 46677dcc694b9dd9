// Windows-1252 <-> UTF-8 at the desktop boundary.
#include <gtest/gtest.h>

#include "infra/cp1252.h"

TEST(Cp1252, TypedTextBecomesTheProgramsBytes) {
    EXPECT_EQ(Utf8ToCp1252("Zo\xC3\xAB \xE2\x82\xAC"), "Zo\xEB \x80");  // ë and the euro sign
    EXPECT_EQ(Utf8ToCp1252("\xE4\xBD\xA0ok"), "ok");                    // no byte for it: dropped
    EXPECT_EQ(Utf8ToCp1252("a\xC3"), "a");                              // cut sequence
    EXPECT_EQ(Utf8ToCp1252("\xF0\x9F\x98\x80!"), "!");                  // emoji
}

TEST(Cp1252, EveryAssignedByteRoundTrips) {
    for (int b = 1; b < 256; ++b) {
        if (b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D) continue;
        const std::string s(1, static_cast<char>(b));
        EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(s)), s) << b;
    }
    EXPECT_EQ(Cp1252ToUtf8("Gr\xF6\xDF"
                           "e"),
              "Gr\xC3\xB6\xC3\x9F"
              "e");
}
