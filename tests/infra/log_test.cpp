// The log and its clean-end marker.
#include <gtest/gtest.h>

#include "infra/log.h"
#include "support/temp_program_dir.h"

TEST(Log, LinesAreAppendedWithCrLfAndNothingElse) {
    TempProgramDir dir;
    WriteLog("InitDDraw (Inherited)");
    WriteLog("");
    WriteLog("OK");
    EXPECT_EQ(dir.Read("sps/LOG.TXT"), "InitDDraw (Inherited)\r\n\r\nOK\r\n");
}

TEST(Log, EndsWithOkOnlyForAMissingLogOrAnExactLastLine) {
    TempProgramDir dir;
    EXPECT_TRUE(LogEndsWithOK());
    struct Case {
        const char* text;
        bool ok;
    };
    const Case cases[] = {{"start\r\nOK\r\n", true}, {"OK", true},      {"OK\r\nERROR\r\n", false},
                          {" OK\r\n", false},        {"ok\r\n", false}, {"", false},
                          {"OK\r\n\r\n", false},     {"x\nOK\n", true}};
    for (const auto& c : cases) {
        dir.Write("sps/LOG.TXT", c.text);
        EXPECT_EQ(LogEndsWithOK(), c.ok) << '"' << c.text << '"';
    }
}

TEST(Log, DeleteIgnoresAMissingFileAndTakesTheReplayAlong) {
    TempProgramDir dir;
    DeleteLog();
    WriteLog("ERROR");
    dir.Write("sps/log.replay", "the failed visit");
    EXPECT_FALSE(LogEndsWithOK());
    DeleteLog();
    EXPECT_FALSE(dir.Exists("sps/LOG.TXT"));
    EXPECT_FALSE(dir.Exists("sps/log.replay"));
    EXPECT_TRUE(LogEndsWithOK());
}

TEST(Log, ADiversionTakesEveryLineInsteadOfTheFileUntilItEnds) {
    TempProgramDir dir;
    std::vector<std::string> seen, diverted;
    SetLogListener([&](std::string_view line) { seen.emplace_back(line); });
    {
        const TLogDiversion replay([&](std::string_view line) { diverted.emplace_back(line); });
        WriteLog("glsInit: Start");
    }
    WriteLog("OK");
    SetLogListener({});
    EXPECT_EQ(diverted, std::vector<std::string>{"glsInit: Start"});
    EXPECT_EQ(seen, std::vector<std::string>{"OK"});
    EXPECT_EQ(dir.Read("sps/LOG.TXT"), "OK\r\n");
}

TEST(Log, AListenerSeesEveryLine) {
    TempProgramDir dir;
    std::vector<std::string> seen;
    SetLogListener([&](std::string_view line) { seen.emplace_back(line); });
    WriteLog("1");
    WriteLog("2");
    SetLogListener({});
    WriteLog("3");
    EXPECT_EQ(seen, (std::vector<std::string>{"1", "2"}));
}
