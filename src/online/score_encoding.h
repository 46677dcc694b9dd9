// The block-shuffle encoding that carries a score record in one URL query
// value: each 64-byte block travels as its permutation (64 alphabet
// characters) and the shuffled bytes, then everything but letters and digits
// is percent-escaped. The score server decodes with the same code.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

#include "online/online_random.h"

// The 64 characters that name the positions 0..63 of a permutation.
constexpr std::string_view ScoreAlphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+-";
constexpr std::size_t ScoreBlockSize = 64;
// How many random swaps shuffle each block's permutation.
constexpr int ScoreShuffleSwaps = 1000;

// A record that cannot be decoded or does not hold what a record must.
class EScoreRecordError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Pads the record with blanks to whole 64-byte blocks and encodes it; the
// result is safe to put into a URL as it stands.
std::string EncodeScoreRecord(std::string_view record, IRandomSource& random);
// The inverse: the record followed by its padding blanks. Raises
// EScoreRecordError "String hat die Länge <n><>n*128 and <>0" when the
// unescaped text is not a whole number of blocks, and "Decodierung von <c>
// nicht möglich" for a permutation character outside the alphabet (texts in
// Windows-1252).
std::string DecodeScoreRecord(std::string_view encoded);
