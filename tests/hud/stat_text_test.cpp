// The statistics text: its digit layout, the pinned letter sets and
// permutation, and the decoder a score server uses.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <set>

#include "hud/stat_text.h"
#include "hud_world.h"
#include "infra/random.h"

namespace {

TGameStats SampleStats() {
    TGameStats s{};
    s[StatSecondsPlayed] = 187;                                                     // 87
    s[StatCondomsFired] = 1234;                                                     // 234
    s[StatTorpedoesFired] = -7;                                                     // 07
    for (std::size_t i = 1; i <= 24; ++i) s[i] = static_cast<std::int32_t>(i) * 3;  // the per-kind slots
    return s;
}

TEST(StatText, DigitLayout) {
    // Per kind: launched, far hits, near hits, passed.
    EXPECT_EQ(StatDigits(SampleStats()),
              "8723407"
              "03213957"
              "06244260"
              "09274563"
              "12304866"
              "15335169"
              "18365472");
}

TEST(StatText, EncodingIsPinnedAndDecodesBack) {
    RandSeed = 2026;
    const std::string text = EncodeStatText(SampleStats());
    // The score server shares these tables: this text must never change.
    EXPECT_EQ(text, "UAelmPUaEtXEUaDyeJWcdafKjPPHFqAYKTVRjiWobadkmcxEsgVijPa");
    ASSERT_EQ(text.size(), 55u);
    EXPECT_EQ(DecodeStatText(text), StatDigits(SampleStats()));
    EXPECT_EQ(DecodeStatText(text.substr(1)), std::nullopt);
    EXPECT_EQ(DecodeStatText(text.substr(1) + "1"), std::nullopt);
}

TEST(StatText, LetterSetsHaveTheirSizesAndAreDisjoint) {
    RandSeed = 7;
    std::set<char> all;
    for (int d = 0; d <= 9; ++d) {
        std::set<char> letters;
        for (int round = 0; round < 40; ++round) {
            const std::string text = EncodeStatDigits(std::string(55, static_cast<char>('0' + d)));
            letters.insert(text.begin(), text.end());
        }
        EXPECT_EQ(letters.size(), d == 0 ? 7u : 5u) << "digit " << d;
        for (char c : letters) EXPECT_TRUE(all.insert(c).second) << c << " is in two sets";
    }
    EXPECT_ANY_THROW(EncodeStatDigits("12"));
}

class StatTextOfAGame : public hudtest::HudWorld {};

TEST_F(StatTextOfAGame, CountsTheSecondsSincePlayBegan) {
    MakeDisplays();
    screen.StartTick = 100000;
    clock.Set(100000 + 83999);
    const auto digits = DecodeStatText(Anzeige->BuildStatText());
    ASSERT_TRUE(digits.has_value());
    EXPECT_EQ(digits->substr(0, 2), "83");
}

}  // namespace
