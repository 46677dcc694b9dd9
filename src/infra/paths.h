// The program directory and the one resolver every file path goes through.
#pragma once

#include <string>
#include <string_view>

// Directory that holds the executable, without a trailing slash.
std::string GetProgramDir();
// Points the program at another directory (the headless runner's --dir, tests).
// An empty text returns to the executable's own folder.
void SetProgramDir(std::string_view dir);
// Makes the program directory the current directory; raises EInOutError on failure.
void EnterProgramDir();
// Creates the folder "sps" below the program directory; errors are ignored.
void EnsureSpsDir();

// Turns a path relative to the program directory ("SPS/LOG.TXT", "sps\\prog.cfg")
// into an absolute one. Each existing folder or file is matched without regard
// to letter case, so "sps" and "SPS" are one folder; a missing part keeps the
// spelling given. Backslashes count as separators. An absolute path is resolved
// the same way from the root.
std::string ResolvePath(std::string_view relative);

// True when the resolved path names an existing regular file.
bool FileExists(std::string_view relative);
// Creates the folder (and its parents) named by a relative path, resolving
// existing parts as ResolvePath does. Errors are ignored.
void EnsureDir(std::string_view relative);
