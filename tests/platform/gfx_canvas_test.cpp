#include <gtest/gtest.h>

#include <climits>
#include <map>
#include <string>
#include <vector>

#include "platform/core/exceptions.h"
#include "platform/gfx/graphics.h"

namespace {

constexpr TColor kRed = RGBColor(255, 0, 0);
constexpr TColor kGreen = RGBColor(0, 255, 0);

// Pictures written as rows of letters, one colour each.
const std::map<char, TColor> kColours = {
    {'.', clWhite}, {'#', clBlack}, {'n', clNavy}, {'m', clFuchsia}, {'r', kRed}, {'g', kGreen},
};

char LetterOf(TColor c) {
    for (const auto& [letter, colour] : kColours) {
        if (colour == c) {
            return letter;
        }
    }
    return '?';
}

void Paint(TBitmap& b, const std::vector<std::string>& rows) {
    b.SetSize(int(rows[0].size()), int(rows.size()));
    for (int y = 0; y < b.Height(); ++y) {
        for (int x = 0; x < b.Width(); ++x) {
            b.Pixels().Set(x, y, kColours.at(rows[std::size_t(y)][std::size_t(x)]));
        }
    }
}

std::vector<std::string> Letters(const TBitmap& b) {
    std::vector<std::string> rows;
    for (int y = 0; y < b.Height(); ++y) {
        std::string row;
        for (int x = 0; x < b.Width(); ++x) {
            row += LetterOf(b.Pixels().Get(x, y));
        }
        rows.push_back(row);
    }
    return rows;
}

// A canvas that records what it reports as changed.
class RecordingCanvas : public TCanvas {
public:
    using TCanvas::TCanvas;
    void Changed(const TRect& r) override { changes.push_back(r); }
    std::vector<TRect> changes;
};

}  // namespace

TEST(GfxCanvas, FillRectExcludesRightAndBottomAndClipsToTheSurface) {
    TBitmap b;
    Paint(b, {"....", "....", "...."});
    RecordingCanvas canvas(&b.Pixels());
    canvas.Brush.Color = clNavy;
    canvas.FillRect(Rect(-5, -5, 2, 2));
    canvas.FillRect(Rect(3, 2, 10, 10));
    EXPECT_EQ(Letters(b), (std::vector<std::string>{"nn..", "nn..", "...n"}));
    EXPECT_EQ(canvas.changes, (std::vector<TRect>{Rect(0, 0, 2, 2), Rect(3, 2, 4, 3)}));

    canvas.changes.clear();
    canvas.FillRect(Rect(2, 2, 2, 3));  // empty
    canvas.Brush.Style = TBrushStyle::bsClear;
    canvas.FillRect(Rect(0, 0, 4, 3));
    EXPECT_EQ(Letters(b), (std::vector<std::string>{"nn..", "nn..", "...n"}));
    EXPECT_TRUE(canvas.changes.empty());
}

TEST(GfxCanvas, DrawIsOpaqueOrSkipsTheTransparentColour) {
    TBitmap sprite;
    Paint(sprite, {"mr", "rm"});
    struct Case {
        bool transparent;
        std::vector<std::string> expected;
    };
    const Case cases[] = {{false, {"....", ".mr.", ".rm.", "...."}}, {true, {"....", "..r.", ".r..", "...."}}};
    for (const Case& c : cases) {
        TBitmap target;
        Paint(target, {"....", "....", "....", "...."});
        sprite.Transparent = c.transparent;
        target.Canvas()->Draw(1, 1, &sprite);
        EXPECT_EQ(Letters(target), c.expected);
    }
}

TEST(GfxCanvas, DrawClipsAtNegativeCoordinatesToTheClipRectangleAndFollowsTheOrigin) {
    TBitmap sprite;
    Paint(sprite, {"rg", "gr"});
    TBitmap target;
    Paint(target, {"....", "....", "...."});
    RecordingCanvas canvas(&target.Pixels());
    canvas.Draw(-1, -1, &sprite);
    EXPECT_EQ(Letters(target), (std::vector<std::string>{"r...", "....", "...."}));
    EXPECT_EQ(canvas.changes, (std::vector<TRect>{Rect(0, 0, 1, 1)}));

    canvas.changes.clear();
    canvas.Origin = Point(2, 1);
    canvas.SetClip(Rect(0, 0, 3, 3));
    canvas.Draw(0, 0, &sprite);  // at (2, 1); the column at x = 3 is clipped
    EXPECT_EQ(Letters(target), (std::vector<std::string>{"r...", "..r.", "..g."}));
    EXPECT_EQ(canvas.changes, (std::vector<TRect>{Rect(2, 1, 3, 3)}));
    EXPECT_EQ(canvas.GetPixel(0, 0), kRed);  // (2, 1) on the surface
}

TEST(GfxCanvas, PixelsOutsideTheSurfaceReadAsNoColourAndIgnoreWrites) {
    TBitmap b;
    Paint(b, {"r.", ".."});
    TCanvas* c = b.Canvas();
    for (TPoint p : {Point(-1, 0), Point(0, -1), Point(2, 0), Point(0, 2), Point(-100000, 5)}) {
        EXPECT_EQ(c->GetPixel(p.X, p.Y), clNone);
        c->SetPixel(p.X, p.Y, clBlack);
    }
    EXPECT_EQ(Letters(b), (std::vector<std::string>{"r.", ".."}));
    EXPECT_EQ(c->GetPixel(0, 0), kRed);
    TCanvas detached;
    EXPECT_EQ(detached.GetPixel(0, 0), clNone);
}

TEST(GfxCanvas, ACopyReportsOnlyThePixelsItChanged) {
    // A window redrawn whole from its buffer: what is already there is no
    // change; otherwise the changed rectangle bounds the pixels that differ.
    struct Case {
        const char* name;
        std::vector<std::string> target;
        std::vector<TRect> changes;
    };
    const std::vector<std::string> source = {"rgrgrgrgrgrg", "grgrgrgrgrgr", "rrrrrrrrrrrr"};
    const Case cases[] = {
        {"AlreadyThere", source, {}},
        {"OnePixelInTheMiddle", {"rgrgrgrgrgrg", "grgrg.grgrgr", "rrrrrrrrrrrr"}, {Rect(5, 1, 6, 2)}},
        {"TwoRowsApartAtBothEnds", {".grgrgrgrgrg", "grgrgrgrgrgr", "rrrrrrrrrrr."}, {Rect(0, 0, 12, 3)}},
        {"AllNew", {"............", "............", "............"}, {Rect(0, 0, 12, 3)}},
    };
    TBitmap from;
    Paint(from, source);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TBitmap target;
        Paint(target, c.target);
        RecordingCanvas canvas(&target.Pixels());
        BitBlt(canvas.Handle(), 0, 0, 12, 3, from.Canvas()->Handle(), 0, 0, SRCCOPY);
        EXPECT_EQ(Letters(target), source);
        EXPECT_EQ(canvas.changes, c.changes);
    }
}

TEST(GfxCanvas, CopyDrawsOnlyTheSourcePixelsThatExist) {
    // A 2x2 source copied into a 3x3 rectangle: its top-left part, unscaled
    // by BitBlt; the rest of the target stays as it was.
    TBitmap source;
    Paint(source, {"rg", "gr"});
    TBitmap target;
    Paint(target, {"...", "...", "..."});
    RecordingCanvas canvas(&target.Pixels());
    EXPECT_TRUE(BitBlt(canvas.Handle(), 0, 0, 3, 3, source.Canvas()->Handle(), 0, 0, SRCCOPY));
    EXPECT_EQ(Letters(target), (std::vector<std::string>{"rg.", "gr.", "..."}));
    EXPECT_EQ(canvas.changes, (std::vector<TRect>{Rect(0, 0, 2, 2)}));

    // From a negative source position only the overlap arrives.
    Paint(target, {"...", "...", "..."});
    BitBlt(canvas.Handle(), 0, 0, 3, 3, source.Canvas()->Handle(), -1, -1, SRCCOPY);
    EXPECT_EQ(Letters(target), (std::vector<std::string>{"...", ".rg", ".gr"}));
}

TEST(GfxCanvas, CopyWithinOneSurfaceHandlesOverlap) {
    TBitmap b;
    Paint(b, {"rgn..", "....."});
    BitBlt(b.Canvas(), 1, 0, 3, 1, b.Canvas(), 0, 0, SRCCOPY);
    EXPECT_EQ(Letters(b), (std::vector<std::string>{"rrgn.", "....."}));
    b.Canvas()->CopyRect(Rect(0, 0, 4, 1), b.Canvas(), Rect(1, 0, 5, 1));
    EXPECT_EQ(Letters(b), (std::vector<std::string>{"rgn..", "....."}));
}

TEST(GfxCanvas, StretchBltScalesByNearestNeighbourAndIgnoresEmptySizes) {
    TBitmap source;
    Paint(source, {"rg", "n#"});
    struct Case {
        const char* name;
        int w, h, sw, sh;
        std::vector<std::string> expected;
    };
    const std::vector<Case> cases = {
        {"doubled", 4, 4, 2, 2, {"rrgg", "rrgg", "nn##", "nn##"}},
        {"halved to one row", 2, 1, 2, 2, {"rg..", "....", "....", "...."}},
        {"zero width", 0, 4, 2, 2, {"....", "....", "....", "...."}},
        {"negative height", 4, -4, 2, 2, {"....", "....", "....", "...."}},
        {"negative source width", 4, 4, -2, 2, {"....", "....", "....", "...."}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TBitmap target;
        Paint(target, {"....", "....", "....", "...."});
        EXPECT_TRUE(StretchBlt(target.Canvas(), 0, 0, c.w, c.h, source.Canvas(), 0, 0, c.sw, c.sh, SRCCOPY));
        EXPECT_EQ(Letters(target), c.expected);
    }
    TBitmap target;
    Paint(target, {"."});
    EXPECT_FALSE(BitBlt(target.Canvas(), 0, 0, 1, 1, source.Canvas(), 0, 0, 0x00EE0086));
    EXPECT_EQ(Letters(target), (std::vector<std::string>{"."}));
}

TEST(GfxCanvas, StretchDrawKeepsTransparency) {
    TBitmap sprite;
    Paint(sprite, {"mr"});
    sprite.Transparent = true;
    TBitmap target;
    Paint(target, {"....", "...."});
    target.Canvas()->StretchDraw(Rect(0, 0, 4, 2), &sprite);
    EXPECT_EQ(Letters(target), (std::vector<std::string>{"..rr", "..rr"}));
}

namespace {

struct FillCase {
    const char* name;
    std::vector<std::string> picture;
    TPoint start;
    char colour;
    TFillStyle style;
    char brush;
    std::vector<std::string> expected;
};

}  // namespace

TEST(GfxCanvas, FloodFillInBothStyles) {
    const TFillStyle border = TFillStyle::fsBorder;
    const TFillStyle surface = TFillStyle::fsSurface;
    const std::vector<std::string> town = {
        "..#....",
        "..#.##.",
        "###.#r.",
        "....###",
        "r.r....",
    };
    const std::vector<FillCase> cases = {
        {"border: the region reaches the edge, not across diagonals",
         town, Point(0, 0), '#', border, 'n',
         {"nn#....", "nn#.##.", "###.#r.", "....###", "r.r...."}},
        {"border: through pixels of the brush colour and other colours",
         {"..#..", "n.#r.", "nn#.."}, Point(0, 0), '#', border, 'n',
         {"nn#..", "nn#r.", "nn#.."}},
        {"border: a large region around corners",
         town, Point(3, 0), '#', border, 'n',
         {"..#nnnn", "..#n##n", "###n#nn", "nnnn###", "nnnnnnn"}},
        {"border: the start on the border colour fills nothing",
         town, Point(2, 0), '#', border, 'n', town},
        {"border: the brush as the border colour",
         {"..#", "..#"}, Point(0, 0), '#', border, '#', {"###", "###"}},
        {"border: magenta as the border",
         {"m..", ".m.", "..m"}, Point(2, 0), 'm', border, 'n', {"mnn", ".mn", "..m"}},
        {"surface: exactly the connected area of the colour",
         town, Point(0, 4), 'r', surface, 'g',
         {"..#....", "..#.##.", "###.#r.", "....###", "g.r...."}},
        {"surface: white area bounded by every other colour",
         {".r.", ".r.", "..."}, Point(2, 0), '.', surface, 'n', {"nrn", "nrn", "nnn"}},
        {"surface: the start of another colour fills nothing",
         town, Point(0, 0), 'r', surface, 'g', town},
        {"surface: in the colour it already has changes nothing",
         town, Point(0, 0), '.', surface, '.', town},
        {"start outside the picture", town, Point(-1, 0), '#', border, 'n', town},
        {"start below the picture", town, Point(0, 5), '.', surface, 'n', town},
    };
    for (const FillCase& c : cases) {
        SCOPED_TRACE(c.name);
        TBitmap b;
        Paint(b, c.picture);
        RecordingCanvas canvas(&b.Pixels());
        canvas.Brush.Color = kColours.at(c.brush);
        canvas.FloodFill(c.start.X, c.start.Y, kColours.at(c.colour), c.style);
        EXPECT_EQ(Letters(b), c.expected);
        EXPECT_EQ(canvas.changes.size(), c.expected == c.picture ? 0u : 1u);
    }
}

TEST(GfxCanvas, FloodFillStopsAtTheClipRectangleAndReportsTheFilledBox) {
    TBitmap b;
    Paint(b, {"....", "....", "....", "...."});
    RecordingCanvas canvas(&b.Pixels());
    canvas.Brush.Color = clNavy;
    canvas.SetClip(Rect(1, 1, 3, 4));
    canvas.FloodFill(0, 0, clBlack, TFillStyle::fsBorder);  // outside the clip
    EXPECT_TRUE(canvas.changes.empty());
    canvas.FloodFill(1, 1, clBlack, TFillStyle::fsBorder);
    EXPECT_EQ(Letters(b), (std::vector<std::string>{"....", ".nn.", ".nn.", ".nn."}));
    EXPECT_EQ(canvas.changes, (std::vector<TRect>{Rect(1, 1, 3, 4)}));
}

TEST(GfxBitmap, SizeAssignAndScanLines) {
    TBitmap b;
    EXPECT_TRUE(b.Empty());
    Paint(b, {"rg", "n#"});
    b.SetSize(3, 1);  // keeps the top-left part, new pixels white
    EXPECT_EQ(Letters(b), (std::vector<std::string>{"rg."}));
    b.SetHeight(2);
    EXPECT_EQ(Letters(b), (std::vector<std::string>{"rg.", "..."}));
    b.SetWidth(-3);
    EXPECT_TRUE(b.Empty());
    EXPECT_THROW(b.SetSize(40000, 1), EOutOfResources);

    Paint(b, {"rg", "n#"});
    b.Transparent = true;
    b.TransparentColor = kGreen;
    b.PixelFormat = TPixelFormat::pf24bit;
    TBitmap copy;
    copy.Assign(&b);
    b.Pixels().Set(0, 0, clBlack);
    EXPECT_EQ(Letters(copy), (std::vector<std::string>{"rg", "n#"}));
    EXPECT_TRUE(copy.Transparent);
    EXPECT_EQ(copy.TransparentColor, kGreen);
    EXPECT_EQ(copy.PixelFormat, TPixelFormat::pf24bit);

    Byte* row = copy.ScanLine(1);
    EXPECT_EQ(row[2], 0);    // navy: red byte last
    EXPECT_EQ(row[0], 128);  // blue byte first
    EXPECT_THROW(copy.ScanLine(2), EInvalidGraphic);
    EXPECT_THROW(copy.ScanLine(-1), EInvalidGraphic);
    copy.Assign(nullptr);
    EXPECT_TRUE(copy.Empty());
}

namespace {

// The plain definition of both fills, pixel by pixel, for comparison.
std::vector<std::string> ReferenceFill(std::vector<std::string> rows, TPoint start, char colour, TFillStyle style,
                                       char brush, TRect clip) {
    const int w = int(rows[0].size());
    const int h = int(rows.size());
    auto inRegion = [&](int x, int y) {
        const bool isColour = rows[std::size_t(y)][std::size_t(x)] == colour;
        return style == TFillStyle::fsBorder ? !isColour : isColour;
    };
    if (!clip.Contains(start.X, start.Y) || !inRegion(start.X, start.Y)) {
        return rows;
    }
    std::vector<std::vector<bool>> seen(std::size_t(h), std::vector<bool>(std::size_t(w), false));
    std::vector<TPoint> todo{start};
    seen[std::size_t(start.Y)][std::size_t(start.X)] = true;
    std::vector<TPoint> region;
    while (!todo.empty()) {
        const TPoint p = todo.back();
        todo.pop_back();
        region.push_back(p);
        for (TPoint d : {Point(1, 0), Point(-1, 0), Point(0, 1), Point(0, -1)}) {
            const TPoint n = Point(p.X + d.X, p.Y + d.Y);
            if (clip.Contains(n.X, n.Y) && !seen[std::size_t(n.Y)][std::size_t(n.X)] && inRegion(n.X, n.Y)) {
                seen[std::size_t(n.Y)][std::size_t(n.X)] = true;
                todo.push_back(n);
            }
        }
    }
    for (TPoint p : region) {
        rows[std::size_t(p.Y)][std::size_t(p.X)] = brush;
    }
    return rows;
}

}  // namespace

TEST(GfxCanvas, FloodFillMatchesThePixelByPixelDefinitionOnRandomPictures) {
    // Pictures of few colours, so that regions wind, split and join; the
    // brush is often a colour already in the region.
    const std::string palette = ".#nr";
    std::uint32_t seed = 12345;
    auto next = [&seed](std::uint32_t range) {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 16) % range;
    };
    for (int round = 0; round < 400; ++round) {
        const int w = 1 + int(next(24));
        const int h = 1 + int(next(16));
        std::vector<std::string> rows(std::size_t(h), std::string(std::size_t(w), '.'));
        const std::uint32_t density = 1 + next(3);
        for (auto& row : rows) {
            for (char& c : row) {
                c = next(4) < density ? palette[next(4)] : '.';
            }
        }
        const TPoint start = Point(int(next(std::uint32_t(w))), int(next(std::uint32_t(h))));
        const char colour = palette[next(4)];
        const char brush = palette[next(4)];
        const TFillStyle style = next(2) ? TFillStyle::fsBorder : TFillStyle::fsSurface;
        const bool clipped = next(3) == 0;
        const TRect clip = clipped ? Rect(int(next(std::uint32_t(w))), int(next(std::uint32_t(h))), w, h)
                                   : Rect(0, 0, w, h);
        SCOPED_TRACE("round " + std::to_string(round));
        TBitmap b;
        Paint(b, rows);
        if (clipped) {
            b.Canvas()->SetClip(clip);
        }
        b.Canvas()->Brush.Color = kColours.at(brush);
        b.Canvas()->FloodFill(start.X, start.Y, kColours.at(colour), style);
        ASSERT_EQ(Letters(b), ReferenceFill(rows, start, colour, style, brush, clip));
    }
}

TEST(GfxCanvas, CoordinatesAtTheEndsOfTheIntegerRangeDrawNothingAndDoNotOverflow) {
    TBitmap source;
    Paint(source, {"rg", "gr"});
    TBitmap target;
    Paint(target, {"...", "..."});
    TCanvas* c = target.Canvas();
    c->Brush.Color = clBlack;
    const int big = INT_MAX;
    const int small = INT_MIN;
    BitBlt(c, big - 1, 0, big, big, source.Canvas(), 0, 0, SRCCOPY);
    BitBlt(c, small, small, big, big, source.Canvas(), big, big, SRCCOPY);
    StretchBlt(c, small, small, big, big, source.Canvas(), small, small, big, big, SRCCOPY);
    c->CopyRect(Rect(small, small, big, big), source.Canvas(), Rect(small, 0, big, 1));
    c->Draw(big, big, &source);
    c->StretchDraw(Rect(small, small, big, big), &source);
    c->FillRect(Rect(big, big, small, small));
    c->Origin = Point(big, big);
    c->Draw(big, big, &source);
    c->FillRect(Rect(big - 2, big - 2, big, big));
    c->FloodFill(big, big, clBlack, TFillStyle::fsBorder);
    c->TextOut(big, big, "W");
    EXPECT_EQ(c->GetPixel(big, big), clNone);
    c->Origin = Point(0, 0);
    // The huge stretch scaled the source far beyond the target: at most its
    // top-left pixel arrives, never a pixel from outside the source.
    for (const std::string& row : Letters(target)) {
        for (char ch : row) {
            EXPECT_TRUE(ch == '.' || ch == 'r') << row;
        }
    }
}

TEST(GfxCanvas, TransparentDrawMatchesThePixelByPixelDefinitionOnRandomSprites) {
    const std::string palette = "mrgn";
    std::uint32_t seed = 777;
    auto next = [&seed](std::uint32_t range) {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 16) % range;
    };
    for (int round = 0; round < 200; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        const int w = 1 + int(next(20));
        const int h = 1 + int(next(4));
        std::vector<std::string> sprite(std::size_t(h), std::string(std::size_t(w), 'm'));
        for (auto& row : sprite) {
            for (char& c : row) {
                c = palette[next(4)];
            }
        }
        const TPoint at = Point(int(next(30)) - 10, int(next(8)) - 3);
        std::vector<std::string> expected(6, std::string(16, '.'));
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                const int tx = at.X + x;
                const int ty = at.Y + y;
                const char c = sprite[std::size_t(y)][std::size_t(x)];
                if (tx >= 0 && tx < 16 && ty >= 0 && ty < 6 && c != 'm') {
                    expected[std::size_t(ty)][std::size_t(tx)] = c;
                }
            }
        }
        TBitmap s;
        Paint(s, sprite);
        s.Transparent = true;
        TBitmap target;
        Paint(target, std::vector<std::string>(6, std::string(16, '.')));
        target.Canvas()->Draw(at.X, at.Y, &s);
        ASSERT_EQ(Letters(target), expected);
    }
}
