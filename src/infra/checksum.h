// A 32-bit FNV-1a checksum: the replays' checks of a game's state and of the
// level and cave files they were played with.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

class TChecksum {
public:
    void AddBytes(std::string_view bytes) {
        for (const char c : bytes) {
            value_ ^= static_cast<unsigned char>(c);
            value_ *= 16777619u;
        }
    }
    // Any trivially copyable value, by its bytes (floats by their bits, so a
    // change in the last bit counts).
    template <typename T>
    void Add(const T& v) {
        char bytes[sizeof(T)];
        std::memcpy(bytes, &v, sizeof(T));
        AddBytes(std::string_view(bytes, sizeof(T)));
    }
    std::uint32_t Value() const { return value_; }

private:
    std::uint32_t value_ = 2166136261u;
};

// The checksum of some bytes.
inline std::uint32_t ChecksumOf(std::string_view bytes) {
    TChecksum sum;
    sum.AddBytes(bytes);
    return sum.Value();
}

// Eight lower-case hexadecimal digits.
std::string ChecksumText(std::uint32_t value);
