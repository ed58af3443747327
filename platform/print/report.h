// A banded report: a report with detail bands that hold images, printed on
// the printer object one A4 portrait page per band delivered.
//
// Positions are in the report's screen units, pixels at 96 per inch,
// measured from the page's top-left corner: a band at (38, 38) starts at the
// 10 mm margin. A band point (x, y) lands at page pixel
// ((band.Left + x) * dpi / 96, (band.Top + y) * dpi / 96).
//
//     Report = new TQuickRep(this);
//     Detail = new TQRBand(this);  Detail->SetParent(Report);
//     Detail->SetBounds(38, 38, 718, 1048);
//     img = new TQRImage(this);  img->SetParent(Detail);  img->SetBounds(16, 8, 680, 1000);
//     Report->OnNeedData = [this](TObject* s, bool& more) { ... };
//     Report->Print();
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "platform/gfx/graphics.h"
#include "platform/ui/controls.h"

// A part of the report with a place: the report itself, a band, an image.
class TQRPrintable : public TComponent {
public:
    explicit TQRPrintable(TComponent* AOwner);
    ~TQRPrintable() override;

    TQRPrintable* Parent() const { return parent_; }
    void SetParent(TQRPrintable* parent);
    int ChildCount() const { return int(children_.size()); }
    TQRPrintable* Child(int index) const { return children_.at(std::size_t(index)); }

    int Left() const { return bounds_.Left; }
    int Top() const { return bounds_.Top; }
    int Width() const { return bounds_.Width(); }
    int Height() const { return bounds_.Height(); }
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) { bounds_ = Bounds(ALeft, ATop, AWidth, AHeight); }

    // Draws itself on the page, its top-left at `origin` (report units), then
    // its children in the order they were given this parent.
    virtual void PrintOn(TCanvas* page, TPoint origin, int dpi);

private:
    TQRPrintable* parent_ = nullptr;
    std::vector<TQRPrintable*> children_;
    TRect bounds_{};
};

// Scales report units (96 per inch) to page pixels, to the nearest pixel.
int ReportToDevice(int units, int dpi);
TRect ReportToDevice(const TRect& r, int dpi);

enum TQRBandType { rbTitle, rbPageHeader, rbDetail, rbPageFooter, rbSummary };

class TQRBand : public TQRPrintable {
public:
    explicit TQRBand(TComponent* AOwner);
    TQRBandType BandType = rbDetail;
    TColor Color = clWhite;
    void PrintOn(TCanvas* page, TPoint origin, int dpi) override;
};

// An image: its picture at the picture's own size from the image's top-left,
// clipped to the image.
class TQRImage : public TQRPrintable {
public:
    explicit TQRImage(TComponent* AOwner);
    ~TQRImage() override;
    TPicture* Picture() { return picture_.get(); }
    // The picture's canvas; a picture that holds no bitmap yet first gets a
    // white one of the image's own size.
    TCanvas* Canvas();
    void PrintOn(TCanvas* page, TPoint origin, int dpi) override;

private:
    std::unique_ptr<TPicture> picture_;
};

struct TQRPrinterSettings {
    int PrinterIndex = -1;  // -1: the printer object's default
    int Copies = 1;
};

using TQRNotifyOperationEvent = std::function<void(TObject* Sender, bool& MoreData)>;

class TQuickRep : public TQRPrintable {
public:
    explicit TQuickRep(TComponent* AOwner);

    // A4 portrait, millimetres, 10 mm margins, one column, 100 %: the only
    // page this stand-in prints. The band positions already include the
    // margins.
    TQRPrinterSettings PrinterSettings;
    String ReportTitle;
    // Prints a page even when no band was delivered.
    bool PrintIfEmpty = true;
    // Asked before each detail band; without a handler the detail bands
    // print once.
    TQRNotifyOperationEvent OnNeedData;

    // Prints on the printer object directly (no preview): a page for each
    // detail band delivered, the whole repeated PrinterSettings.Copies
    // times. The printer's index, copies and title are restored afterwards.
    void Print();

    static constexpr int kScreenDpi = 96;
};
