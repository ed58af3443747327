// Text helpers: code page 1250 conversion, integer conversion, comparisons.
#pragma once

#include <string_view>
#include <vector>

#include "platform/core/types.h"

// Code page 1250 bytes to UTF-8 and back. Characters without a place in
// code page 1250 become '?'; malformed UTF-8 bytes become '?'.
String Cp1250ToUtf8(std::string_view bytes);
std::string Utf8ToCp1250(std::string_view text);

// Decodes one UTF-8 code point at text[pos], advancing pos; malformed input
// gives U+FFFD and advances by one byte.
char32_t NextCodePoint(std::string_view text, std::size_t& pos);
void AppendUtf8(String& out, char32_t cp);

// The class library's StrToInt: optional blanks before, an optional sign,
// decimal digits or '$'/0x hex; anything else raises EConvertError.
int StrToInt(const String& s);
int StrToIntDef(const String& s, int def);
String IntToStr(long long value);

String Trim(const String& s);
String UpperCase(const String& s);       // ASCII letters only
String AnsiUpperCase(const String& s);   // every letter of code page 1250
String AnsiLowerCase(const String& s);   // every letter of code page 1250
// One code point's capital / small form for the letters of code page 1250;
// every other code point is returned unchanged.
char32_t AnsiUpperChar(char32_t cp);
char32_t AnsiLowerChar(char32_t cp);
// Case-insensitive comparison over the letters of code page 1250.
int AnsiCompareText(const String& a, const String& b);
bool SameText(const String& a, const String& b);

// 1-based position of sub in s, 0 when absent (the class library's Pos).
int Pos(const String& sub, const String& s);

// Splits text into lines at CR LF, lone CR and lone LF, keeping empty lines
// (a text ending in a line break ends with an empty line).
std::vector<String> SplitLines(const String& text);
