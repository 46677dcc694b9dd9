// The row kernels at the baseline level, SSE2, which every x86-64 processor
// has: sixteen bytes at a time, and the stretched rows gathered pixel by pixel.
#include <emmintrin.h>

#include <cstring>

#include "engine/pixel_rows_kernels.h"
#include "engine/pixel_rows_simd.h"

namespace {

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
};

template <std::uint32_t Bytes>
void GatherPixels(std::uint8_t* out, const std::uint8_t* src, const std::uint32_t* xs, std::int32_t n,
                  std::int32_t) {
    for (std::int32_t i = 0; i < n; ++i)
        std::memcpy(out + i * Bytes, src + std::size_t(xs[i]) * Bytes, Bytes);
}

}  // namespace

const TRowKernels kSse2RowKernels = MakeRowKernels<TSse2>(GatherPixels<2>, GatherPixels<4>);
