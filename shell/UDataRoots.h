// The data roots: the folder of the program file, as every data path starts.
// The program and the print library both build this unit; in the print
// library Application->ExeName is the host program's file, so the roots are
// the host's folder.
#pragma once

#include "platform/core/types.h"

// Folder of the program file, ending in "\" (or "/"): root of almost every
// data path.
extern String AppDir;
// The same folder, held separately: root of the text files.
extern String DataDir;

// Sets both roots from Application->ExeName: the part up to and including
// the last "\", "/" or ":", then a "\" appended to each when its last
// character is neither "\" nor "/".
void InitPaths();
// Clears both roots (when the program ends or the library is unloaded).
void DonePaths();
