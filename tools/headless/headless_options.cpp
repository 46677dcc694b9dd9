// Command line of vantorel-headless.
#include "headless_options.h"

#include <charconv>
#include <stdexcept>
#include <string_view>

const char* HeadlessUsage =
    "usage: vantorel-headless [--dir DIR] [--seed N] [--input FILE] [--ms-per-frame N]\n"
    "                         [--max-steps N] [--mode 0|1|2] [--save-frames DIR --at STEP,STEP,...]\n"
    "                         [--bot | --bot-passive] [--bot-delay MS]\n"
    "exit status: 0 the game screen closed with \"OK\", 1 it closed with \"ERROR\",\n"
    "             2 a bad command line or a failure of the runner itself\n";

namespace {

std::uint64_t Number(std::string_view text, const char* option, std::uint64_t max) {
    std::uint64_t v = 0;
    const auto [p, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (text.empty() || ec != std::errc() || p != text.data() + text.size() || v > max)
        throw std::runtime_error(std::string("bad number for ") + option + ": " + std::string(text));
    return v;
}

}  // namespace

HeadlessOptions ParseHeadlessOptions(int argc, char** argv) {
    HeadlessOptions o;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        auto value = [&]() -> std::string_view {
            if (i + 1 >= argc) throw std::runtime_error(std::string(arg) + " needs a value");
            return argv[++i];
        };
        if (arg == "--dir")
            o.Dir = value();
        else if (arg == "--seed")
            o.Seed = static_cast<std::uint32_t>(Number(value(), "--seed", 0xFFFFFFFFu));
        else if (arg == "--input")
            o.InputFile = value();
        else if (arg == "--ms-per-frame")
            o.MsPerFrame = static_cast<std::uint32_t>(Number(value(), "--ms-per-frame", 10000));
        else if (arg == "--max-steps")
            o.MaxSteps = Number(value(), "--max-steps", 100000000);
        else if (arg == "--mode")
            o.Mode = static_cast<int>(Number(value(), "--mode", 2));
        else if (arg == "--save-frames")
            o.SaveFramesDir = value();
        else if (arg == "--bot")
            o.Bot = true;
        else if (arg == "--bot-delay")
            o.BotDelayMs = static_cast<std::uint32_t>(Number(value(), "--bot-delay", 10000));
        else if (arg == "--bot-passive") {
            o.Bot = true;
            o.BotFires = false;
        } else if (arg == "--at") {
            std::string_view list = value();
            while (!list.empty()) {
                const auto comma = list.find(',');
                o.SaveAtSteps.insert(Number(list.substr(0, comma), "--at", 100000000));
                list = comma == std::string_view::npos ? std::string_view() : list.substr(comma + 1);
            }
        } else
            throw std::runtime_error("unknown argument " + std::string(arg));
    }
    if (o.MsPerFrame == 0) throw std::runtime_error("--ms-per-frame must be at least 1");
    if (!o.SaveAtSteps.empty() && o.SaveFramesDir.empty())
        throw std::runtime_error("--at needs --save-frames");
    return o;
}
