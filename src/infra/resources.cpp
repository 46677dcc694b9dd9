// The empty resource table.
#include "resources.h"

namespace {

class TEmptyResources : public IResources {
public:
    std::optional<std::span<const std::uint8_t>> Find(std::string_view, std::string_view) const override {
        return std::nullopt;
    }
};

}  // namespace

const IResources& NoResources() {
    static const TEmptyResources table;
    return table;
}
