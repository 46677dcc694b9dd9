// The closing summary of the drawing benchmarks.
#include "frame_summary.h"

#include <algorithm>
#include <cstdio>

#include "engine/simd_level.h"

void TFrameSummary::Record(const std::string& what, std::int64_t format, std::int64_t iterations, double ms) {
    TRuns& r = runs_[format][what];
    if (iterations > r.iterations) r = TRuns{iterations, {}};
    if (iterations == r.iterations) r.ms.push_back(ms);
}

double TFrameSummary::Figure(std::int64_t format, const std::string& what) const {
    const auto f = runs_.find(format);
    if (f == runs_.end()) return 0;
    const auto it = f->second.find(what);
    if (it == f->second.end() || it->second.ms.empty()) return 0;
    std::vector<double> ms = it->second.ms;
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

TFrameSummary::~TFrameSummary() {
    std::string ran;
    for (const auto& [format, byWhat] : runs_) {
        const double pixman = Figure(format, "pixman"), copy = Figure(format, "memcpy");
        std::fprintf(stderr, "Frame %lld (processor time per frame): pixman %.3f ms, memcpy %.4f ms\n",
                     static_cast<long long>(format), pixman, copy);
        ran.clear();
        for (const TSimdLevel level : {TSimdLevel::sse2, TSimdLevel::avx2, TSimdLevel::avx512}) {
            const std::string name = SimdLevelName(level);
            const double ours = Figure(format, "standard " + name),
                         whole = Figure(format, "pipeline " + name);
            if (ours <= 0 && whole <= 0) continue;
            ran += " " + name;
            std::fprintf(stderr, "  %-6s standard %.3f ms", name.c_str(), ours);
            if (ours > 0 && pixman > 0) std::fprintf(stderr, ", standard/pixman %.2f", ours / pixman);
            if (ours > 0 && copy > 0) std::fprintf(stderr, ", standard/memcpy %.1f", ours / copy);
            if (whole > 0) std::fprintf(stderr, "; draw + present %.3f ms", whole);
            std::fprintf(stderr, "\n");
        }
    }
    if (!runs_.empty())
        std::fprintf(stderr, "Levels run:%s (this processor has up to %s)\n", ran.c_str(),
                     SimdLevelName(ProcessorSimdLevel()));
}

TFrameSummary& FrameSummary() {
    static TFrameSummary summary;
    return summary;
}
