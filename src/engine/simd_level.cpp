// Instruction-set levels: the processor's, and the one asked for.
#include "engine/simd_level.h"

#include <cstring>
#include <initializer_list>

TSimdLevel ProcessorSimdLevel() {
    // The compiler's checks include the operating system's support for the
    // wider registers, not only the processor's flags.
    if (__builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512bw") &&
        __builtin_cpu_supports("avx512vl"))
        return TSimdLevel::avx512;
    if (__builtin_cpu_supports("avx2")) return TSimdLevel::avx2;
    return TSimdLevel::sse2;
}

TSimdLevel SimdLevelFor(const char* asked, TSimdLevel available) {
    if (!asked) return available;
    for (const TSimdLevel level : {TSimdLevel::sse2, TSimdLevel::avx2, TSimdLevel::avx512})
        if (std::strcmp(asked, SimdLevelName(level)) == 0) return level < available ? level : available;
    return available;
}

const char* SimdLevelName(TSimdLevel level) {
    switch (level) {
        case TSimdLevel::sse2:
            return "sse2";
        case TSimdLevel::avx2:
            return "avx2";
        case TSimdLevel::avx512:
            return "avx512";
    }
    return "?";
}
