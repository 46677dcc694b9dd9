// Which folders the program works in: everything beside the program in a
// build folder, or, installed, the game's data read-only below share/vantorel
// and the player's own files in the per-user data and cache folders.
#pragma once

#include <functional>
#include <string>
#include <string_view>

struct TProgramFolders {
    // The game's data: gfx, GFX, snd (sounds and MP3 music), and the level and
    // cave a new player starts from (sps).
    std::string Data;
    // The player's files: sps (env.dat, game.dat, prog.cfg, LOG.TXT, the
    // level, front.dat) and Screenshots. The program directory proper.
    std::string Player;
    // Music converted from MP3 (snd).
    std::string Cache;

    bool operator==(const TProgramFolders&) const = default;
};

// The folder's text without trailing slashes; "/" stays as it is.
std::string WithoutTrailingSlash(std::string_view dir);

// An environment variable's value; nullptr when it is not set.
using TGetEnv = std::function<const char*(const char* name)>;

// The folders for a program whose executable lies in exeDir:
// - exeDir itself for all three when it holds an sps folder of its own that
//   can be written (a build folder, an unpacked copy), or when no installed
//   data can be found at all;
// - otherwise the data from exeDir/../share/vantorel (or from exeDir, when
//   its sps folder is read-only), the player's files in
//   $XDG_DATA_HOME/vantorel (default ~/.local/share/vantorel) and the
//   converted music in $XDG_CACHE_HOME/vantorel (default ~/.cache/vantorel).
//   Relative XDG values are ignored, as the XDG rules ask.
TProgramFolders ChooseProgramFolders(const std::string& exeDir, const TGetEnv& getEnv);

// Creates the player's folder with its sps folder, and the cache folder, and
// copies into the player's sps every file of the data's sps that it lacks
// (names compared without regard to case): a first start gets the installed
// level and cave, to edit as its own. Does nothing when the player's folder
// is the data folder. Errors are ignored: a file still missing is reported
// where it is read.
void SeedPlayerFolder(const TProgramFolders& folders);
