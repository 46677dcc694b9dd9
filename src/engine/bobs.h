// The sprite list: owns every bob, sorts them by layer and depth and paints
// them once per frame.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "engine/bob.h"

constexpr int MaxBobs = 1500;

class TBobs {
public:
    TBobs() = default;
    virtual ~TBobs();
    TBobs(const TBobs&) = delete;
    TBobs& operator=(const TBobs&) = delete;

    // Makes a new bob, stores it in bobRef and remembers that location.
    // Raises when the list is full.
    void Add(std::int32_t go, std::int32_t animation, std::int32_t kind, TBob*& bobRef);
    // Destroys the bob of the first entry for that location and clears the
    // reference; a location not in the list changes nothing.
    void Delete(TBob*& bobRef);
    // Sorts and draws every bob; logs "TBobs.paint: <step>" and re-raises on failure.
    void paint();
    void sortz();

    int Count() const { return static_cast<int>(entries_.size()); }
    // The bob behind entry i (1-based), in the current paint order.
    TBob* Entry(int i) const { return entries_[static_cast<std::size_t>(i - 1)].Bob.get(); }
    std::int32_t CallCounter = 0;

private:
    struct Entry_ {
        TBob** Location;
        std::unique_ptr<TBob> Bob;
    };
    std::vector<Entry_> entries_;
};

// The single sprite list, from the game screen's DirectDraw start to its stop.
extern std::unique_ptr<TBobs> Bobs;
