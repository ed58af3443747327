#include "simulations/PrintPicture.h"

#include <cmath>

#include "platform/core/exceptions.h"
#include "platform/print/printer.h"

namespace {

// To the nearest integer, halves to the even neighbour (the default
// rounding mode), in extended precision.
int Nearest(long double v) { return int(std::nearbyint(v)); }

}  // namespace

TRect PrintTarget(int PageWidth, int PageHeight, const TRect& Source) {
    const long double pw = PageWidth, ph = PageHeight;
    const int sw = Source.Width(), sh = Source.Height();
    int x, y, w, h;
    if (PageHeight > PageWidth) {
        // The height from the unrounded width, not from w.
        w = Nearest(pw * 0.9L);
        h = Nearest(pw * 0.9L / sw * sh);
        x = Nearest(pw * 0.05L);
        y = PageHeight / 2 - h / 2;
    } else {
        h = Nearest(ph * 0.9L);
        w = Nearest(ph * 0.9L / sh * sw);
        x = PageWidth / 2 - w / 2;
        y = Nearest(ph * 0.05L);
    }
    return Bounds(x, y, w, h);
}

void PrintPicture(TPrintDialog* Dialog, TBitmap* Picture, const TScreenPrint& What) {
    // The dialog sets the printer and the copies chosen.
    if (!Dialog->Execute()) return;
    TPrinter* printer = Printer();
    printer->Title = What.Title;
    printer->BeginDoc();
    try {
        const TRect target = PrintTarget(printer->PageWidth(), printer->PageHeight(), What.Source);
        StretchBlt(printer->Canvas(), target.Left, target.Top, target.Width(), target.Height(), Picture->Canvas(),
                   What.Source.Left, What.Source.Top, What.Source.Width(), What.Source.Height(), SRCCOPY);
    } catch (...) {
        printer->Abort();
        throw;
    }
    try {
        printer->EndDoc();
    } catch (const EPrinter&) {
        // A job that could not be handed over was told in a message box;
        // the screen goes on.
    }
}
