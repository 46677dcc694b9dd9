// The IResources view of the generated resource table.
#include "content/content_resources.h"

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
};

const GeneratedResources g_table;

}  // namespace

const IResources& ContentResources() {
    return g_table;
}
