// A profession's section of "profese.dat" read into its name and its timed
// text pages, and the rich text that shows one page.
#pragma once

#include <vector>

#include "platform/core/classes.h"

// One text page: when it is due (milliseconds from the start of the spoken
// description) and its rich-text body.
struct TTextPage {
    int StartTime = 0;
    String Text;
};

struct TProfessionSection {
    bool Found = false;
    String Name;
    std::vector<TTextPage> Pages;
};

// The section of Code in the unscrambled lines: its name line and its pages
// up to the next section. A line "@" + milliseconds opens a page; a text line
// before the first one opens a page at 0 ms, so no text is lost; a start line
// without a number takes the start time of the page before. A section
// without a name line is not found.
TProfessionSection ReadProfessionSection(const TStrings& Lines, const String& Code);

// The rich text of one text page: Verdana of the Central European character
// set, Czech, justified, 10 points, bold.
String PageRichText(const String& PageText);
