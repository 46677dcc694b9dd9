// The closing summary of the drawing benchmarks: processor milliseconds per
// frame by format, for pixman, memcpy, and our drawing and our draw + present
// at each instruction-set level, with the ratios, on standard error (standard
// output may be JSON).
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

class TFrameSummary {
public:
    // One run of a benchmark: what ran ("pixman", "memcpy", "standard avx2",
    // "pipeline sse2", ...), the format (565 or 8888), its iterations and the
    // milliseconds per frame. Of several runs, those with the most iterations
    // count (the others were the library's calibration), by their median.
    void Record(const std::string& what, std::int64_t format, std::int64_t iterations, double ms);
    ~TFrameSummary();

private:
    struct TRuns {
        std::int64_t iterations = 0;
        std::vector<double> ms;
    };
    double Figure(std::int64_t format, const std::string& what) const;

    std::map<std::int64_t, std::map<std::string, TRuns>> runs_;
};

TFrameSummary& FrameSummary();
