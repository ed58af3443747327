// The sheet's justified text: the word queue, splitting, and the layout as it
// is drawn on a white 680x1000 picture, compared pixel for pixel with the
// lines drawn word by word where the rules put them.
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "platform/backend/headless/harness.h"
#include "platform/ui/ui.h"
#include "printlib/UFronta.h"
#include "printlib/UProfese.h"

namespace {

std::vector<String> Drain(TFrontaString& q) {
    std::vector<String> out;
    String s;
    while (q.Count() > 0) {
        q.Pop(s);
        out.push_back(s);
    }
    return out;
}

TEST(PrintQueue, FirstInFirstOutEmptyWordsDroppedPopOnEmptyLeavesItsArgument) {
    TFrontaString q;
    String s = "nezměněno";
    q.Pop(s);
    EXPECT_EQ(s, "nezměněno");
    q.PopLast(s);
    EXPECT_EQ(s, "nezměněno");
    EXPECT_EQ(q.First, nullptr);
    EXPECT_EQ(q.Last, nullptr);

    q.Push("a");
    q.Push("");
    q.Push("b");
    q.PushFirst("z");
    q.PushFirst("");
    q.Push("c");
    EXPECT_EQ(q.Count(), 4);
    q.PopLast(s);
    EXPECT_EQ(s, "c");
    EXPECT_EQ(Drain(q), (std::vector<String>{"z", "a", "b"}));
    EXPECT_EQ(q.First, nullptr);
    EXPECT_EQ(q.Last, nullptr);

    q.Push("x");
    q.Push("y");
    q.Clear();
    EXPECT_EQ(q.Count(), 0);
    q.Push("w");
    EXPECT_EQ(Drain(q), std::vector<String>{"w"});
}

// Each word owns the one behind it: a queue as long as a line of a million
// words is freed, cleared and taken from the back without nesting a call per
// word (which would overflow the stack).
TEST(PrintQueue, AMillionWordsAreFreedWithoutOneCallPerWord) {
    {
        TFrontaString q;
        for (int i = 0; i < 1'000'000; ++i) q.Push("a");
        EXPECT_EQ(q.Count(), 1'000'000);
    }
    TFrontaString q;
    for (int i = 0; i < 1'000'000; ++i) q.PushFirst("b");
    String s;
    q.PopLast(s);
    EXPECT_EQ(s, "b");
    EXPECT_EQ(q.Count(), 999'999);
    q.Clear();
    EXPECT_EQ(q.First, nullptr);
    EXPECT_EQ(q.Last, nullptr);
}

TEST(PrintQueue, SplitWordsAtSpacesOnly) {
    struct Case {
        String line;
        std::vector<String> words;
    };
    const Case cases[] = {
        {"", {}},
        {"slovo", {"slovo"}},
        {"dvě slova", {"dvě", "slova"}},
        {"  mezery  uvnitř   i vně  ", {"mezery", "uvnitř", "i", "vně"}},
        {"tab\tne-dělí", {"tab\tne-dělí"}},
    };
    for (const Case& c : cases) {
        TFrontaString q;
        q.Push("před");
        SplitWords(c.line, &q);
        std::vector<String> expected{"před"};
        expected.insert(expected.end(), c.words.begin(), c.words.end());
        EXPECT_EQ(Drain(q), expected) << "\"" << c.line << "\"";
    }
}

// The text font on a canvas, as the layout sets it.
void TextFont(TCanvas* c) {
    c->Font.Name = "Arial";
    c->Font.SetSize(11);
    c->Font.Style = 0;
}

struct Line {
    std::vector<String> words;
    bool justified = false;
};

// The lines drawn one by one: a white band, each word where the rules put
// it (a justified line spread to end at 649, the first Extra words pushing
// the rest one pixel further).
Surface Reference(const std::vector<Line>& lines) {
    TBitmap bmp;
    bmp.SetSize(680, 1000);
    TCanvas* c = bmp.Canvas();
    c->Brush.Color = clWhite;
    c->FillRect(Rect(0, 0, 680, 1000));
    TextFont(c);
    const int advance = c->TextWidth("X") + 8;
    int y = 611;
    for (const Line& line : lines) {
        c->Brush.Style = TBrushStyle::bsSolid;
        c->Brush.Color = clWhite;
        const int n = int(line.words.size());
        int used = 0;
        for (const String& w : line.words) used += c->TextWidth(w);
        used += (n - 1) * c->TextWidth(" ");
        const bool spread = line.justified && n >= 2;
        const int gap = spread ? (615 - used) / (n - 1) : 0;
        const int extra = spread ? (615 - used) % (n - 1) : 0;
        int x = 34;
        for (int i = 0; i < n; ++i) {
            if (i < extra) ++x;
            c->TextOut(x, y, line.words[std::size_t(i)]);
            x += c->TextWidth(line.words[std::size_t(i)]) + c->TextWidth(" ") + gap;
        }
        if (spread) {
            EXPECT_EQ(x - c->TextWidth(" ") - gap, 649) << "a justified line ends at 649";
        }
        y += advance;
    }
    return bmp.Pixels();
}

// Leftmost and rightmost column with ink anywhere; (-1, -1) for none.
std::pair<int, int> InkColumns(const Surface& s) {
    int left = -1, right = -1;
    for (int y = 0; y < s.height; ++y) {
        for (int x = 0; x < s.width; ++x) {
            if (s.Get(x, y) == clWhite) continue;
            if (left < 0 || x < left) left = x;
            right = std::max(right, x);
        }
    }
    return {left, right};
}

std::vector<int> InkTopRows(const Surface& s) {
    std::vector<int> tops;
    bool inLine = false;
    for (int y = 0; y < s.height; ++y) {
        bool ink = false;
        for (int x = 0; x < s.width && !ink; ++x) ink = s.Get(x, y) != clWhite;
        if (ink && !inLine) tops.push_back(y);
        inLine = ink;
    }
    return tops;
}

// The line slots from y 611 down that hold ink, each `advance` high.
std::vector<int> InkLines(const Surface& s, int advance) {
    std::vector<int> lines;
    for (int y = 611; y < s.height; ++y) {
        bool ink = false;
        for (int x = 0; x < s.width && !ink; ++x) ink = s.Get(x, y) != clWhite;
        const int slot = (y - 611) / advance;
        if (ink && (lines.empty() || lines.back() != slot)) lines.push_back(slot);
    }
    return lines;
}

class PrintLayout : public ::testing::Test {
protected:
    // Lays the paragraphs out on the form's white background picture.
    Surface Layout(const std::vector<String>& paragraphs) {
        auto* form = new TwndProfese(nullptr);
        for (const String& p : paragraphs) form->TextLines->Add(p);
        form->imgPozadi->Canvas();  // a white picture of the image's size
        form->LayoutText();
        Surface out = form->imgPozadi->Picture()->Bitmap()->Pixels();
        form->Free();
        return out;
    }

    TCanvas* Measure() {
        TextFont(measure_.Canvas());
        return measure_.Canvas();
    }
    int Advance() { return Measure()->TextWidth("X") + 8; }
    int Width(const std::vector<String>& words) {
        String joined;
        for (const String& w : words) joined += (joined.empty() ? "" : " ") + w;
        return Measure()->TextWidth(joined);
    }
    // Words of "řemeslo", "práce", "den" in turn, until the line made of
    // them is at least `width` wide.
    std::vector<String> WordsUpTo(int width) {
        const String pool[] = {"řemeslo", "práce", "den"};
        std::vector<String> words;
        while (Width(words) < width) words.push_back(pool[words.size() % 3]);
        return words;
    }

    headless::Harness harness;
    TBitmap measure_;
};

TEST_F(PrintLayout, EdgeCases) {
    const std::vector<String> fill = WordsUpTo(615);           // the last word reaches 615
    const std::vector<String> lineOne(fill.begin(), fill.end() - 1);
    std::vector<String> twoLines = WordsUpTo(615 + 200);
    const std::vector<String> lineTwo(twoLines.begin() + std::ptrdiff_t(lineOne.size()), twoLines.end());
    ASSERT_LT(Width(lineTwo), 615);
    auto join = [](const std::vector<String>& words) {
        String s;
        for (const String& w : words) s += (s.empty() ? "" : " ") + w;
        return s;
    };

    struct Case {
        const char* name;
        std::vector<String> paragraphs;
        std::vector<Line> lines;
    };
    const Case cases[] = {
        {"one short word", {"Kuchař"}, {{{"Kuchař"}, false}}},
        {"two lines", {join(twoLines)}, {{lineOne, true}, {lineTwo, false}}},
        {"two spaces", {"vaří  a   peče"}, {{{"vaří", "a", "peče"}, false}}},
        {"last word reaches 615", {join(fill)}, {{fill, false}}},
        {"empty paragraph", {"nahoře", "", "dole"}, {{{"nahoře"}, false}, {{}, false}, {{"dole"}, false}}},
        {"Czech letters", {"Žluťoučký kůň úpěl ďábelské ódy."},
         {{{"Žluťoučký", "kůň", "úpěl", "ďábelské", "ódy."}, false}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Surface got = Layout(c.paragraphs);
        const Surface want = Reference(c.lines);
        EXPECT_TRUE(got.pixels == want.pixels);
        EXPECT_EQ(InkLines(got, Advance()), InkLines(want, Advance()));
    }

    // The full justified line's ink reaches to the right edge; the line that
    // a last word made too wide runs past it.
    EXPECT_GE(InkColumns(Layout({join(twoLines)})).second, 645);
    EXPECT_LE(InkColumns(Layout({join(twoLines)})).second, 649);
    EXPECT_GE(InkColumns(Layout({join(fill)})).second, 34 + Width(fill) - 4);
    EXPECT_LE(InkColumns(Layout({"Kuchař"})).first, 36);
}

TEST_F(PrintLayout, LineAdvanceIsTheWidthOfXPlusEight) {
    const int advance = Measure()->TextWidth("X") + 8;
    ASSERT_NE(advance, Measure()->TextHeight("X")) << "the fixture would not tell width from height";
    const std::vector<int> tops = InkTopRows(Layout({"X", "X", "", "X"}));
    ASSERT_EQ(tops.size(), 3u);
    EXPECT_EQ(tops[1] - tops[0], advance);
    EXPECT_EQ(tops[2] - tops[1], 2 * advance);
}

// A word of 615 pixels or more cannot stand on one line: it is cut so that
// nothing passes x 649, and the layout goes on after it.
TEST_F(PrintLayout, TooWideWordIsBrokenWithinTheLine) {
    String wide;
    while (Measure()->TextWidth(wide) < 1500) wide += "Ř";
    struct Case {
        const char* name;
        std::vector<String> paragraphs;
        std::size_t lines;
    };
    const Case cases[] = {
        {"alone", {wide}, 3},
        {"after a word, then more", {"před " + wide + " po"}, 4},
        {"then another paragraph", {wide, "konec"}, 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Surface got = Layout(c.paragraphs);
        auto [left, right] = InkColumns(got);
        EXPECT_GE(left, 34);
        EXPECT_LE(right, 649);
        EXPECT_EQ(InkLines(got, Advance()).size(), c.lines);
    }
}

// The band under each line blanks the background from x 34 for 615 pixels.
TEST_F(PrintLayout, WhiteBandUnderEachLine) {
    TBitmap bmp;
    bmp.SetSize(680, 1000);
    TCanvas* c = bmp.Canvas();
    c->Brush.Color = RGBColor(128, 128, 128);
    c->FillRect(Rect(0, 0, 680, 1000));
    TextFont(c);
    const int advance = c->TextWidth("X") + 8;
    TFrontaString q;
    SplitWords("a b", &q);
    DrawLine(c, &q, 700, 615, true);
    EXPECT_EQ(q.Count(), 0);
    const Surface& s = bmp.Pixels();
    EXPECT_EQ(s.Get(33, 700), RGBColor(128, 128, 128));
    EXPECT_EQ(s.Get(649, 700), RGBColor(128, 128, 128));
    EXPECT_EQ(s.Get(648, 700), clWhite);
    EXPECT_EQ(s.Get(648, 700 + advance - 1), clWhite);
    EXPECT_EQ(s.Get(648, 700 + advance), RGBColor(128, 128, 128));
    EXPECT_EQ(s.Get(40, 699), RGBColor(128, 128, 128));
}

}  // namespace
