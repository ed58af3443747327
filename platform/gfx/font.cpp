#include <cstdlib>

#include "platform/gfx/graphics.h"

namespace {

constexpr int kPixelsPerInch = 96;
constexpr int kPointsPerInch = 72;

// a * b / c rounded to the nearest integer, halves away from zero.
int MulDiv(int a, int b, int c) {
    const long long product = (long long)a * b;
    const long long half = std::llabs(c) / 2;
    const bool negative = (product < 0) != (c < 0);
    return int((std::llabs(product) + half) / std::llabs(c) * (negative ? -1 : 1));
}

}  // namespace

int TFont::GetSize() const { return -MulDiv(height_, kPointsPerInch, kPixelsPerInch); }

void TFont::SetSize(int points) { height_ = -MulDiv(points, kPixelsPerInch, kPointsPerInch); }

void TFont::Assign(const TFont& other) {
    if (&other == this) {
        return;
    }
    Name = other.Name;
    Color = other.Color;
    Style = other.Style;
    Charset = other.Charset;
    height_ = other.height_;
}
