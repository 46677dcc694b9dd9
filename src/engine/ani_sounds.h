// Sounds keyed to animation frames: the per-animation slot table and the small
// interface through which the game screen connects slots to its sound effects
// (the engine itself knows no sound library).
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// A playable sound as the slots see it.
class IAniSound {
public:
    virtual ~IAniSound() = default;
    virtual void Play() = 0;
};

// One key of a slot: the frame position it plays at and two values that travel with it.
struct TAniSoundKey {
    std::int32_t Position = 0;
    std::uint8_t Value = 0;
    std::int32_t Param = 0;
};

struct TAniSoundSlot {
    std::string FileName;  // empty: slot unused
    std::vector<TAniSoundKey> Keys;
    std::shared_ptr<IAniSound> Sound;  // none until connected; then plays on its keys
};

// The eight slots of one animation.
struct TAniSoundarray {
    std::array<TAniSoundSlot, 8> Slots;
};

// Upper bound of keys per slot.
constexpr int MaxSoundKeys = 100;

// Connects every used slot of every loaded graphic object to the sound that
// find gives for the slot's file name (none leaves the slot silent). Called by
// the game screen after it has loaded its sounds.
using AniSoundFinder = std::function<std::shared_ptr<IAniSound>(const std::string& fileName)>;
void AttachAniSounds(const AniSoundFinder& find);

// Plays the sounds of the animation's slots keyed to the frame position.
void PlayAniSounds(std::int32_t go, std::int32_t animation, std::int32_t position);
