// The cave front: floor, ceiling, pillar and snake pieces laid out along a long
// strip that scrolls past in the foreground, its file SPS/front.dat, and the
// editing operations of the cave-editing mode.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "engine/rbob.h"

struct TGameScreenFields;

constexpr std::int32_t MaxFrontElements = 300;
constexpr std::int32_t FrontTypeCount = 10;

// Where the strip stands when a game starts, and where its scroll stops.
constexpr std::int32_t FrontScrollStart = -2500;
constexpr std::int32_t FrontScrollEnd = -22500;

// One slot of SPS/front.dat: four little-endian 32-bit integers. An empty slot
// holds -1 in every field; BaseX -1 alone already marks a slot as empty, and
// Z -1 stands for the default depth.
struct TFrontRecord {
    std::int32_t BaseX = -1;
    std::int32_t Y = -1;
    std::int32_t Z = -1;
    std::int32_t Type = -1;
};
static_assert(sizeof(TFrontRecord) == 16);
// The cave's file in the player's folder.
constexpr const char* FrontFile = "SPS/front.dat";
constexpr std::size_t FrontFileSize = sizeof(TFrontRecord) * MaxFrontElements;  // 4800

using TFrontRecords = std::array<TFrontRecord, MaxFrontElements>;
// The records as last read from or written to the file, slot 1 at index 0.
extern TFrontRecords FrontRecords;

// The file's bytes as records: the bytes present overwrite empty records in
// order, so a short file leaves the rest empty; bytes past 4800 are ignored.
TFrontRecords DecodeFrontRecords(std::string_view bytes);
// The 4800 bytes of the file.
std::string EncodeFrontRecords(const TFrontRecords& records);
// The graphic object of an element type 1..10 ("Element_Boden_1" ...).
const char* FrontElementGOName(std::int32_t type);
// The depth of an element stored with Z -1: just in front of the enemies' plane.
double DefaultFrontDepth();

// One piece of the front: bob 1 is drawn as a screen sprite centred at (X, Y),
// unscaled; Z only orders the drawing.
class TFrontelement : public TRBob {
public:
    // Raises "Animation not found: <NAME>" when the type's graphic object is
    // not loaded. z = -1 gives the default depth.
    TFrontelement(std::int32_t baseX, std::int32_t y, std::int32_t z, std::int32_t type);

    double BaseX = 0;       // position along the strip; X = BaseX - ScrollPos
    std::int32_t Type = 1;  // 1..10
};

class TFront {
public:
    // Reads SPS/front.dat when the Front option is on; a missing file gives an
    // empty front. Raises EInOutError when the file exists but cannot be read.
    // The editing follows the game screen's mouse.
    explicit TFront(const TGameScreenFields& screen);
    ~TFront();
    TFront(const TFront&) = delete;
    TFront& operator=(const TFront&) = delete;

    void HideAll();
    // Shows every element at its place for the current ScrollPos.
    void ShowAll();
    // One step: a picked-up element follows the mouse,
    // then every visible element takes X = BaseX - ScrollPos.
    void Move();

    // Editing (the cave-editing mode). Each acts on the picked-up element
    // only, and does nothing when none is picked up, except ClickAt.
    //
    // Picks up the element under (mx, my), or places a new element of the
    // type there in the lowest free slot. With all slots in use it calls
    // OnFull and logs "Sorry, maximale Anzahl von Frontelementen erreicht".
    // Nothing with the Front option off.
    void ClickAt(std::int32_t mx, std::int32_t my, std::int32_t type);
    // Lowest slot whose element's picture covers the screen point, or -1.
    std::int32_t ElementAt(std::int32_t mx, std::int32_t my) const;
    void Release();
    // Cycles the type through 1..10 (d = +1 / -1).
    void ChangeType(std::int32_t d);
    // Moves the depth by d/100 within about 0.1 of the default depth.
    void ChangeDepth(double d);
    // The view scrolled by dx: the element keeps its place under the cursor.
    void MoveSelected(std::int32_t dx);
    void DeleteSelected();
    // Writes the layout to SPS/front.dat (when the Front option is on),
    // replacing the old file only once the new one is complete. Raises
    // EInOutError on failure; the old file then stays as it was.
    void SaveFront();

    // The element in slot 1..300, or nullptr for an empty slot.
    TFrontelement* Element(std::int32_t slot) const;
    // The picked-up element, or nullptr.
    TFrontelement* SelectedElement() const;

    std::int32_t Count = 0;
    std::int32_t ScrollPos = 0;
    bool Selected = false;
    std::int32_t SelectedIndex = -1;  // slot of the last click's element, -1 for none
    std::int32_t LastMouseX = 0, LastMouseY = 0;
    // Called when a click finds the front full; the game screen beeps and
    // marks the run as failed (ErrorOccurred).
    std::function<void()> OnFull;

private:
    std::int32_t FreeSlot() const;
    const TGameScreenFields& screen_;
    std::array<std::unique_ptr<TFrontelement>, MaxFrontElements> elements_;
};
