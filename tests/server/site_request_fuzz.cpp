// Fuzz entry: any method and request target against the default site. The
// site must answer every one with a known status and never hand out a file
// from outside its folder.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "default_site.h"
#include "game_site.h"
#include "sqlite_score_store.h"

namespace {

struct Fixture {
    std::filesystem::path dir;
    SqliteScoreStore store{":memory:"};
    ManualServerClock clock{1714953600};
    std::optional<GameSite> site;

    Fixture() {
        std::string pattern = (std::filesystem::temp_directory_path() / "vantorel-site-fuzz-XXXXXX").string();
        if (!mkdtemp(pattern.data())) std::abort();
        dir = pattern;
        WriteDefaultSite(dir / "www", DefaultSiteFiles("http://127.0.0.1:1", std::nullopt));
        std::ofstream(dir / "secret.txt") << "SECRET";
        ScorePublication p;
        p.score = 100;
        p.data.name = "<b>";
        store.Publish(p, 0);
        site.emplace(dir / "www", store, clock);
    }
    ~Fixture() {
        std::error_code ec;
        std::filesystem::remove_all(dir, ec);
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static Fixture fixture;
    static const char* const kMethods[] = {"GET", "HEAD", "POST", "", "get"};
    if (size == 0) return 0;
    const std::string method = kMethods[data[0] % 5];
    const std::string target(reinterpret_cast<const char*>(data) + 1, size - 1);
    const SiteResponse r = fixture.site->Handle(method, target);
    switch (r.status) {
        case 200:
        case 302:
        case 400:
        case 404:
        case 405:
        case 414:
            break;
        default:
            std::abort();
    }
    if (r.body.find("SECRET") != std::string::npos) std::abort();
    return 0;
}
