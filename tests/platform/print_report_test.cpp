// The banded report: a page for each detail band delivered, the images at
// their band places scaled from 96 per inch to the printer's pixels.
#include <gtest/gtest.h>

#include "platform/backend/headless/harness.h"
#include "platform/print/printer.h"
#include "platform/print/report.h"
#include "platform/ui/ui.h"

namespace {

class PrintReport : public ::testing::Test {
protected:
    void SetUp() override {
        print::SetHeadlessPrinters({"Laser"});
        print::ClearPrintedPages();
        report = new TQuickRep(&owner);
        band = new TQRBand(&owner);
        band->SetParent(report);
        band->SetBounds(38, 38, 718, 1048);
        image = new TQRImage(&owner);
        image->SetParent(band);
        image->SetBounds(184, 166, 362, 391);
    }

    headless::Harness harness;
    TComponent owner{nullptr};
    TQuickRep* report = nullptr;
    TQRBand* band = nullptr;
    TQRImage* image = nullptr;
};

TEST_F(PrintReport, ReportUnitsToPrinterPixels) {
    struct Case {
        int units;
        int dpi;
        int pixels;
    };
    const Case cases[] = {{0, 150, 0}, {96, 150, 150}, {38, 150, 59}, {222, 150, 347}, {1, 150, 2},
                          {38, 96, 38}, {756, 600, 4725}, {-96, 150, -150}};
    for (const Case& c : cases) EXPECT_EQ(ReportToDevice(c.units, c.dpi), c.pixels) << c.units << " at " << c.dpi;
}

TEST_F(PrintReport, EmptyImageCanvasIsAWhiteBitmapOfTheImagesSize) {
    TCanvas* c = image->Canvas();
    EXPECT_EQ(image->Picture()->Bitmap()->Width(), 362);
    EXPECT_EQ(image->Picture()->Bitmap()->Height(), 391);
    EXPECT_EQ(c->GetPixel(361, 390), clWhite);
    TBitmap other;
    other.SetSize(10, 20);
    image->Picture()->Bitmap()->Assign(&other);
    image->Canvas();
    EXPECT_EQ(image->Picture()->Bitmap()->Width(), 10) << "a picture it holds stays as it is";
}

TEST_F(PrintReport, PagesFollowTheDataAndCopiesRepeatThem) {
    struct Case {
        int bands;   // times OnNeedData answers true
        int copies;
        bool handler;
        std::size_t pages;
    };
    const Case cases[] = {{1, 1, true, 1}, {3, 1, true, 3}, {1, 2, true, 2}, {0, 1, true, 1}, {0, 1, false, 1}};
    for (const Case& c : cases) {
        print::ClearPrintedPages();
        int asked = 0;
        report->OnNeedData = nullptr;
        if (c.handler) {
            report->OnNeedData = [&](TObject*, bool& more) { more = asked++ < c.bands; };
        }
        report->PrinterSettings.Copies = c.copies;
        report->Print();
        EXPECT_EQ(print::PrintedPages().size(), c.pages) << c.bands << " bands, " << c.copies << " copies";
        if (c.handler) {
            EXPECT_EQ(asked, c.bands + 1);
        }
    }
}

TEST_F(PrintReport, BandThenImagesInTheirOrderAtScaledPlaces) {
    band->Color = RGBColor(200, 200, 255);
    auto* under = new TQRImage(&owner);  // given the band after `image`: drawn over it
    under->SetParent(band);
    under->SetBounds(184 + 100, 166, 50, 50);
    image->Canvas()->Brush.Color = RGBColor(0, 160, 0);
    image->Canvas()->FillRect(Rect(0, 0, 362, 391));
    under->Canvas()->Brush.Color = RGBColor(255, 0, 0);
    under->Canvas()->FillRect(Rect(0, 0, 50, 50));
    report->OnNeedData = [n = 0](TObject*, bool& more) mutable { more = n++ == 0; };
    report->Print();
    ASSERT_EQ(print::PrintedPages().size(), 1u);
    const Surface& page = print::PrintedPages()[0].picture;
    auto at = [&](int ux, int uy) { return page.Get(ReportToDevice(ux, 150), ReportToDevice(uy, 150)); };
    EXPECT_EQ(at(37, 37), clWhite) << "outside the band";
    EXPECT_EQ(at(38, 38), RGBColor(200, 200, 255)) << "the band's colour";
    EXPECT_EQ(at(38 + 184, 38 + 166), RGBColor(0, 160, 0));
    EXPECT_EQ(at(38 + 184 + 361, 38 + 166 + 390), RGBColor(0, 160, 0));
    EXPECT_EQ(at(38 + 184 + 362, 38 + 166 + 390), RGBColor(200, 200, 255));
    EXPECT_EQ(at(38 + 284, 38 + 166), RGBColor(255, 0, 0)) << "the later image on top";
}

TEST_F(PrintReport, PrinterSettingsAreTheReportsOnlyWhileItPrints) {
    Printer()->SetPrinterIndex(1);
    Printer()->Copies = 1;
    Printer()->Title = "jiný";
    report->PrinterSettings.PrinterIndex = 0;
    report->PrinterSettings.Copies = 2;
    report->ReportTitle = "Sestava";
    report->Print();
    ASSERT_EQ(print::PrintedPages().size(), 2u);
    EXPECT_EQ(print::PrintedPages()[0].printer, "Laser");
    EXPECT_EQ(print::PrintedPages()[0].title, "Sestava");
    EXPECT_EQ(Printer()->PrinterIndex(), 1);
    EXPECT_EQ(Printer()->Copies, 1);
    EXPECT_EQ(Printer()->Title, "jiný");

    report->PrinterSettings.PrinterIndex = 7;  // no such printer
    EXPECT_THROW(report->Print(), EPrinter);
    EXPECT_FALSE(Printer()->Printing());
    EXPECT_EQ(Printer()->PrinterIndex(), 1);
}

}  // namespace
