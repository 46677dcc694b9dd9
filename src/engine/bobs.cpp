// The sprite list: ownership of the bobs, the depth sort and the painting order.
#include "engine/bobs.h"

#include <exception>
#include <stdexcept>
#include <string>

#include "infra/log.h"

std::unique_ptr<TBobs> Bobs;

namespace {

bool PaintsAfter(const TBob& a, const TBob& b) {
    return a.Layer > b.Layer || (a.Layer == b.Layer && a.Z > b.Z);
}

}  // namespace

TBobs::~TBobs() {
    for (Entry_& e : entries_) *e.Location = nullptr;
}

void TBobs::Add(std::int32_t go, std::int32_t animation, std::int32_t kind, TBob*& bobRef) {
    if (entries_.size() >= static_cast<std::size_t>(MaxBobs))
        throw std::runtime_error("Exception raised in TBobs.Add: Too many bobs");
    auto bob = std::make_unique<TBob>(go, animation, kind);
    bobRef = bob.get();
    entries_.push_back(Entry_{&bobRef, std::move(bob)});
}

void TBobs::Delete(TBob*& bobRef) {
    for (auto it = entries_.begin(); it != entries_.end(); ++it) {
        if (it->Location != &bobRef) continue;
        entries_.erase(it);
        bobRef = nullptr;
        return;
    }
}

void TBobs::sortz() {
    if (entries_.size() < 2) return;
    ++CallCounter;
    // Adjacent swaps keep equal keys in the order they were added, and a list
    // already in order from the last frame costs one pass.
    bool swapped = true;
    while (swapped) {
        swapped = false;
        for (std::size_t i = 0; i + 1 < entries_.size(); ++i) {
            if (!PaintsAfter(*entries_[i].Bob, *entries_[i + 1].Bob)) continue;
            std::swap(entries_[i], entries_[i + 1]);
            swapped = true;
        }
    }
}

void TBobs::paint() {
    if (entries_.empty()) return;
    std::string step = "sortz";
    try {
        sortz();
        for (std::size_t i = 0; i < entries_.size(); ++i) {
            step = "bobarray[" + std::to_string(i + 1) + "]^.paint";
            entries_[i].Bob->paint();
        }
    } catch (const std::exception&) {
        WriteLog("TBobs.paint: " + step);
        throw;
    }
}
