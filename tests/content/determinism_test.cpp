// The content tool gives the same bytes on every run, within its time budget.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <cstdlib>
#include <filesystem>

#include "content_files.h"

namespace fs = std::filesystem;

namespace {
// Processor time of the children waited for so far: the budget holds on a busy machine too,
// where wall time would count the other processes' turns.
double ChildrenCpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    const auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}
}  // namespace

TEST(ContentTool, SecondRunGivesTheSameBytesWithinTheBudget) {
    const fs::path dir = fs::temp_directory_path() / ("vantorel-content-" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    const std::string resources = (dir / "resources.cpp").string();
    const std::string command = std::string("\"") + CONTENT_TOOL + "\" --out \"" + dir.string() +
                                "\" --level \"" + CONTENT_SOURCE_DIR + "/Level1.txt\" --resources \"" +
                                resources + "\" --icon-name " + CONTENT_ICON_NAME + " > /dev/null";
    const double before = ChildrenCpuSeconds();
    ASSERT_EQ(std::system(command.c_str()), 0);
    const double seconds = ChildrenCpuSeconds() - before;
    EXPECT_LT(seconds, 60.0);

    EXPECT_TRUE(ReadFileOrEmpty(resources) == ReadFileOrEmpty(CONTENT_RESOURCE_SOURCE))
        << "resource table differs";
    int files = 0;
    for (const auto& e : fs::recursive_directory_iterator(dir)) {
        if (!e.is_regular_file() || e.path() == resources) continue;
        ++files;
        const fs::path rel = fs::relative(e.path(), dir);
        EXPECT_TRUE(ReadFileOrEmpty(e.path()) == ReadFileOrEmpty((fs::path(CONTENT_OUT_DIR) / rel).string()))
            << rel << " differs between runs";
    }
    EXPECT_GT(files, 80);
    fs::remove_all(dir);
}
