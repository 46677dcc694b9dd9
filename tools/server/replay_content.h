// What a verification plays with and under: the game's data, its music converted
// once, the server's own program (which verifies each replay), and the caps.
#pragma once

#include <filesystem>
#include <optional>

#include "server_options.h"

// The running program (/proc/self/exe).
std::filesystem::path ServerProgram();

// The folder of the game's data: the one given when it holds it; otherwise
// the program's own folder (a build folder), else ../share/vantorel beside it
// (an installation). None when the folder found holds no sps and snd.
std::optional<std::filesystem::path> FindGameData(const std::filesystem::path& given,
                                                  const std::filesystem::path& programDir);

// Points the game's folders at the data, with the music converted into cache.
void UseGameData(const std::filesystem::path& data, const std::filesystem::path& cache);

// Converts the game's MP3 music into cache, as the menu window does for a
// player; the games a replay shows were played with it. Throws
// std::runtime_error when it cannot.
void PrepareGameMusic(const std::filesystem::path& data, const std::filesystem::path& cache);

// Caps the running process as a verification: processor time (then SIGXCPU,
// a second later SIGKILL), address space, files of at most 64 KiB (the
// verdict may go to one) and no core dumps. The sanitizer build leaves the
// address space alone: its shadow memory alone is larger than any cap.
void CapThisVerification(const ReplayCaps& caps);
