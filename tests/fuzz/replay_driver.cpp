// Runs a fuzz entry point without libFuzzer: over the files and folders given
// on the command line, and over a number of seeded random and mutated inputs,
// so that the sanitizer build exercises every loader of outside data.
//   <fuzzer> [--random N] [--seed S] [file-or-dir ...]
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

std::uint64_t g_state = 1;
std::uint32_t Next() {
    g_state = g_state * 6364136223846793005ull + 1442695040888963407ull;
    return static_cast<std::uint32_t>(g_state >> 33);
}

void Run(const std::string& bytes) {
    // A copy of exactly the input's size, so any overread hits the sanitizer.
    std::vector<std::uint8_t> copy(bytes.begin(), bytes.end());
    LLVMFuzzerTestOneInput(copy.empty() ? nullptr : copy.data(), copy.size());
}

std::string Mutate(std::string s) {
    const int edits = 1 + static_cast<int>(Next() % 8);
    for (int i = 0; i < edits; ++i) {
        switch (Next() % 5) {
            case 0:
                if (!s.empty()) s[Next() % s.size()] = static_cast<char>(Next());
                break;
            case 1:
                if (!s.empty()) s.resize(Next() % s.size());
                break;
            case 2:
                s.insert(s.empty() ? 0 : Next() % s.size(), 1, static_cast<char>(Next()));
                break;
            case 3:
                if (!s.empty()) s[Next() % s.size()] ^= static_cast<char>(1u << (Next() % 8));
                break;
            default:
                s.append(Next() % 64, static_cast<char>(Next()));
                break;
        }
    }
    return s;
}

}  // namespace

int main(int argc, char** argv) {
    long randomRuns = 0;
    std::vector<std::string> seeds;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--random") && i + 1 < argc) {
            randomRuns = std::atol(argv[++i]);
        } else if (!std::strcmp(argv[i], "--seed") && i + 1 < argc) {
            g_state = std::strtoull(argv[++i], nullptr, 10);
        } else {
            std::vector<std::filesystem::path> files;
            if (std::filesystem::is_directory(argv[i])) {
                for (const auto& e : std::filesystem::recursive_directory_iterator(argv[i]))
                    if (e.is_regular_file()) files.push_back(e.path());
            } else {
                files.emplace_back(argv[i]);
            }
            for (const auto& f : files) {
                std::ifstream in(f, std::ios::binary);
                seeds.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
            }
        }
    }
    Run("");
    for (const auto& s : seeds) Run(s);
    for (long n = 0; n < randomRuns; ++n) {
        if (!seeds.empty() && Next() % 4 != 0) {
            Run(Mutate(seeds[Next() % seeds.size()]));
        } else {
            std::string s(Next() % 12000, '\0');
            for (char& c : s) c = static_cast<char>(Next());
            Run(s);
        }
    }
    std::printf("replayed %zu seeds and %ld generated inputs\n", seeds.size() + 1, randomRuns);
    return 0;
}
