// The program's folders and the one resolver every file path goes through.
#pragma once

#include <string>
#include <string_view>

#include "program_folders.h"

// The folders in use. Chosen once, at the first call, from the executable's
// location and the environment (ChooseProgramFolders), with the player's
// folder then created and seeded; or as set by SetProgramDir/SetProgramFolders.
const TProgramFolders& ProgramFolders();
// The program directory: the folder of the player's files, without a
// trailing slash. In a build folder it is the folder of the executable.
std::string GetProgramDir();
// The folder of the game's data (read-only when installed).
std::string GetDataDir();
// The folder where music converted from MP3 goes.
std::string GetCacheDir();
// Points the program at one directory for everything (the headless runner's
// --dir, tests). An empty text returns to the folders chosen at start.
void SetProgramDir(std::string_view dir);
// Points the program at separate folders (tests of an installed layout).
void SetProgramFolders(const TProgramFolders& folders);
// Makes the program directory the current directory; raises EInOutError on failure.
void EnterProgramDir();
// Creates the folder "sps" below the program directory; errors are ignored.
void EnsureSpsDir();

// Turns a path relative to the program directory ("SPS/LOG.TXT", "sps\\prog.cfg")
// into an absolute one. Paths below gfx lie in the data folder; paths below
// snd in the cache folder when the file exists there, else in the data
// folder; all others in the player's folder. Each existing folder or file is
// matched without regard to letter case, so "sps" and "SPS" are one folder; a
// missing part keeps the spelling given. Backslashes count as separators. An
// absolute path is resolved the same way from the root.
std::string ResolvePath(std::string_view relative);
// The same below an explicit base folder, with no choice of folder.
std::string ResolvePathIn(const std::string& base, std::string_view relative);

// True when the resolved path names an existing regular file.
bool FileExists(std::string_view relative);
// Creates the folder (and its parents) named by a relative path, resolving
// existing parts as ResolvePath does. Errors are ignored.
void EnsureDir(std::string_view relative);
