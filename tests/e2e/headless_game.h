// Whole games through vantorel-headless: a temporary program directory with
// the build's pictures and sounds, a level, settings and an input script; the
// runner's log lines come back for checking, and the records can be read.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "support/temp_program_dir.h"

struct HeadlessResult {
    int ExitCode = -1;
    std::vector<std::string> Lines;  // the log lines, in order

    bool Has(const std::string& line) const;
    // Index of the first line equal to line (or starting with it when prefix)
    // at or after from; -1 when none.
    int Find(const std::string& line, int from = 0, bool prefix = false) const;
    // True when the lines appear in this order (other lines between them).
    bool InOrder(const std::vector<std::string>& lines) const;
    int Count(const std::string& line) const;
    std::string Last() const { return Lines.empty() ? std::string() : Lines.back(); }
    std::string Text() const;  // everything, for failure messages
};

class HeadlessGame {
public:
    // A program directory whose gfx and snd are the build's (snd with its
    // music already converted) and whose sps holds the shipped level and cave.
    HeadlessGame();

    // The level file Level1.txt, scrambled as the game stores it.
    void SetLevel(const std::vector<std::string>& lines);
    void SetSetting(const std::string& key, const std::string& value);
    // Writes Env (as the test set it up) to sps/env.dat.
    void SaveRecords();
    // Runs the runner with the script; Env is loaded from the folder after it.
    HeadlessResult Run(const std::string& script, std::uint32_t seed = 1, std::uint64_t maxSteps = 30000,
                       const std::string& extraArgs = "");
    // Verifies the replay in the folder; its verdict is the file stderr.txt.
    HeadlessResult Verify(const std::string& replayFile);

    TempProgramDir Dir;

private:
    HeadlessResult Runner(const std::string& arguments);
};
