// The online services' random source.
#include "online/online_random.h"

namespace {

std::uint64_t EntropySeed() {
    std::random_device device;
    return (static_cast<std::uint64_t>(device()) << 32) ^ device();
}

}  // namespace

TOnlineRandom::TOnlineRandom() : engine_(EntropySeed()) {}

TOnlineRandom::TOnlineRandom(std::uint64_t seed) : engine_(seed) {}

std::uint32_t TOnlineRandom::Below(std::uint32_t range) {
    return std::uniform_int_distribution<std::uint32_t>(0, range - 1)(engine_);
}
