// Length-prefixed strings of fixed capacity, as stored in the record files.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

// One length byte followed by Capacity character bytes. Only the first
// Length characters count; the rest of the slot is kept as it was so that a
// record read from disk is written back byte for byte.
template <std::size_t Capacity>
struct ShortString {
    static_assert(Capacity > 0 && Capacity <= 255);
    std::uint8_t Length;
    char Chars[Capacity];

    // A length byte larger than the slot (a damaged file) is read as the full slot.
    std::string str() const { return std::string(Chars, std::min<std::size_t>(Length, Capacity)); }
    // Texts longer than the slot are cut to fit.
    void assign(std::string_view text) {
        const std::size_t n = std::min(text.size(), Capacity);
        if (n > 0) std::memcpy(Chars, text.data(), n);
        Length = static_cast<std::uint8_t>(n);
    }
    // Sets the text and clears the unused part of the slot.
    void reset(std::string_view text = {}) {
        std::memset(Chars, 0, Capacity);
        assign(text);
    }
};
