// The score record encoding against vectors written out by hand; round trips
// of arbitrary bytes are the fuzz entry's check.
#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <string>

#include "online/score_encoding.h"

namespace {

// Gives the listed values first, then 0 for ever: with a == b every later
// swap leaves the permutation as it is.
class ScriptedRandom : public IRandomSource {
public:
    explicit ScriptedRandom(std::deque<std::uint32_t> values) : values_(std::move(values)) {}
    std::uint32_t Below(std::uint32_t) override {
        if (values_.empty()) return 0;
        const std::uint32_t v = values_.front();
        values_.pop_front();
        return v;
    }

private:
    std::deque<std::uint32_t> values_;
};

std::string Repeat(const std::string& piece, int times) {
    std::string out;
    for (int i = 0; i < times; ++i) out += piece;
    return out;
}

const std::string IdentityHead = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789%2B%2D";

}  // namespace

TEST(ScoreEncoding, TheIdentityPermutationWrittenOutByHand) {
    // "VTR| |100|Anna|" and 49 padding blanks, shuffled by the identity.
    const std::string encoded = IdentityHead + "VTR%7C%20%7C100%7CAnna%7C" + Repeat("%20", 49);
    const std::string plain = "VTR| |100|Anna|" + std::string(49, ' ');
    EXPECT_EQ(DecodeScoreRecord(encoded), plain);
    ScriptedRandom identity({});
    EXPECT_EQ(EncodeScoreRecord("VTR| |100|Anna|", identity), encoded);
}

TEST(ScoreEncoding, AThreeCycleShowsWhichWayThePermutationGoes) {
    // Swaps (0,1) then (1,2) give p = 1,2,0,3,4...: data byte j goes to
    // position p[j], so "abc" travels as "cab" behind the head "BCA...".
    const std::string encoded = "BCA" + IdentityHead.substr(3) + "cab" + Repeat("%20", 61);
    ScriptedRandom cycle({0, 1, 1, 2});
    EXPECT_EQ(EncodeScoreRecord("abc", cycle), encoded);
    EXPECT_EQ(DecodeScoreRecord(encoded), "abc" + std::string(61, ' '));
}

TEST(ScoreEncoding, EachEscapeIsDecodedOnceAndHexMayBeLowerCase) {
    // The data "%41" escapes to "%2541"; decoding twice would give "A".
    EXPECT_EQ(DecodeScoreRecord(IdentityHead + "%2541" + Repeat("%20", 61)), "%41" + std::string(61, ' '));
    // A "%" without two hex digits stands for itself.
    const std::string lone = IdentityHead + "%G1" + std::string(61, 'x');
    EXPECT_EQ(DecodeScoreRecord(lone), "%G1" + std::string(61, 'x'));
    EXPECT_EQ(DecodeScoreRecord(IdentityHead + "%7c" + Repeat("%20", 63)), "|" + std::string(63, ' '));
}

TEST(ScoreEncoding, BlocksOf64BytesBecome128AndTheHeadIsAPermutation) {
    TOnlineRandom random(7);
    // Letters only, so the data part needs no escapes; the head escapes "+" and "-".
    const std::string one = EncodeScoreRecord(std::string(64, 'x'), random);
    EXPECT_EQ(one.size(), 64u + 2 * 2 + 64);
    std::string head = one.substr(0, 68);
    for (const auto& [from, to] : {std::pair{"%2B", "+"}, std::pair{"%2D", "-"}})
        head.replace(head.find(from), 3, to);
    std::string sortedHead = head, sortedAlphabet(ScoreAlphabet);
    std::sort(sortedHead.begin(), sortedHead.end());
    std::sort(sortedAlphabet.begin(), sortedAlphabet.end());
    EXPECT_EQ(sortedHead, sortedAlphabet);
    EXPECT_NE(head, ScoreAlphabet);  // shuffled, not the identity
    // 65 bytes: a second block of one byte and 63 blanks (%20).
    const std::string two = EncodeScoreRecord(std::string(65, 'x'), random);
    EXPECT_EQ(two.size(), 2 * (68u + 64) + 63 * 2);
}

TEST(ScoreEncoding, BadLengthsAndCharactersRaiseTheirTexts) {
    auto messageOf = [](const std::string& encoded) {
        try {
            DecodeScoreRecord(encoded);
        } catch (const EScoreRecordError& e) {
            return std::string(e.what());
        }
        return std::string("no error");
    };
    EXPECT_EQ(messageOf(""), "String hat die L\xE4nge 0<>n*128 and <>0");
    EXPECT_EQ(messageOf(std::string(127, 'A')), "String hat die L\xE4nge 127<>n*128 and <>0");
    // The length counts after unescaping: 128 escapes are 128 bytes.
    EXPECT_EQ(messageOf(Repeat("%41", 128)), "no error");
    EXPECT_EQ(messageOf(Repeat("%41", 129)), "String hat die L\xE4nge 129<>n*128 and <>0");
    EXPECT_EQ(messageOf(IdentityHead.substr(0, 20) + "*" + std::string(107, 'A')),
              "Decodierung von * nicht m\xF6glich");
    // A bad character in a later block is found too.
    EXPECT_EQ(messageOf(std::string(128, 'A') + "%7C" + std::string(127, 'A')),
              "Decodierung von | nicht m\xF6glich");
}
