// Whole-file reads and crash-safe writes for the player's files.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Reads a whole regular file (path already resolved); nothing when it cannot
// be opened or read, or is a folder or anything else but a plain file (errno
// then says why).
std::optional<std::string> ReadWholeFile(const std::string& path);

// Writes a file so that a crash, a kill or a full disk never leaves it half
// written: the bytes go to a temporary file in the same folder, which is
// flushed to disk and then renamed over the old file. On failure the old file
// stays whole, the temporary file is removed and EInOutError is raised.
void WriteFileAtomically(const std::string& path, std::string_view bytes);

// Splits a text into lines the way the settings and log readers see them:
// CR LF, LF and CR end a line; a final line end adds no empty line.
std::vector<std::string> SplitLines(std::string_view text);
