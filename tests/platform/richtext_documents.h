// Documents shared by the rich text tests.
#pragma once

#include <cstdio>
#include <string>

namespace richtext_test {

// The document the detail page builds for one page of text.
inline std::string PageDocument(const std::string& pageText) {
    return "{\\rtf1\\ansi\\deff0\r\n"
           "{\\fonttbl{\\f0\\fswiss\\fcharset238 Verdana;}}\r\n"
           "\\deflang1029\\pard\\plain \\qj\\f0\\fs20\\b\\ltrch\r\n" +
           pageText + "\r\n\\par }\r\n";
}

// A page of four source lines, as code page 1250 bytes and as the UTF-8
// text they stand for. A byte escape followed by a hex letter ends its
// literal, hence the split literals.
inline const char* const kPageLinesCp1250[] = {
    "Mal\xED\xF8 pokoj\xF9 maluje st\xECny a stropy v bytech, ",
    ("\x9Akol\xE1" "ch i nemocnic\xED" "ch. P\xF8" "ed malov\xE1n\xEDm "),
    ("zakryje n\xE1" "bytek, oprav\xED praskliny a "),
    "vybere s lidmi barvu. \x8Elut\xE1, modr\xE1 nebo zelen\xE1?",
};
inline const char* const kPageTextUtf8 =
    "Malíř pokojů maluje stěny a stropy v bytech, "
    "školách i nemocnicích. Před malováním "
    "zakryje nábytek, opraví praskliny a "
    "vybere s lidmi barvu. Žlutá, modrá nebo zelená?";

// Source lines first .. first+count-1 joined by CR LF, their 8-bit bytes
// escaped as \'hh when asked.
inline std::string JoinLines(bool escapeHighBytes, int first = 0, int count = 4) {
    std::string text;
    for (int i = first; i < first + count; ++i) {
        if (!text.empty()) text += "\r\n";
        for (const char* p = kPageLinesCp1250[i]; *p; ++p) {
            unsigned char byte = static_cast<unsigned char>(*p);
            if (escapeHighBytes && byte >= 0x80) {
                char escape[8];
                std::snprintf(escape, sizeof escape, "\\'%02x", byte);
                text += escape;
            } else {
                text += *p;
            }
        }
    }
    return text;
}

}  // namespace richtext_test
