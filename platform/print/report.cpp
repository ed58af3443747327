#include "platform/print/report.h"

#include <algorithm>

#include "platform/print/printer.h"

TQRPrintable::TQRPrintable(TComponent* AOwner) : TComponent(AOwner) {}

TQRPrintable::~TQRPrintable() {
    SetParent(nullptr);
    for (TQRPrintable* child : children_) child->parent_ = nullptr;
}

void TQRPrintable::SetParent(TQRPrintable* parent) {
    if (parent_ == parent) return;
    if (parent_) std::erase(parent_->children_, this);
    parent_ = parent;
    if (parent_) parent_->children_.push_back(this);
}

void TQRPrintable::PrintOn(TCanvas* page, TPoint origin, int dpi) {
    for (TQRPrintable* child : children_) {
        child->PrintOn(page, TPoint{origin.X + child->Left(), origin.Y + child->Top()}, dpi);
    }
}

int ReportToDevice(int units, int dpi) {
    // Rounded to the nearest pixel, halves away from zero.
    long long scaled = 2LL * units * dpi;
    long long den = 2LL * TQuickRep::kScreenDpi;
    return int(scaled >= 0 ? (scaled + den / 2) / den : -((-scaled + den / 2) / den));
}

TRect ReportToDevice(const TRect& r, int dpi) {
    return TRect{ReportToDevice(r.Left, dpi), ReportToDevice(r.Top, dpi), ReportToDevice(r.Right, dpi),
                 ReportToDevice(r.Bottom, dpi)};
}

TQRBand::TQRBand(TComponent* AOwner) : TQRPrintable(AOwner) {}

void TQRBand::PrintOn(TCanvas* page, TPoint origin, int dpi) {
    page->Brush.Style = TBrushStyle::bsSolid;
    page->Brush.Color = Color;
    page->FillRect(ReportToDevice(Bounds(origin.X, origin.Y, Width(), Height()), dpi));
    TQRPrintable::PrintOn(page, origin, dpi);
}

TQRImage::TQRImage(TComponent* AOwner) : TQRPrintable(AOwner), picture_(std::make_unique<TPicture>()) {}

TQRImage::~TQRImage() = default;

TCanvas* TQRImage::Canvas() {
    TBitmap* bitmap = picture_->Bitmap();
    if (bitmap->Empty()) {
        bitmap->SetSize(Width(), Height());
        TCanvas* c = bitmap->Canvas();
        c->Brush.Style = TBrushStyle::bsSolid;
        c->Brush.Color = clWhite;
        c->FillRect(Rect(0, 0, Width(), Height()));
    }
    return bitmap->Canvas();
}

void TQRImage::PrintOn(TCanvas* page, TPoint origin, int dpi) {
    TBitmap* bitmap = picture_->Bitmap();
    if (!bitmap->Empty()) {
        const int w = std::min(Width(), bitmap->Width());
        const int h = std::min(Height(), bitmap->Height());
        if (w > 0 && h > 0) {
            TRect dest = ReportToDevice(Bounds(origin.X, origin.Y, w, h), dpi);
            StretchBlt(page->Handle(), dest.Left, dest.Top, dest.Width(), dest.Height(), bitmap->Canvas()->Handle(),
                       0, 0, w, h, SRCCOPY);
        }
    }
    TQRPrintable::PrintOn(page, origin, dpi);
}

TQuickRep::TQuickRep(TComponent* AOwner) : TQRPrintable(AOwner) {}

void TQuickRep::Print() {
    TPrinter* printer = Printer();
    const int savedIndex = printer->PrinterIndex();
    const int savedCopies = printer->Copies;
    const String savedTitle = printer->Title;
    auto restore = [&] {
        printer->SetPrinterIndex(savedIndex);
        printer->Copies = savedCopies;
        printer->Title = savedTitle;
    };

    try {
        printer->SetPrinterIndex(PrinterSettings.PrinterIndex);
        printer->Copies = std::max(1, PrinterSettings.Copies);
        printer->Title = ReportTitle;
        printer->BeginDoc();
        int pages = 0;
        auto printBand = [&](TQRPrintable* band) {
            if (pages > 0) printer->NewPage();
            band->PrintOn(printer->Canvas(), TPoint{band->Left(), band->Top()}, printer->PixelsPerInch());
            ++pages;
        };
        auto printDetails = [&] {
            for (int i = 0; i < ChildCount(); ++i) {
                auto* band = dynamic_cast<TQRBand*>(Child(i));
                if (band && band->BandType == rbDetail) printBand(band);
            }
        };
        if (OnNeedData) {
            bool more = false;
            OnNeedData(this, more);
            while (more) {
                printDetails();
                more = false;
                OnNeedData(this, more);
            }
        } else {
            printDetails();
        }
        if (pages == 0 && !PrintIfEmpty) {
            printer->Abort();
        } else {
            printer->EndDoc();
        }
    } catch (...) {
        if (printer->Printing()) printer->Abort();
        restore();
        throw;
    }
    restore();
}
