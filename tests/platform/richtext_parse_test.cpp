#include <gtest/gtest.h>

#include <vector>

#include "platform/ui/richtext.h"
#include "richtext_documents.h"

using richtext::Align;
using richtext::Document;
using richtext::Parse;

using namespace richtext_test;

namespace {

// Paragraphs' texts joined by "|".
std::string Texts(const Document& doc) {
    std::string out;
    for (std::size_t i = 0; i < doc.paragraphs.size(); ++i) {
        if (i > 0) out += "|";
        for (const auto& run : doc.paragraphs[i].runs) out += run.text;
    }
    return out;
}

Document ParseBody(const std::string& body) { return Parse("{\\rtf1\\ansi " + body + "}"); }

}  // namespace

TEST(RichTextParse, PageDocumentGivesOneJustifiedBoldVerdanaRun) {
    for (bool escaped : {false, true}) {
        SCOPED_TRACE(escaped ? "\\'hh escapes" : "8-bit bytes");
        Document doc = Parse(PageDocument(JoinLines(escaped)));
        ASSERT_EQ(doc.paragraphs.size(), 1u);
        const auto& paragraph = doc.paragraphs[0];
        EXPECT_EQ(paragraph.align, Align::Justify);
        ASSERT_EQ(paragraph.runs.size(), 1u);
        const auto& run = paragraph.runs[0];
        EXPECT_EQ(run.text, kPageTextUtf8);
        EXPECT_EQ(run.fontName, "Verdana");
        EXPECT_EQ(run.halfPoints, 20);
        EXPECT_TRUE(run.bold);
        EXPECT_FALSE(run.italic);
        EXPECT_FALSE(run.underline);
        EXPECT_EQ(run.color, clWindowText);
    }
}

TEST(RichTextParse, TextAndBreaks) {
    struct Case {
        const char* body;
        const char* texts;
    };
    const Case cases[] = {
        // Line ends in the source are not text.
        {"A\r\nB", "AB"},
        {"A\nB\rC", "ABC"},
        {"end of line \r\nnext", "end of line next"},
        // Paragraphs, line breaks, tabs.
        {"one\\par two", "one|two"},
        {"one\\par\r\ntwo\\par", "one|two"},
        {"one\\par\\par two", "one||two"},
        {"one\\line two", "one\ntwo"},
        {"a\\tab b", "a\tb"},
        {"a\\\r\nb", "a|b"},
        // Escapes.
        {"\\\\ \\{ \\}", "\\ { }"},
        {"\\'e8\\'ED\\'9a", "číš"},
        {"a\\~b\\-c\\_d", "a\u00A0bc-d"},
        {"\\lquote x\\rquote  \\endash", "\u2018x\u2019 \u2013"},
        // Unicode characters and the characters that stand in for them.
        {"\\u269?x", "čx"},
        {"\\uc2\\u269??x", "čx"},
        {"\\uc2\\u269\\'3f\\'3fx", "čx"},
        {"\\uc0\\u269 x", "čx"},
        {"{\\uc3\\u269?}x", "čx"},
        {"\\u-10179?\\u-8704?!", "\U0001F600!"},
        // Destinations that are not shown, and unknown control words.
        {"{\\*\\unknowndest hidden {nested}}shown", "shown"},
        {"{\\info{\\title hidden}{\\author x}}shown", "shown"},
        {"{\\stylesheet{\\s0 Normal;}}shown", "shown"},
        {"{\\pict\\bin6 {}}\\}}}shown", "shown"},
        {"\\unknownword text \\other42 more \\x-7 end\\y", "text more end"},
        {"{\\colortbl;\\red1\\green2\\blue3;}shown", "shown"},
        {"{\\fonttbl{\\f0 Arial;}}shown", "shown"},
        // Text after the last \par that is empty makes no paragraph.
        {"a\\par \r\n", "a"},
        {"a\\par {\\b}", "a"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.body);
        EXPECT_EQ(Texts(ParseBody(c.body)), c.texts);
    }
}

TEST(RichTextParse, CharacterFormattingFollowsGroupsAndControlWords) {
    Document doc = ParseBody(
        "{\\fonttbl{\\f0\\fswiss Verdana;}{\\f1\\froman\\fcharset238 Times New Roman;}}"
        "{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}"
        "\\f0\\fs20 plain {\\b bold {\\i bold-italic}} {\\ul under\\ulnone line}"
        "\\f1\\cf1 red\\cf2 blue\\cf0 auto\\cf9 missing\\f7\\fs40 big\\plain reset");
    ASSERT_EQ(doc.paragraphs.size(), 1u);
    const auto& runs = doc.paragraphs[0].runs;

    struct Expected {
        const char* text;
        const char* font;
        int halfPoints;
        bool bold, italic, underline;
        TColor color;
    };
    const Expected expected[] = {
        {"plain ", "Verdana", 20, false, false, false, clWindowText},
        {"bold ", "Verdana", 20, true, false, false, clWindowText},
        {"bold-italic", "Verdana", 20, true, true, false, clWindowText},
        {" ", "Verdana", 20, false, false, false, clWindowText},
        {"under", "Verdana", 20, false, false, true, clWindowText},
        {"line", "Verdana", 20, false, false, false, clWindowText},
        {"red", "Times New Roman", 20, false, false, false, RGBColor(255, 0, 0)},
        {"blue", "Times New Roman", 20, false, false, false, RGBColor(0, 0, 255)},
        {"automissing", "Times New Roman", 20, false, false, false, clWindowText},
        // An unknown font number falls back to the default font.
        {"big", "Verdana", 40, false, false, false, clWindowText},
        {"reset", "Verdana", 24, false, false, false, clWindowText},
    };
    ASSERT_EQ(runs.size(), std::size(expected));
    for (std::size_t i = 0; i < runs.size(); ++i) {
        SCOPED_TRACE(expected[i].text);
        EXPECT_EQ(runs[i].text, expected[i].text);
        EXPECT_EQ(runs[i].fontName, expected[i].font);
        EXPECT_EQ(runs[i].halfPoints, expected[i].halfPoints);
        EXPECT_EQ(runs[i].bold, expected[i].bold);
        EXPECT_EQ(runs[i].italic, expected[i].italic);
        EXPECT_EQ(runs[i].underline, expected[i].underline);
        EXPECT_EQ(runs[i].color, expected[i].color);
    }
}

TEST(RichTextParse, FontTableForms) {
    struct Case {
        const char* table;
        const char* select;
        const char* font;
    };
    const Case cases[] = {
        {"{\\fonttbl{\\f0\\fswiss\\fcharset238 Verdana;}}", "\\f0", "Verdana"},
        {"{\\fonttbl\\f0\\fnil Arial;\\f1\\fnil Tahoma;}", "\\f1", "Tahoma"},
        {"{\\fonttbl{\\f3{\\*\\panose 020b0604030504040204}Tahoma{\\*\\falt Other};}}", "\\f3", "Tahoma"},
        {"{\\fonttbl{\\f0 Verdana}}", "\\f0", "Verdana"},  // no ';' before the group ends
        {"{\\fonttbl{\\f0 Pr\\'e1ce;}}", "\\f0", "Práce"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.table);
        Document doc = ParseBody(std::string(c.table) + c.select + " x");
        ASSERT_EQ(doc.paragraphs.size(), 1u);
        ASSERT_EQ(doc.paragraphs[0].runs.size(), 1u);
        EXPECT_EQ(doc.paragraphs[0].runs[0].fontName, c.font);
    }
}

TEST(RichTextParse, ParagraphFormatting) {
    // The alignment in force at \par is the paragraph's; \pard resets it,
    // \plain does not; an empty paragraph keeps its font for its height.
    Document doc = ParseBody(
        "\\qc centred\\par \\pard left\\par \\qr\\plain right\\par \\qj\\fs40\\par {\\qc inner}\\par");
    ASSERT_EQ(doc.paragraphs.size(), 5u);
    EXPECT_EQ(doc.paragraphs[0].align, Align::Center);
    EXPECT_EQ(doc.paragraphs[1].align, Align::Left);
    EXPECT_EQ(doc.paragraphs[2].align, Align::Right);
    EXPECT_EQ(doc.paragraphs[3].align, Align::Justify);
    ASSERT_EQ(doc.paragraphs[3].runs.size(), 1u);
    EXPECT_EQ(doc.paragraphs[3].runs[0].text, "");
    EXPECT_EQ(doc.paragraphs[3].runs[0].halfPoints, 40);
    EXPECT_EQ(doc.paragraphs[4].align, Align::Justify);  // the group's \qc ended before \par
}

TEST(RichTextParse, MalformedInput) {
    struct Case {
        std::string rtf;
        bool throws;
        const char* texts;
    };
    const Case cases[] = {
        {"", true, ""},
        {"plain text without a header", true, ""},
        {"}", true, ""},
        {"{\\rt", true, ""},
        {"\r\n {\\rtf1 a}", false, "a"},
        {"{\\rtf", false, ""},
        {"{\\rtf1{", false, ""},
        {"{\\rtf1 abc\\", false, "abc"},
        {"{\\rtf1 abc\\'4", false, "abc"},
        {"{\\rtf1 abc\\'4x", false, "abcx"},
        {"{\\rtf1 abc\\'", false, "abc"},
        {"{\\rtf1 abc\\u", false, "abc"},
        {"{\\rtf1 abc\\u-", false, "abc-"},
        {"{\\rtf1 abc\\fs-", false, "abc-"},
        {"{\\rtf1 a}}}b", false, "a"},
        {"{\\rtf1 a}{\\rtf1 b}", false, "a"},
        {"{\\rtf1 {\\fonttbl{\\f0 Verd", false, ""},
        {"{\\rtf1 {\\*\\x", false, ""},
        {"{\\rtf1 a\\bin99999 abc", false, "a"},
        {"{\\rtf1 a\\bin-5 b}", false, "ab"},
        {"{\\rtf1 \\uc99999\\u269 abcdefghijklmnopqrstuvwxyz}", false, "čqrstuvwxyz"},
        {"{\\rtf1 \\u99999999999?x}", false, "x"},
        {"{\\rtf1 \\u-99999999999?x}", false, "x"},
        {std::string("{\\rtf1 a\0b\x01" "c}", 13), false, "abc"},
        {"{\\rtf1 \\" + std::string(5000, 'x') + " y}", false, "y"},
        {"{\\rtf1 \\fs" + std::string(5000, '9') + " y}", false, "y"},
        {"{\\rtf1 " + std::string(100000, '{') + "x" + std::string(100000, '}') + "y}", false, "xy"},
        {"{\\rtf1 " + std::string(100000, '{') + "x", false, "x"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rtf.substr(0, 40));
        if (c.throws) {
            EXPECT_THROW(Parse(c.rtf), richtext::ERichTextError);
        } else {
            EXPECT_EQ(Texts(Parse(c.rtf)), c.texts);
        }
    }
}

TEST(RichTextParse, SizesAreClamped) {
    struct Case {
        const char* body;
        int halfPoints;
    };
    const Case cases[] = {
        {"\\fs999999999999 x", 3276},
        {"\\fs3277 x", 3276},
        {"\\fs1 x", 1},
        {"\\fs0 x", 24},
        {"\\fs-5 x", 24},
        {"\\fs x", 24},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.body);
        Document doc = ParseBody(c.body);
        ASSERT_EQ(doc.paragraphs.size(), 1u);
        ASSERT_EQ(doc.paragraphs[0].runs.size(), 1u);
        EXPECT_EQ(doc.paragraphs[0].runs[0].halfPoints, c.halfPoints);
    }
}

TEST(RichTextParse, EveryTruncationOfThePageReadsAPrefixOfItsText) {
    // Cut after every byte, in a buffer of exactly that size so that a read
    // past the end shows under the address sanitizer.
    const std::string full = PageDocument(JoinLines(true));
    const std::string fullText = kPageTextUtf8;
    for (std::size_t n = 5; n <= full.size(); ++n) {
        SCOPED_TRACE(n);
        std::vector<char> cut(full.begin(), full.begin() + std::ptrdiff_t(n));
        std::string text = Texts(Parse(std::string_view(cut.data(), cut.size())));
        EXPECT_EQ(fullText.compare(0, text.size(), text), 0) << text;
    }
}

TEST(RichTextFromPlainText, OneParagraphPerLine) {
    Document doc = richtext::FromPlainText("první\r\n\r\ndruhý\ntřetí\r", "Tahoma", 22);
    ASSERT_EQ(doc.paragraphs.size(), 4u);
    const char* const texts[] = {"první", "", "druhý", "třetí"};
    for (std::size_t i = 0; i < 4; ++i) {
        const auto& paragraph = doc.paragraphs[i];
        EXPECT_EQ(paragraph.align, Align::Left);
        ASSERT_EQ(paragraph.runs.size(), 1u);
        EXPECT_EQ(paragraph.runs[0].text, texts[i]);
        EXPECT_EQ(paragraph.runs[0].fontName, "Tahoma");
        EXPECT_EQ(paragraph.runs[0].halfPoints, 22);
        EXPECT_FALSE(paragraph.runs[0].bold);
    }
    EXPECT_TRUE(richtext::FromPlainText("", "Tahoma", 22).paragraphs.empty());
}
