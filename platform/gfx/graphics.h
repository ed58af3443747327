// Pictures, canvases, fonts and brushes.
//
// Every picture keeps exact 24-bit colours in memory: rows of blue, green,
// red bytes, top row first, 3 * width bytes a row without padding.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/core/classes.h"
#include "platform/core/types.h"

// A 24-bit pixel surface. Bitmaps, window surfaces and printer pages own one.
struct Surface {
    int width = 0;
    int height = 0;
    std::vector<Byte> pixels;  // BGR, top-down, stride 3 * width

    // Keeps the pixels of the overlapping top-left area; new pixels take
    // `fill`. Negative sizes count as zero.
    void Resize(int w, int h, TColor fill = clWhite);
    void Fill(TColor c);
    Byte* Row(int y) { return pixels.data() + std::size_t(y) * std::size_t(width) * 3; }
    const Byte* Row(int y) const { return pixels.data() + std::size_t(y) * std::size_t(width) * 3; }
    TColor Get(int x, int y) const;          // no bounds check
    void Set(int x, int y, TColor c);        // no bounds check
    bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
};

enum TFontStyle : Byte { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
using TFontStyles = Byte;

class TFont : public TObject {
public:
    String Name = "MS Sans Serif";
    TColor Color = clWindowText;
    TFontStyles Style = 0;
    Byte Charset = 1;  // DEFAULT_CHARSET; 238 = EASTEUROPE

    // Size in points at 96 pixels per inch; Height in pixels, negative for
    // the character height, positive for the cell height. Setting one sets
    // the other.
    int GetSize() const;
    void SetSize(int points);
    int GetHeight() const { return height_; }
    void SetHeight(int pixels) { height_ = pixels; }
    void Assign(const TFont& other);

private:
    int height_ = -11;  // 8 points
};

enum class TBrushStyle { bsSolid, bsClear };

class TBrush : public TObject {
public:
    TColor Color = clWhite;
    TBrushStyle Style = TBrushStyle::bsSolid;
};

enum class TFillStyle { fsBorder, fsSurface };

class TBitmap;

// Drawing onto one surface, clipped to it (and to a clip rectangle where the
// owner sets one). A window canvas tells its window about every change so
// that it reaches the screen at once.
class TCanvas : public TObject {
public:
    TCanvas() = default;
    explicit TCanvas(Surface* target) : target_(target) {}

    TFont Font;
    TBrush Brush;

    // The device context that BitBlt and friends take: the canvas itself.
    TCanvas* Handle() { return this; }

    // At the bitmap's own size; a bitmap with Transparent set skips the
    // pixels of its TransparentColor.
    void Draw(int x, int y, TBitmap* bitmap);
    void StretchDraw(const TRect& dest, TBitmap* bitmap);
    void CopyRect(const TRect& dest, TCanvas* source, const TRect& src);
    // Right and bottom edges exclusive; uses Brush.Color. With a clear
    // brush FillRect and FloodFill paint nothing.
    void FillRect(const TRect& r);
    // 4-connected. fsBorder: every pixel reachable from (x, y) without
    // crossing `colour` takes the brush colour (nothing when the start is the
    // border colour); fsSurface: the connected area of exactly `colour`.
    // A start outside the surface fills nothing.
    void FloodFill(int x, int y, TColor colour, TFillStyle style);

    // Reading outside the surface gives clNone (-1 as the class library's
    // CLR_INVALID would be); writing outside does nothing.
    TColor GetPixel(int x, int y) const;
    void SetPixel(int x, int y, TColor c);

    // UTF-8 text in Font (see platform/gfx/text.h), the top of its cell at
    // y; a solid brush fills the cell first, a clear one leaves it.
    void TextOut(int x, int y, const String& text);
    int TextWidth(const String& text);
    int TextHeight(const String& text);

    // Clip rectangle in surface coordinates; defaults to the whole surface.
    void SetClip(const TRect& r) { clip_ = r; hasClip_ = true; }
    void ClearClip() { hasClip_ = false; }
    TRect ClipRect() const;

    Surface* Target() const { return target_; }
    void SetTarget(Surface* s) { target_ = s; }
    // Offset added to every coordinate (a child window drawn within its
    // parent's surface); zero for bitmaps.
    TPoint Origin{0, 0};

    // Called after every drawing operation with the changed rectangle in
    // surface coordinates. Window canvases override it to present.
    virtual void Changed(const TRect& r);

protected:
    Surface* target_ = nullptr;
    TRect clip_{};
    bool hasClip_ = false;
};

using HDC = TCanvas*;

enum class TPixelFormat { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit };

class TBitmap : public TObject {
public:
    TBitmap();
    ~TBitmap() override;

    // Reads a BMP file: 1, 4, 8, 16, 24 and 32 bits, RLE4 and RLE8, bit
    // fields, bottom-up and top-down rows. A file that is missing, cannot be
    // read or holds no valid picture raises EFOpenError (the reason after
    // the name); from a stream or memory a malformed picture raises
    // EInvalidGraphic. The bitmap is unchanged when the load fails.
    void LoadFromFile(const String& fileName);
    void LoadFromStream(TStream& stream);
    void LoadFromMemory(const Byte* data, std::size_t size);
    // Writes an uncompressed 24-bit bottom-up BMP.
    void SaveToFile(const String& fileName) const;
    void SaveToStream(TStream& stream) const;

    void Assign(const TBitmap* other);

    int Width() const { return surface_.width; }
    int Height() const { return surface_.height; }
    void SetWidth(int w);
    void SetHeight(int h);
    // Keeps the top-left pixels, new ones are white; a side above 32768
    // raises EOutOfResources.
    void SetSize(int w, int h);
    bool Empty() const { return surface_.width == 0 || surface_.height == 0; }

    TPixelFormat PixelFormat = TPixelFormat::pfDevice;
    bool Transparent = false;
    TColor TransparentColor = clFuchsia;

    // Row y as 3 * Width bytes of blue, green, red; a row outside the
    // picture raises EInvalidGraphic.
    Byte* ScanLine(int y);
    const Byte* ScanLine(int y) const;

    TCanvas* Canvas() { return &canvas_; }
    Surface& Pixels() { return surface_; }
    const Surface& Pixels() const { return surface_; }

private:
    Surface surface_;
    TCanvas canvas_;
};

constexpr DWORD SRCCOPY = 0x00CC0020;

// Only SRCCOPY is supported; both contexts are canvases.
bool BitBlt(HDC dest, int x, int y, int w, int h, HDC src, int sx, int sy, DWORD rop);
bool StretchBlt(HDC dest, int x, int y, int w, int h, HDC src, int sx, int sy, int sw, int sh, DWORD rop);
