// One replay's verification in its own process: its caps first, then the game
// played headless with the game's data, and one line for the server.
#include "replay_check.h"

#include <iostream>
#include <iterator>
#include <new>

#include "content/content_resources.h"
#include "engine/block_font_rasterizer.h"
#include "infra/file_io.h"
#include "replay_content.h"
#include "replay_judge.h"
#include "replay_site.h"

namespace {

std::string ReadReplay(const std::string& file) {
    if (file != "-") {
        std::optional<std::string> text = ReadWholeFile(file);
        if (!text) throw std::runtime_error("cannot read " + file);
        return std::move(*text);
    }
    std::string text;
    char buffer[65536];
    while (std::cin.read(buffer, sizeof buffer) || std::cin.gcount() > 0) {
        text.append(buffer, static_cast<std::size_t>(std::cin.gcount()));
        if (text.size() > MaxReplayUploadBytes) break;  // the reader refuses it by its size
    }
    return text;
}

// The program version in the replay's header; empty when it has none (the
// verification then says what is wrong with the file).
std::string ReplayProgram(std::string_view text) {
    try {
        return TReplayReader(text).ReadHeader().Program;
    } catch (const EReplayError&) {
        return {};
    }
}

ReplayJudgement Check(const ServerOptions& o, const std::filesystem::path& data) {
    const VerifyReplayJob& job = *o.verify;
    std::string text = ReadReplay(job.file);
    UseGameData(data, o.data.empty() ? data : o.data / "cache");
    TBlockFontRasterizer fonts;
    TReplayContent content;
    content.Resources = &ContentResources();
    content.Fonts = &fonts;
    const std::string program = ReplayProgram(text);
    const TReplayVerdict verdict = VerifyReplay(std::move(text), content, ReplayLimitsOf(o.caps));
    return JudgeReplay(verdict, program, {job.score, job.statText, job.gamesWon});
}

}  // namespace

int RunReplayCheck(const ServerOptions& o) {
    CapThisVerification(o.caps);
    const std::optional<std::filesystem::path> data = FindGameData(o.gameData, ServerProgram().parent_path());
    if (!data) throw std::runtime_error("no game data to verify with (--game-data DIR)");
    ReplayJudgement judgement;
    try {
        judgement = Check(o, *data);
    } catch (const std::bad_alloc&) {
        judgement.reason = "verification needed more than " + std::to_string(o.caps.memoryMib) + " MiB";
    }
    std::cout << (judgement.verified ? "verified " + judgement.outcome : "rejected " + judgement.reason)
              << std::endl;
    return 0;
}
