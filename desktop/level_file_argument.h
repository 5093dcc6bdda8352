// The level file a player hands the game on its command line (or a file manager does).
#pragma once

#include <QString>
#include <string>

namespace karvan::desktop {

// The file name as an absolute path in the file system's own encoding, whatever letters it
// holds. A relative name is taken from the current folder: call this before the program moves
// to its own folder.
std::string LevelFilePath(const QString& Argument);

// The filter of the game's open-file dialog: level files first, every file selectable.
QString LevelFileFilter();

}  // namespace karvan::desktop
