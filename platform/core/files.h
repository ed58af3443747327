// File names as the program writes them ("hl_obr\konec1.bmp" under AppDir):
// both separators are accepted and each name is matched without regard to
// letter case, with a cache of folder listings.
#pragma once

#include "platform/core/types.h"

// Maps a program path to the real file system path. Components that exist
// in another letter case are replaced by their real spelling; a component
// that does not exist is kept as written (so a file can be created there).
// Empty components collapse, an absolute path stays absolute. A last
// component "name.dll" (any case) that does not exist resolves to "name.so"
// when that exists, in any letter case: library names are mapped this way
// for every caller.
String ResolvePath(const String& path);
// Forget cached folder listings (after files were created or deleted
// outside the platform's own calls).
void InvalidatePathCache();
// For the platform's own calls that create, rename or delete a file or
// folder: forgets the listings that change. realPath is the resolved path.
void NoteFileSystemChange(const String& realPath);

bool FileExists(const String& fileName);
bool DirectoryExists(const String& dirName);
// Modification time of the file as a packed date-time, or -1 when the file
// does not exist.
int FileAge(const String& fileName);

// Everything up to and including the last "\", "/" or ":".
String ExtractFilePath(const String& fileName);
String ExtractFileName(const String& fileName);
bool IsPathDelimiter(char c);

// Reads a whole file; EFOpenError when it cannot be opened.
std::string ReadWholeFile(const String& fileName);
