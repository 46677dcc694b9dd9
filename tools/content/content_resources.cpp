// The IResources view of the generated resource table.
#include "content/content_resources.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>

#include "content/resource_data.h"

namespace {

bool SameText(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        auto up = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; };
        if (up(a[i]) != up(b[i])) return false;
    }
    return true;
}

class GeneratedResources : public IResources {
public:
    std::optional<std::span<const std::uint8_t>> Find(std::string_view type,
                                                      std::string_view name) const override {
        for (std::size_t i = 0; i < kContentResourceCount; ++i) {
            const ResourceEntry& e = kContentResources[i];
            if (SameText(e.type, type) && SameText(e.name, name))
                return std::span<const std::uint8_t>(e.data, e.size);
        }
        return std::nullopt;
    }

    // The table's bytes are read-only pages of the program file: dropping
    // them from memory loses nothing, a later read pages them in again. Only
    // pages that lie wholly inside the bytes go (a sprite sheet's bitmap is
    // read once per game screen and would otherwise stay for the whole run).
    void Done(std::span<const std::uint8_t> bytes) const override {
        const auto page = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
        const auto begin = reinterpret_cast<std::uintptr_t>(bytes.data());
        const std::uintptr_t first = (begin + page - 1) / page * page;
        const std::uintptr_t last = (begin + bytes.size()) / page * page;
        if (last > first) madvise(reinterpret_cast<void*>(first), last - first, MADV_DONTNEED);
    }
};

const GeneratedResources g_table;

}  // namespace

const IResources& ContentResources() {
    return g_table;
}
