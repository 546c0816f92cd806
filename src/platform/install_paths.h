// Where an installed game finds its data and keeps the player's files:
// the program in PREFIX/bin reads PREFIX/share/varnholt, and writes in the
// player's data folder, since the installed data is usually not theirs to
// write.
#pragma once

#include <string>

// True when `directory` (empty: the working directory) holds a Bitmap/
// folder, the sign of the game's data.
bool holdsGameData(const std::string& directory);

// The data installed beside the running program, "<its folder>/../share/
// varnholt", when that holds the game's data; empty otherwise, as for a
// program run from its build folder.
std::string installedDataDirectory();

// The player's folder for the game's own files: $XDG_DATA_HOME/varnholt,
// or $HOME/.local/share/varnholt when XDG_DATA_HOME is unset, empty or
// relative (the XDG base directory rules). Empty when HOME gives no
// absolute folder either. Either argument may be null.
std::string playerDataDirectory(const char* xdgDataHome, const char* home);
// The same from this process's environment; HOME falls back to the
// account's home folder.
std::string playerDataDirectory();
