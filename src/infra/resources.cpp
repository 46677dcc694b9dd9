// The resource table in force.
#include "resources.h"

namespace {

class EmptyResources : public IResources {
public:
    std::optional<std::span<const std::uint8_t>> Find(std::string_view, std::string_view) const override {
        return std::nullopt;
    }
};

const EmptyResources g_empty;
const IResources* g_resources = &g_empty;

}  // namespace

const IResources& Resources() {
    return *g_resources;
}
void SetResources(const IResources* resources) {
    g_resources = resources ? resources : &g_empty;
}

std::optional<std::span<const std::uint8_t>> FindJpegResource(std::string_view name) {
    return Resources().Find("JPEG", name);
}
