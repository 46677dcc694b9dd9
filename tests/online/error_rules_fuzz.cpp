// Fuzz entry: the bytes before the first NUL as error-help rules, the rest as
// the log (without a NUL, the same bytes serve as both); each log line is also
// tried as an address for the news pane's area test.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "infra/file_io.h"
#include "online/error_rules.h"
#include "online/web_address.h"

namespace {

constexpr std::string_view Base = "http://127.0.0.1:8080/vtrinternal";

void CheckAddress(std::string_view url) {
    if (!IsInArea(url, Base)) return;
    const auto address = ParseWebAddress(url);
    if (!address || address->Host != "127.0.0.1" || address->Port != 8080) std::abort();
    if (address->Path != "/vtrinternal" && address->Path.rfind("/vtrinternal/", 0) != 0) std::abort();
    if (address->Path.find("/../") != std::string::npos) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    const std::size_t nul = input.find('\0');
    const std::string rules = input.substr(0, nul);
    const std::vector<std::string> log = SplitLines(nul == std::string::npos ? input : input.substr(nul + 1));

    const TKnownError known = FindKnownError(rules, log);
    if (!known.Page.empty() && !IsHelpPageName(known.Page)) std::abort();
    // The result is the first rule's that gives a page.
    TKnownError first;
    for (const std::string& rule : SplitLines(rules)) {
        first = MatchErrorRule(rule, log);
        if (!first.Page.empty()) break;
    }
    if (first.Page != known.Page || first.KeepLog != known.KeepLog) std::abort();
    for (const std::string& line : log) CheckAddress(line);
    return 0;
}
