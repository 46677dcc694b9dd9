// The benchmarks that draw run once per instruction-set level of the pixel
// kernels; a level the processor lacks is skipped and says so. Header-only.
#pragma once

#include <benchmark/benchmark.h>

#include <string>

#include "engine/pixel_rows_simd.h"

// Switches to the level in the benchmark's argument `arg` for the
// benchmark's lifetime; Ran() is false (and the benchmark is marked skipped)
// where the processor does not have it.
class TBenchSimdLevel {
public:
    TBenchSimdLevel(benchmark::State& state, int arg)
        : level_(static_cast<TSimdLevel>(state.range(arg))), before_(CurrentSimdLevel()) {
        ran_ = UseSimdLevel(level_) == level_;
        if (!ran_)
            state.SkipWithError((std::string(SimdLevelName(level_)) + " not on this processor").c_str());
    }
    ~TBenchSimdLevel() { UseSimdLevel(before_); }
    TBenchSimdLevel(const TBenchSimdLevel&) = delete;
    TBenchSimdLevel& operator=(const TBenchSimdLevel&) = delete;

    bool Ran() const { return ran_; }
    TSimdLevel Level() const { return level_; }

private:
    TSimdLevel level_, before_;
    bool ran_ = false;
};

// Arguments {format, level} for every format and level.
inline void FormatsAndLevels(benchmark::internal::Benchmark* b) {
    for (const int format : {565, 8888})
        for (const TSimdLevel level : {TSimdLevel::sse2, TSimdLevel::avx2, TSimdLevel::avx512})
            b->Args({format, static_cast<int>(level)});
    b->ArgNames({"format", "level"});
}
