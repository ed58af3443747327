// The scrambled text files ("profese.dat", "profese_.dat"): every byte XORed
// with one key, plain text of code page 1250 with CR LF lines, made of
// sections that begin with a line "[" + code + "]", then a line with the
// section's name or title, then its content up to the next line beginning
// with "[" or the end of the file.
#pragma once

#include "platform/core/classes.h"

constexpr Byte ScrambleKey = 0x3C;

// XORs every byte of the stream, from its first byte to its size, with the
// key, one byte at a time in place; the stream's position is 0 afterwards.
// Its own inverse.
void ScrambleStream(TStream& Stream);

// Reads a scrambled file whole into Lines, unscrambled ("Cannot open file"
// when it cannot be read).
void LoadScrambledText(const String& FileName, TStrings& Lines);

// The key line of a section: "[" + Code + "]".
String SectionKey(const String& Code);
// Index of the section's key line in Lines, or -1 when there is no section:
// the key must occur in the whole text, and then a line equal to it
// (letter case ignored) must exist. A key found only inside a longer line is
// no section.
int FindSection(const TStrings& Lines, const String& Code);
