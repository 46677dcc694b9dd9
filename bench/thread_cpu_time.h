// Processor time of the calling thread: the machine is shared, and wall time
// would count other programs' work. Header-only.
#pragma once

#include <time.h>

inline double ThreadCpuMs() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}
