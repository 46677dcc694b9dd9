// The row kernels at the baseline level, SSE2, which every x86-64 processor
// has: sixteen bytes at a time, the stretched rows gathered pixel by pixel.
#include <emmintrin.h>

#include <cstring>

#include "engine/pixel_rows_kernels.h"
#include "engine/pixel_rows_simd.h"

namespace {

template <class Pixel>
int Px(const std::uint8_t* src, std::uint32_t x) {
    Pixel v;
    std::memcpy(&v, src + std::size_t(x) * sizeof(Pixel), sizeof(Pixel));
    return static_cast<int>(v);
}

struct TSse2 : TVectorOps<16> {
    // Up to eight bytes into the low end of a register: whole chunks by one
    // narrow load (a wide load of a partly written stack copy would stall).
    static __m128i Low(const std::uint8_t* p, std::uint32_t bytes) {
        if (bytes == 8) return _mm_loadl_epi64(reinterpret_cast<const __m128i*>(p));
        if (bytes == 4) {
            std::int32_t v;
            std::memcpy(&v, p, 4);
            return _mm_cvtsi32_si128(v);
        }
        return __m128i(LoadPart<Reg>(p, bytes));
    }
    static Reg Bytes16(const std::uint8_t* p, std::uint32_t count) {
        return Reg(_mm_unpacklo_epi8(Low(p, count), _mm_setzero_si128()));
    }
    static Reg Bytes32(const std::uint8_t* p, std::uint32_t count) {
        return Reg(_mm_unpacklo_epi16(__m128i(Bytes16(p, count)), _mm_setzero_si128()));
    }
    static Reg Words32(const std::uint8_t* p, std::uint32_t count) {
        return Reg(_mm_unpacklo_epi16(Low(p, 2 * count), _mm_setzero_si128()));
    }
    static Reg Gather16(const std::uint8_t* src, const std::uint32_t* xs, std::uint32_t count, std::int32_t) {
        if (count < 8) return GatherFew<std::uint16_t>(src, xs, count);
        const auto at = [&](int k) { return static_cast<short>(Px<std::uint16_t>(src, xs[k])); };
        return Reg(_mm_setr_epi16(at(0), at(1), at(2), at(3), at(4), at(5), at(6), at(7)));
    }
    static Reg Gather32(const std::uint8_t* src, const std::uint32_t* xs, std::uint32_t count, std::int32_t) {
        if (count < 4) return GatherFew<std::uint32_t>(src, xs, count);
        const auto at = [&](int k) { return Px<std::uint32_t>(src, xs[k]); };
        return Reg(_mm_setr_epi32(at(0), at(1), at(2), at(3)));
    }
};

}  // namespace

const TRowKernels kSse2RowKernels = MakeRowKernels<TSse2>();
