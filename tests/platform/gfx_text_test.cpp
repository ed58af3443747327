#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/core/strings.h"
#include "platform/gfx/graphics.h"
#include "platform/gfx/text.h"

namespace {

// A font set up in one expression (fonts are objects, not values).
struct Font {
    Font(const String& name, int height, TFontStyles style = 0) {
        font.Name = name;
        font.SetHeight(height);
        font.Style = style;
    }
    TFont font;
};

// Bounding box of pixels that differ from white.
TRect Ink(const Surface& s) {
    TRect box{s.width, s.height, 0, 0};
    for (int y = 0; y < s.height; ++y) {
        for (int x = 0; x < s.width; ++x) {
            if (s.Get(x, y) != clWhite) {
                box = TRect{std::min(box.Left, x), std::min(box.Top, y), std::max(box.Right, x + 1),
                            std::max(box.Bottom, y + 1)};
            }
        }
    }
    return box.IsEmpty() ? TRect{} : box;
}

std::vector<Byte> Render(const TFont& font, const String& s, int w = 80, int h = 40) {
    TBitmap b;
    b.SetSize(w, h);
    TCanvas* c = b.Canvas();
    c->Font.Assign(font);
    c->Brush.Style = TBrushStyle::bsClear;
    c->TextOut(4, 4, s);
    return b.Pixels().pixels;
}

const char* const kFamilies[] = {"Arial", "Verdana", "Tahoma", "MS Sans Serif"};

}  // namespace

TEST(GfxText, FontNamesMapToFreeFamiliesWithTheirBoldFaces) {
    struct Case {
        const char* name;
        const char* family;
        const char* regularFile;
        const char* boldFile;
    };
    const Case cases[] = {
        {"Arial", "Liberation Sans", "LiberationSans-Regular", "LiberationSans-Bold"},
        {"verdana", "DejaVu Sans", "DejaVuSans.ttf", "DejaVuSans-Bold"},
        {"Tahoma", "DejaVu Sans Condensed", "DejaVuSansCondensed.ttf", "DejaVuSansCondensed-Bold"},
        {"MS Sans Serif", "DejaVu Sans", "DejaVuSans.ttf", "DejaVuSans-Bold"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(text::SubstituteFamily(c.name), c.family);
        const text::FaceChoice regular = text::FaceFor(Font(c.name, -13).font);
        const text::FaceChoice bold = text::FaceFor(Font(c.name, -13, fsBold).font);
        EXPECT_NE(regular.file.find(c.regularFile), String::npos) << regular.file;
        EXPECT_NE(bold.file.find(c.boldFile), String::npos) << bold.file;
        EXPECT_FALSE(bold.syntheticBold);
    }
}

TEST(GfxText, SizeInPointsAndHeightInPixels) {
    struct Case {
        int points;
        int height;
    };
    for (const Case& c : {Case{8, -11}, Case{10, -13}, Case{11, -15}, Case{13, -17}, Case{14, -19}, Case{18, -24}}) {
        SCOPED_TRACE(c.points);
        TFont f;
        f.SetSize(c.points);
        EXPECT_EQ(f.GetHeight(), c.height);
        EXPECT_EQ(f.GetSize(), c.points);
    }
    TFont f;
    f.SetHeight(-17);
    EXPECT_EQ(f.GetSize(), 13);
}

TEST(GfxText, NegativeHeightIsTheEmAndPositiveHeightTheCell) {
    for (const char* family : kFamilies) {
        for (int h : {11, 15, 17, 24}) {
            SCOPED_TRACE(std::string(family) + " " + std::to_string(h));
            TBitmap b;
            b.SetSize(1, 1);
            TCanvas* c = b.Canvas();
            c->Font.Name = family;
            c->Font.SetHeight(h);
            EXPECT_EQ(c->TextHeight("Xg"), h);
            c->Font.SetHeight(-h);
            const int cell = c->TextHeight("Xg");
            // The cell adds the room above capitals and below descenders.
            EXPECT_GT(cell, h);
            EXPECT_LT(cell, h * 3 / 2);
        }
    }
}

TEST(GfxText, WidthsAddUpWithoutKerning) {
    const std::vector<String> words = {"AV", "To", "Ta", "Wa", "malíř", "pokojů", "ošetřovatel", "v", "ZOO"};
    for (const char* family : kFamilies) {
        for (TFontStyles style : {TFontStyles(0), TFontStyles(fsBold)}) {
            SCOPED_TRACE(std::string(family) + (style ? " bold" : ""));
            TBitmap b;
            TCanvas* c = b.Canvas();
            c->Font.Name = family;
            c->Font.SetSize(11);
            c->Font.Style = style;
            String line;
            int sum = 0;
            for (const String& w : words) {
                int letters = 0;
                for (std::size_t pos = 0; pos < w.size();) {
                    const std::size_t start = pos;
                    NextCodePoint(w, pos);
                    letters += c->TextWidth(w.substr(start, pos - start));
                }
                EXPECT_EQ(c->TextWidth(w), letters) << w;
                if (!line.empty()) {
                    line += " ";
                    sum += c->TextWidth(" ");
                }
                line += w;
                sum += c->TextWidth(w);
            }
            EXPECT_EQ(c->TextWidth(line), sum);
            EXPECT_EQ(c->TextWidth(""), 0);
        }
    }
}

TEST(GfxText, BoldIsWiderThanRegular) {
    for (const char* family : kFamilies) {
        SCOPED_TRACE(family);
        TBitmap b;
        TCanvas* c = b.Canvas();
        c->Font.Name = family;
        c->Font.SetHeight(-17);
        const int regular = c->TextWidth("zahradník");
        c->Font.Style = fsBold;
        EXPECT_GT(c->TextWidth("zahradník"), regular);
    }
}

TEST(GfxText, EveryCzechLetterRendersAndDiffersFromItsBaseLetter) {
    const std::vector<std::pair<String, String>> letters = {
        {"á", "a"}, {"č", "c"}, {"ď", "d"}, {"é", "e"}, {"ě", "e"}, {"í", "i"}, {"ň", "n"}, {"ó", "o"},
        {"ř", "r"}, {"š", "s"}, {"ť", "t"}, {"ú", "u"}, {"ů", "u"}, {"ý", "y"}, {"ž", "z"}, {"Á", "A"},
        {"Č", "C"}, {"Ď", "D"}, {"É", "E"}, {"Ě", "E"}, {"Í", "I"}, {"Ň", "N"}, {"Ó", "O"}, {"Ř", "R"},
        {"Š", "S"}, {"Ť", "T"}, {"Ú", "U"}, {"Ů", "U"}, {"Ý", "Y"}, {"Ž", "Z"},
    };
    for (const char* family : kFamilies) {
        const Font font(family, -17, fsBold);
        const std::vector<Byte> blank(80 * 40 * 3, 255);
        for (const auto& [accented, base] : letters) {
            SCOPED_TRACE(std::string(family) + " " + accented);
            const std::vector<Byte> drawn = Render(font.font, accented);
            EXPECT_NE(drawn, blank);
            EXPECT_NE(drawn, Render(font.font, base));
        }
    }
}

TEST(GfxText, TextSitsBelowItsTopInTheFontColourOverASolidOrClearBrush) {
    const TColor background = RGBColor(0xF7, 0xFF, 0xCE);
    for (TBrushStyle style : {TBrushStyle::bsSolid, TBrushStyle::bsClear}) {
        SCOPED_TRACE(style == TBrushStyle::bsSolid ? "solid" : "clear");
        TBitmap b;
        b.SetSize(120, 60);
        TCanvas* c = b.Canvas();
        c->Font.Name = "Verdana";
        c->Font.SetHeight(-17);
        c->Font.Style = fsBold;
        c->Font.Color = clNavy;
        c->Brush.Color = background;
        c->Brush.Style = style;
        c->TextOut(10, 20, "Ill");
        const int w = c->TextWidth("Ill");
        const int h = c->TextHeight("Ill");

        bool exactColour = false;
        for (int y = 0; y < b.Height(); ++y) {
            for (int x = 0; x < b.Width(); ++x) {
                const bool inCell = x >= 10 && x < 10 + w && y >= 20 && y < 20 + h;
                const TColor p = b.Pixels().Get(x, y);
                if (!inCell) {
                    EXPECT_EQ(p, clWhite) << x << "," << y;
                }
                exactColour = exactColour || p == clNavy;
            }
        }
        // The stems of bold capitals are fully covered.
        EXPECT_TRUE(exactColour);
        // The cell's corners show the brush or what was there.
        const TColor corner = style == TBrushStyle::bsSolid ? background : clWhite;
        EXPECT_EQ(b.Pixels().Get(10, 20), corner);
        EXPECT_EQ(b.Pixels().Get(10 + w - 1, 20 + h - 1), corner);
    }
}

TEST(GfxText, TextClipsAtNegativeCoordinatesAndToTheClipRectangle) {
    TBitmap b;
    b.SetSize(30, 20);
    TCanvas* c = b.Canvas();
    c->Font.SetHeight(-24);
    c->Brush.Style = TBrushStyle::bsClear;
    c->TextOut(-10, -10, "ŽŽŽ");
    EXPECT_EQ(Ink(b.Pixels()).Left, 0);
    EXPECT_EQ(Ink(b.Pixels()).Top, 0);

    b.Pixels().Fill(clWhite);
    c->SetClip(Rect(5, 5, 15, 15));
    c->TextOut(0, 0, "WWWW");
    const TRect ink = Ink(b.Pixels());
    EXPECT_FALSE(ink.IsEmpty());
    EXPECT_GE(ink.Left, 5);
    EXPECT_GE(ink.Top, 5);
    EXPECT_LE(ink.Right, 15);
    EXPECT_LE(ink.Bottom, 15);
}

TEST(GfxText, UnderlineAndStrikeOutRunTheWholeWidth) {
    struct Case {
        TFontStyles style;
        bool belowBaseline;
    };
    for (const Case& c : {Case{fsUnderline, true}, Case{fsStrikeOut, false}}) {
        SCOPED_TRACE(c.belowBaseline ? "underline" : "strike-out");
        TBitmap b;
        b.SetSize(120, 40);
        TCanvas* canvas = b.Canvas();
        canvas->Font.Name = "Arial";
        canvas->Font.SetHeight(-24);
        canvas->Font.Style = c.style;
        canvas->Brush.Style = TBrushStyle::bsClear;
        canvas->TextOut(5, 5, "a  a");  // the spaces have no ink of their own
        const int width = canvas->TextWidth("a  a");
        const int baseline = 5 + text::Metrics(canvas->Font).ascent;
        int lineRow = -1;
        for (int y = 0; y < b.Height() && lineRow < 0; ++y) {
            bool full = true;
            for (int x = 5; x < 5 + width; ++x) {
                full = full && b.Pixels().Get(x, y) == clBlack;
            }
            lineRow = full ? y : -1;
        }
        ASSERT_GE(lineRow, 0);
        EXPECT_EQ(lineRow >= baseline, c.belowBaseline) << lineRow << " vs baseline " << baseline;
        EXPECT_EQ(b.Pixels().Get(5 + width, lineRow), clWhite);
    }
}

TEST(GfxText, TextOutReportsItsCellAsChangedInSurfaceCoordinates) {
    struct Recording : TCanvas {
        using TCanvas::TCanvas;
        void Changed(const TRect& r) override { changes.push_back(r); }
        std::vector<TRect> changes;
    };
    TBitmap b;
    b.SetSize(200, 50);
    Recording canvas(&b.Pixels());
    canvas.Font.Name = "Tahoma";
    canvas.Font.SetHeight(-15);
    canvas.Origin = Point(7, 3);
    canvas.TextOut(10, 5, "Ill");
    const TRect cell = Bounds(17, 8, canvas.TextWidth("Ill"), canvas.TextHeight("Ill"));
    ASSERT_EQ(canvas.changes.size(), 1u);
    EXPECT_EQ(canvas.changes[0], cell);
    EXPECT_EQ(b.Pixels().Get(17, 8), clWhite);  // the default brush: solid white
    canvas.TextOut(10, 5, "");
    EXPECT_EQ(canvas.changes.size(), 1u);
}
