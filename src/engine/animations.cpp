// The ANI block of a graphic object: one animation per line, its frame list,
// timing and sound clause, packed into the GO's frame table.
#include <stdexcept>

#include "engine/graphic_objects.h"
#include "infra/paths.h"

namespace {

// The frame list sits between column 10 and the first ";".
std::string FrameListText(const std::string& line) {
    const auto semicolon = line.find(';');
    if (semicolon == std::string::npos) return {};
    return Columns(line, 10, static_cast<int>(semicolon) + 1 - 10);
}

void LoadSoundSlots(TGraphicObject& go, int animation, const std::string& line, const std::string& name) {
    for (int slot = 1; slot <= 8; ++slot) {
        const TDynamicIArray numbers = ParseSoundSlot(line, slot);
        if (numbers.empty()) continue;
        if (numbers.size() / 3 > static_cast<std::size_t>(MaxSoundKeys))
            throw std::runtime_error("Exception raised in LoadAnimations: Too many sound keys in " + name);
        auto& table = go.Sounds[static_cast<std::size_t>(animation)];
        if (!table) table = std::make_unique<TAniSoundarray>();
        TAniSoundSlot& s = table->Slots[static_cast<std::size_t>(slot - 1)];
        s.FileName = GetDataDir() + "/gfx/sb/" + name + "_" + TrimText(Columns(line, 1, 9)) + "_" +
                     std::to_string(slot) + ".wav";
        s.Keys.clear();
        for (std::size_t k = 0; k + 2 < numbers.size(); k += 3)
            s.Keys.push_back({numbers[k], static_cast<std::uint8_t>(numbers[k + 1]), numbers[k + 2]});
    }
}

// Appends one animation's block to the table: count, delay, second value, frames.
void AppendAnimation(std::vector<std::uint16_t>& table, const std::string& line, const std::string& name,
                     std::int32_t pictures) {
    const TDynamicIArray frames = ParseFrameList(FrameListText(line), pictures);
    const AnimationTiming timing = ParseTiming(line);
    if (table.size() + 3 + frames.size() > static_cast<std::size_t>(MaxFrameTableEntries))
        throw std::runtime_error("Exception raised in LoadAnimations: Too many frames in " + name);
    table.push_back(static_cast<std::uint16_t>(frames.size()));
    table.push_back(static_cast<std::uint16_t>(timing.Delay));
    table.push_back(static_cast<std::uint16_t>(timing.Second));
    for (std::int32_t f : frames) table.push_back(static_cast<std::uint16_t>(f));
}

}  // namespace

void LoadAnimations(const std::vector<std::string>& lines, const std::string& name, std::int32_t pictures) {
    TGORegistry& reg = GORegistry();
    if (reg.GOs.size() >= static_cast<std::size_t>(MaxGOs))
        throw std::runtime_error("Exception raised in LoadAnimations: Too many graphic objects");
    reg.GOs.emplace_back();
    TGraphicObject& go = reg.GOs.back();
    const int b = FindKeyword(lines, "OBJECT " + name, 0);
    int i = FindKeyword(lines, "ANI", b);
    go.Name = UpperText(name);
    go.FirstSprite = static_cast<std::uint16_t>(reg.Sprites.size());
    go.Pictures = pictures;
    std::vector<std::uint16_t> table;
    std::array<std::int32_t, MaxAnimations> starts{};
    std::int32_t count = 0;
    for (int n = 0;; ++n) {
        if (i < 0 || static_cast<std::size_t>(i) >= lines.size())
            throw std::runtime_error("Exception raised in LoadAnimations: ANIEND of " + go.Name +
                                     " not found");
        const std::string& line = lines[static_cast<std::size_t>(i++)];
        if (line.starts_with("ANIEND")) break;
        if (n >= MaxAnimations)
            throw std::runtime_error("Exception raised in LoadAnimations: Too many animations in " + go.Name);
        starts[static_cast<std::size_t>(n)] = static_cast<std::int32_t>(table.size());
        AppendAnimation(table, line, go.Name, pictures);
        LoadSoundSlots(go, n, line, name);
        count = n + 1;
    }
    // Only a complete block becomes the GO's table: a GO whose block failed
    // half-way has no animations to look frames up in.
    go.FrameTable = std::move(table);
    go.AnimationStart = starts;
    go.AnimationCount = count;
}
