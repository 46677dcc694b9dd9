// Music preparation progress on standard error.
#include "sound/console_progress.h"

#include <cstdio>

void TConsoleConvertProgress::Started(int jobCount) {
    std::fprintf(stderr, "Converting %d music file(s)...\n", jobCount);
}
