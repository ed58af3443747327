#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/gfx/graphics.h"
#include "platform/ui/richtext.h"
#include "richtext_documents.h"

using namespace richtext_test;

namespace {

constexpr TColor kPaper = RGBColor(206, 255, 247);  // the detail page's text box
constexpr TColor kOutside = clWhite;

// The detail page's text box, placed inside a larger white bitmap so that
// drawing outside it shows.
class RichTextRender : public ::testing::Test {
protected:
    RichTextRender() {
        bitmap_.SetSize(300, 420);
        Canvas().Brush.Color = kOutside;
        Canvas().FillRect(Rect(0, 0, 300, 420));
    }

    TCanvas& Canvas() { return *bitmap_.Canvas(); }

    void RenderPage(const std::string& pageText) {
        richtext::Render(richtext::Parse(PageDocument(pageText)), Canvas(), box_, kPaper);
    }

    // Measures in the page's font, Verdana bold 10 points.
    static int PageFontWidth(const String& text) { return PageFontProbe().TextWidth(text); }
    static int LinePitch() { return PageFontProbe().TextHeight("Ag"); }
    static TCanvas& PageFontProbe() {
        static TBitmap probe;
        TCanvas& c = *probe.Canvas();
        c.Font.Name = "Verdana";
        c.Font.SetHeight(-13);
        c.Font.Style = fsBold;
        return c;
    }

    // Rows of text line k inside the box (1 pixel margin at the top).
    TRect LineBand(int k) {
        int top = box_.Top + 1 + k * LinePitch();
        return Rect(box_.Left, top, box_.Right, std::min(box_.Bottom, top + LinePitch()));
    }

    bool Ink(int x, int y) const { return bitmap_.Pixels().Get(x, y) != kPaper; }

    // Rightmost and leftmost columns of `band` holding a pixel other than
    // the paper; -1 when the band is empty.
    int RightmostInk(const TRect& band) const {
        for (int x = band.Right - 1; x >= band.Left; --x) {
            for (int y = band.Top; y < band.Bottom; ++y) {
                if (Ink(x, y)) return x;
            }
        }
        return -1;
    }
    int LeftmostInk(const TRect& band) const {
        for (int x = band.Left; x < band.Right; ++x) {
            for (int y = band.Top; y < band.Bottom; ++y) {
                if (Ink(x, y)) return x;
            }
        }
        return -1;
    }
    int CountLines() {
        int k = 0;
        while (LineBand(k).Top < box_.Bottom && RightmostInk(LineBand(k)) >= 0) ++k;
        return k;
    }

    bool NothingOutsideTheBox() const {
        const Surface& s = bitmap_.Pixels();
        for (int y = 0; y < s.height; ++y) {
            for (int x = 0; x < s.width; ++x) {
                if (!box_.Contains(x, y) && s.Get(x, y) != kOutside) return false;
            }
        }
        return true;
    }

    const TRect box_ = Bounds(30, 40, 224, 337);
    TBitmap bitmap_;
};

// The last glyph of a line ends a few pixels before or after its advance does.
constexpr int kEdgeTolerance = 4;

}  // namespace

TEST_F(RichTextRender, EmptyDocumentFillsTheBoxWithTheBackgroundOnly) {
    richtext::Render(richtext::Document{}, Canvas(), box_, kPaper);
    const Surface& s = bitmap_.Pixels();
    for (int y = 0; y < s.height; ++y) {
        for (int x = 0; x < s.width; ++x) {
            ASSERT_EQ(s.Get(x, y), box_.Contains(x, y) ? kPaper : kOutside) << x << "," << y;
        }
    }
}

TEST_F(RichTextRender, JustifiedLinesEndAtTheRightEdgeExceptLastAndBrokenLines) {
    // Two parts of a justified paragraph joined by \line; the same paragraph
    // left-aligned shows where each line ends unstretched.
    const std::string first = JoinLines(false, 0, 2);
    const std::string second = JoinLines(false, 2, 2);
    const std::string body = first + "\\line " + second;

    RenderPage("\\ql " + first);
    const int linesOfFirst = CountLines();
    RenderPage("\\ql " + body);
    const Surface left = bitmap_.Pixels();
    const int lines = CountLines();
    RenderPage(body);
    const Surface& justified = bitmap_.Pixels();

    ASSERT_GE(linesOfFirst, 2);
    ASSERT_GE(lines, linesOfFirst + 2);
    const int edge = box_.Right - 2;  // the last column inside the 1-pixel margin
    bool someLineWasShort = false;
    for (int k = 0; k < lines; ++k) {
        SCOPED_TRACE(k);
        TRect band = LineBand(k);
        int leftEnd = -1;
        for (int x = band.Right - 1; x >= band.Left && leftEnd < 0; --x) {
            for (int y = band.Top; y < band.Bottom; ++y) {
                if (left.Get(x, y) != kPaper) {
                    leftEnd = x;
                    break;
                }
            }
        }
        bool unstretched = k == linesOfFirst - 1 || k == lines - 1;
        if (unstretched) {
            for (int y = band.Top; y < band.Bottom; ++y) {
                for (int x = band.Left; x < band.Right; ++x) {
                    ASSERT_EQ(justified.Get(x, y), left.Get(x, y)) << x << "," << y;
                }
            }
        } else {
            EXPECT_GE(RightmostInk(band), edge - kEdgeTolerance);
            if (leftEnd < edge - kEdgeTolerance - 4) someLineWasShort = true;
        }
        EXPECT_LE(LeftmostInk(band), box_.Left + 1 + kEdgeTolerance);
    }
    EXPECT_TRUE(someLineWasShort) << "no line needed stretching; the text does not test it";
}

TEST_F(RichTextRender, Alignments) {
    struct Case {
        const char* control;
        richtext::Align align;
    };
    const Case cases[] = {
        {"\\ql", richtext::Align::Left},
        {"\\qr", richtext::Align::Right},
        {"\\qc", richtext::Align::Center},
        {"\\qj", richtext::Align::Justify},  // a one-line paragraph is its last line
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.control);
        RenderPage(std::string(c.control) + " Zahradn\xEDk");
        TRect band = LineBand(0);
        int leftGap = LeftmostInk(band) - (box_.Left + 1);
        int rightGap = (box_.Right - 2) - RightmostInk(band);
        ASSERT_GE(leftGap, 0);
        ASSERT_GE(rightGap, 0);
        switch (c.align) {
            case richtext::Align::Left:
            case richtext::Align::Justify:
                EXPECT_LE(leftGap, kEdgeTolerance);
                EXPECT_GT(rightGap, 50);
                break;
            case richtext::Align::Right:
                EXPECT_LE(rightGap, kEdgeTolerance);
                EXPECT_GT(leftGap, 50);
                break;
            case richtext::Align::Center:
                EXPECT_LE(std::abs(leftGap - rightGap), kEdgeTolerance);
                EXPECT_GT(leftGap, 25);
                break;
        }
    }
}

TEST_F(RichTextRender, BreaksAndEmptyParagraphsTakeLines) {
    RenderPage("Jedna\\line Dva\\par\\par T\xF8i");
    EXPECT_GE(RightmostInk(LineBand(0)), 0);
    EXPECT_GE(RightmostInk(LineBand(1)), 0);
    EXPECT_EQ(RightmostInk(LineBand(2)), -1);
    EXPECT_GE(RightmostInk(LineBand(3)), 0);
    EXPECT_EQ(RightmostInk(LineBand(4)), -1);
}

TEST_F(RichTextRender, TextIsClippedToTheBox) {
    struct Case {
        const char* what;
        std::string text;
    };
    std::string longPage;
    for (int i = 0; i < 6; ++i) longPage += JoinLines(true) + "\\par ";
    const Case cases[] = {
        {"more lines than fit", longPage},
        {"a word wider than the box", "\\fs60 " + std::string(40, 'W')},
        {"a huge font", "\\fs400 \\'8e\\'e1k"},
        {"right-aligned italic", "\\qr\\i\\fs40 fff"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Canvas().Brush.Color = kOutside;
        Canvas().FillRect(Rect(0, 0, 300, 420));
        RenderPage(c.text);
        EXPECT_TRUE(NothingOutsideTheBox());
    }
}

TEST_F(RichTextRender, TextRunsOnToTheBottomOfTheBox) {
    std::string longPage;
    for (int i = 0; i < 6; ++i) longPage += JoinLines(true) + "\\par ";
    RenderPage(longPage);
    // The last line that starts in the box is drawn, cut at the box's bottom.
    TRect lastRows = Rect(box_.Left, box_.Bottom - 2 * LinePitch(), box_.Right, box_.Bottom);
    EXPECT_GE(RightmostInk(lastRows), 0);
}

TEST_F(RichTextRender, AWordWiderThanTheBoxBreaksAtItsEdge) {
    RenderPage(std::string(60, 'W'));
    int lines = CountLines();
    ASSERT_GE(lines, 2);
    for (int k = 0; k < lines - 1; ++k) {
        SCOPED_TRACE(k);
        // The next letter did not fit in the room that is left.
        EXPECT_GT(RightmostInk(LineBand(k)), box_.Right - 2 - PageFontWidth("W") - kEdgeTolerance);
    }
}

TEST_F(RichTextRender, TextTakesTheRunsColour) {
    RenderPage("{\\colortbl;\\red200\\green0\\blue0;}\\cf1 \\'c8erven\\'e1 barva");
    const TColor red = RGBColor(200, 0, 0);
    bool sawRed = false;
    bool sawBlack = false;
    for (int y = box_.Top; y < box_.Bottom; ++y) {
        for (int x = box_.Left; x < box_.Right; ++x) {
            TColor c = bitmap_.Pixels().Get(x, y);
            sawRed |= c == red;
            sawBlack |= c == clBlack;
        }
    }
    EXPECT_TRUE(sawRed);
    EXPECT_FALSE(sawBlack);
}

TEST_F(RichTextRender, LeavesTheCanvasAsItWas) {
    TCanvas& c = Canvas();
    c.Font.Name = "Tahoma";
    c.Font.SetHeight(-15);
    c.Font.Style = 0;
    c.Font.Color = clNavy;
    c.Brush.Color = clFuchsia;
    c.Brush.Style = TBrushStyle::bsClear;
    RenderPage(JoinLines(false));
    EXPECT_EQ(c.Font.Name, "Tahoma");
    EXPECT_EQ(c.Font.GetHeight(), -15);
    EXPECT_EQ(c.Font.Style, 0);
    EXPECT_EQ(c.Font.Color, clNavy);
    EXPECT_EQ(c.Brush.Color, clFuchsia);
    EXPECT_EQ(c.Brush.Style, TBrushStyle::bsClear);
    EXPECT_EQ(c.ClipRect(), Rect(0, 0, 300, 420));
}

TEST_F(RichTextRender, BoxIsInTheCanvasCoordinatesOfAChildWindow) {
    // A child window's canvas draws at its origin within the parent's surface.
    TCanvas& c = Canvas();
    c.Origin = Point(7, 11);
    const TRect local = Rect(box_.Left - 7, box_.Top - 11, box_.Right - 7, box_.Bottom - 11);
    std::string longPage;
    for (int i = 0; i < 6; ++i) longPage += JoinLines(true) + "\\par ";
    richtext::Render(richtext::Parse(PageDocument(longPage)), c, local, kPaper);
    EXPECT_TRUE(NothingOutsideTheBox());
    EXPECT_EQ(bitmap_.Pixels().Get(box_.Left, box_.Top), kPaper);
    EXPECT_EQ(bitmap_.Pixels().Get(box_.Right - 1, box_.Bottom - 1), kPaper);
    EXPECT_GE(LeftmostInk(LineBand(0)), box_.Left + 1);
    EXPECT_LE(LeftmostInk(LineBand(0)), box_.Left + 1 + kEdgeTolerance);
}
