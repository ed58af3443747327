// The print dialog: answered from the queue, or shown and driven by clicks
// and keys on the headless backend.
#include <gtest/gtest.h>

#include "platform/backend/headless/harness.h"
#include "platform/print/printdialog.h"
#include "platform/print/printer.h"
#include "platform/ui/ui.h"

namespace {

class PrintDialog : public ::testing::Test {
protected:
    void SetUp() override {
        print::SetHeadlessPrinters({"Laser", "Inkoust", "Kancelář", "Sklad", "Dílna"});
        print::ClearPrintDialogAnswers();
    }
    void TearDown() override { print::ClearPrintDialogAnswers(); }

    void ClickAt(std::uint64_t at, const TRect& r) { harness.Click(at, r.Left + r.Width() / 2, r.Top + r.Height() / 2); }
    std::uint64_t Soon(int step) const { return harness.Now() + 10 + std::uint64_t(step) * 100; }

    headless::Harness harness;
    print::PrintDialogLayout d = print::DialogLayout();
};

TEST_F(PrintDialog, QueuedAnswersAreTakenInOrderAndNoticed) {
    TPrintDialog dialog(nullptr);
    print::QueuePrintDialogOk(2, 3);
    print::QueuePrintDialogCancel();
    print::QueuePrintDialogOk(-1, 500);
    EXPECT_TRUE(dialog.Execute());
    EXPECT_EQ(Printer()->PrinterIndex(), 2);
    EXPECT_EQ(dialog.Copies(), 3);
    EXPECT_FALSE(dialog.Execute());
    EXPECT_EQ(Printer()->PrinterIndex(), 2) << "cancel changes nothing";
    EXPECT_EQ(dialog.Copies(), 3);
    EXPECT_TRUE(dialog.Execute());
    EXPECT_EQ(Printer()->PrinterIndex(), 2) << "-1 keeps the printer shown";
    EXPECT_EQ(dialog.Copies(), 99) << "copies are 1..99";
    EXPECT_EQ(harness.NoticeTexts(), (std::vector<String>{"print dialog: ok printer=Kancelář copies=3",
                                                          "print dialog: cancel",
                                                          "print dialog: ok printer=Kancelář copies=99"}));
}

TEST_F(PrintDialog, ClicksChooseThePrinterAndTheCopies) {
    struct Case {
        const char* name;
        std::vector<TRect> clicks;  // then OK
        int printer;
        int copies;
    };
    const int row = print::PrintDialogLayout::kRowHeight;
    const TRect secondRow = Bounds(d.list.Left + 4, d.list.Top + row, 100, row);
    const Case cases[] = {
        {"nothing changed", {}, 0, 1},
        {"second row, two more copies", {secondRow, d.plus, d.plus}, 1, 3},
        {"minus stops at one", {d.minus, d.minus}, 0, 1},
        {"plus then minus", {d.plus, d.plus, d.minus}, 0, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Printer()->SetPrinterIndex(-1);
        TPrintDialog dialog(nullptr);
        int step = 0;
        for (const TRect& r : c.clicks) ClickAt(Soon(step++), r);
        ClickAt(Soon(step), d.ok);
        EXPECT_TRUE(dialog.Execute());
        EXPECT_EQ(Printer()->PrinterIndex(), c.printer);
        EXPECT_EQ(dialog.Copies(), c.copies);
    }
}

TEST_F(PrintDialog, KeysAndScrollingReachEveryPrinter) {
    TPrintDialog dialog(nullptr);
    // Down five times: past the four rows shown, onto the PDF printer.
    for (int i = 0; i < 5; ++i) harness.Key(Soon(i), VK_DOWN);
    harness.Key(Soon(5), VK_RIGHT);
    harness.Key(Soon(6), VK_RETURN);
    EXPECT_TRUE(dialog.Execute());
    EXPECT_EQ(Printer()->PrinterIndex(), 5);
    EXPECT_TRUE(Printer()->IsPdfPrinter(5));
    EXPECT_EQ(dialog.Copies(), 2);

    harness.Key(Soon(0), VK_UP);
    harness.Key(Soon(1), VK_ESCAPE);
    EXPECT_FALSE(dialog.Execute());
    EXPECT_EQ(Printer()->PrinterIndex(), 5);
    EXPECT_EQ(harness.NoticeTexts().back(), "print dialog: cancel");
}

TEST_F(PrintDialog, ShownAboveTheFormsWithItsCaptionAndButtons) {
    auto* below = new TForm(nullptr);
    below->SetColor(clBlack);
    below->Show();
    TPrintDialog dialog(nullptr);
    bool looked = false;
    harness.At(Soon(0), [&] {
        looked = true;
        EXPECT_EQ(harness.VisibleForms().size(), 2u);
        EXPECT_EQ(harness.Pixel(d.box.Left + 3, d.box.Top + 20), RGBColor(0, 0, 128)) << "caption strip";
        EXPECT_EQ(harness.Pixel(d.box.Left - 1, d.box.Top + 20), clBlack) << "the form below";
        EXPECT_EQ(harness.Pixel(d.list.Left + 2, d.list.Top + 2), RGBColor(0, 0, 128)) << "the chosen printer";
        EXPECT_EQ(harness.Pixel(d.copies.Left + 2, d.copies.Top + 2), clWhite);
        EXPECT_EQ(harness.Pixel(d.ok.Left + 2, d.ok.Top + 2), clBtnFace);
        // Some ink of the captions inside the two buttons.
        for (const TRect& button : {d.ok, d.cancel}) {
            bool ink = false;
            for (int y = button.Top + 2; y < button.Bottom - 2; ++y) {
                for (int x = button.Left + 2; x < button.Right - 2; ++x) ink = ink || harness.Pixel(x, y) == clBlack;
            }
            EXPECT_TRUE(ink);
        }
    });
    ClickAt(Soon(1), d.cancel);
    EXPECT_FALSE(dialog.Execute());
    EXPECT_TRUE(looked);
    EXPECT_EQ(harness.VisibleForms().size(), 1u) << "the dialog is gone";
    below->Free();
}

}  // namespace
