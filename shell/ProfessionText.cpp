#include "shell/ProfessionText.h"

#include "platform/core/strings.h"
#include "shell/UScramble.h"

namespace {

bool IsPageStart(const String& line) { return !line.empty() && line[0] == '@'; }

// The start time of a page start line. A rest that is no integer keeps the
// page (its text is still shown) at the previous start time.
int PageStartTime(const String& line, int previous) { return StrToIntDef(line.substr(1), previous); }

}  // namespace

TProfessionSection ReadProfessionSection(const TStrings& Lines, const String& Code) {
    TProfessionSection section;
    const int line = FindSection(Lines, Code);
    if (line < 0 || line + 1 >= Lines.Count()) return section;
    section.Found = true;
    section.Name = Lines.Get(line + 1);
    std::vector<TTextPage>& pages = section.Pages;
    bool pageHasLine = false;
    for (int i = line + 2; i < Lines.Count(); ++i) {
        const String& text = Lines.Get(i);
        if (!text.empty() && text[0] == '[') break;
        if (IsPageStart(text)) {
            const int previous = pages.empty() ? 0 : pages.back().StartTime;
            pages.push_back(TTextPage{PageStartTime(text, previous), ""});
            pageHasLine = false;
            continue;
        }
        if (pages.empty()) pages.push_back(TTextPage{0, ""});
        TTextPage& page = pages.back();
        page.Text += pageHasLine ? "\r\n" + text : text;
        pageHasLine = true;
    }
    return section;
}

String PageRichText(const String& PageText) {
    return "{\\rtf1\\ansi\\deff0\r\n"
           "{\\fonttbl{\\f0\\fswiss\\fcharset238 Verdana;}}\r\n"
           "\\deflang1029\\pard\\plain \\qj\\f0\\fs20\\b\\ltrch\r\n" +
           PageText + "\r\n\\par }\r\n";
}
