// Fuzz entry for SPS/front.dat: any bytes are loaded as the game screen loads
// the front, scrolled, edited and saved again. Nothing may crash, overflow or
// leave the slots and the count disagreeing.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "front_world.h"

namespace {

void Check(bool ok) {
    if (!ok) std::abort();
}

void CheckSlots(const TFront& f) {
    std::int32_t n = 0;
    for (std::int32_t slot = 1; slot <= MaxFrontElements; ++slot)
        if (TFrontelement* e = f.Element(slot)) {
            ++n;
            Check(e->Type >= 1 && e->Type <= FrontTypeCount);
        }
    Check(n == f.Count);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static front_test::FrontWorld world;
    const std::string bytes = size ? std::string(reinterpret_cast<const char*>(data), size) : std::string();
    world.WriteFront(bytes);
    TFront& f = world.Load();
    CheckSlots(f);
    f.ShowAll();
    f.ScrollPos = FrontScrollStart;
    for (std::int32_t x = 0; x <= 800; x += 200) {
        world.screen.MouseX = x;
        world.screen.MouseY = 600 - x / 2;
        f.ClickAt(x, 600 - x / 2, 1 + x / 100);
        f.Move();
        f.ChangeType(size % 2 ? 1 : -1);
        f.ChangeDepth(-1.0);
        f.MoveSelected(-7);
        if (x == 400) f.DeleteSelected();
        f.Release();
        f.ScrollPos -= 5;
    }
    CheckSlots(f);
    Bobs->paint();
    f.SaveFront();
    const auto saved = ReadWholeFile(ResolvePath("SPS/front.dat"));
    Check(saved && saved->size() == FrontFileSize);
    const std::int32_t count = f.Count;
    Check(world.Load().Count == count);
    return 0;
}
