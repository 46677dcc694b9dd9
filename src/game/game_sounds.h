// The sounds the game states play by name, and the link between animation
// sound slots and the sound engine.
#pragma once

#include <memory>
#include <string>

#include "engine/ani_sounds.h"

// Music of play, of the title screen and of the high-score list.
inline constexpr const char* PlayMusicName = "back";
inline constexpr const char* TitleMusicName = "Track 30";
inline constexpr const char* HighscoreMusicName = "Tr_36_03";
// The start of play.
inline constexpr const char* ComingSoundName = "coming";

// The loaded sound for an animation slot's file name (folder and ".wav" are
// ignored); none when the engine has no such sound.
std::shared_ptr<IAniSound> FindAniSound(const std::string& fileName);

// Plays a sound of the engine by name from its start, looped or once.
void PlaySound(const char* name, bool looping = false);
void StopSound(const char* name);
