// Printing a simulation screen: a fixed rectangle of the screen's picture on
// one page after the print dialog, 90 % of the page's shorter side, its
// proportions kept. The five screens with a print button share it.
#pragma once

#include "platform/gfx/graphics.h"
#include "platform/print/printdialog.h"

// What a screen prints: the print job's title and the rectangle of its
// 640 x 480 picture (Left, Top, Right, Bottom).
struct TScreenPrint {
    const char* Title;
    TRect Source;
};

constexpr TRect PrintSource(int Left, int Top, int Width, int Height) {
    return TRect{Left, Top, Left + Width, Top + Height};
}

inline constexpr TScreenPrint MakeupArtistPrint{"Velamo - Vizážistka", PrintSource(15, 15, 610, 400)};
inline constexpr TScreenPrint ModelPrint{"Velamo - Modelka", PrintSource(15, 15, 610, 400)};
inline constexpr TScreenPrint RoomPainterPrint{"Velamo - Malíř", PrintSource(15, 15, 610, 400)};
inline constexpr TScreenPrint PlumberAPrint{"Velamo - Instalatér", PrintSource(29, 20, 509, 383)};
inline constexpr TScreenPrint PlumberBPrint{"Velamo - Instalatér", PrintSource(13, 15, 540, 393)};

// Where the source rectangle goes on a page of PageWidth x PageHeight
// device pixels. A portrait page (taller than wide) takes 90 % of its width,
// 5 % from its left edge, centred from top to bottom; any other page 90 % of
// its height, 5 % from its top edge, centred from side to side. Sizes are
// rounded to the nearest pixel, halves to even.
TRect PrintTarget(int PageWidth, int PageHeight, const TRect& Source);

// The print dialog; when confirmed, one page with the rectangle of Picture
// stretched to PrintTarget, sent as a job of the screen's title. A
// cancelled dialog prints nothing and leaves no job open.
void PrintPicture(TPrintDialog* Dialog, TBitmap* Picture, const TScreenPrint& What);
