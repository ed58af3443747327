// The rich-text subset that the detail page's text pages use: parsing into
// paragraphs of styled runs, and laying them out word-wrapped in a box.
#pragma once

#include <string_view>
#include <vector>

#include "platform/core/exceptions.h"
#include "platform/core/types.h"

class TCanvas;

namespace richtext {

enum class Align { Left, Right, Center, Justify };

struct Run {
    String text;             // UTF-8; a line break (\line) is '\n', a tab '\t'
    String fontName = "MS Sans Serif";
    int halfPoints = 16;     // font size in half points (\fs)
    bool bold = false;
    bool italic = false;
    bool underline = false;
    TColor color = clWindowText;
};

struct Paragraph {
    std::vector<Run> runs;
    Align align = Align::Left;
};

struct Document {
    std::vector<Paragraph> paragraphs;
};

// A document that cannot be read (not rich text, truncated beyond repair).
class ERichTextError : public Exception {
    using Exception::Exception;
};

// Reads rich text given as bytes: groups, the font table (charset 238 means
// code page 1250 for 8-bit text), \ansi, \deff, \deflang, \pard, \plain, \ql
// \qr \qc \qj, \f, \fs, \b \b0, \i, \ul, \ltrch, \par, \line, \tab, \'hh,
// \uN, raw 8-bit text; unknown control words and destinations are skipped.
// Line ends in the source do not break the text. Never reads past the end.
// Bytes that do not begin with "{\rtf" raise ERichTextError; past that,
// damage is repaired (open groups closed, cut-off control words dropped).
Document Parse(std::string_view rtf);

// A document of plain text lines, one paragraph each, in the given font.
Document FromPlainText(const String& utf8, const String& fontName, int halfPoints);

// Fills `bounds` with `background` and lays the document out inside it:
// word-wrapped at the box's width, justified paragraphs spread on every line
// but their last; text below the box is cut off.
void Render(const Document& doc, TCanvas& canvas, const TRect& bounds, TColor background);

}  // namespace richtext
