// The printer object: the printer list on the headless backend, print jobs,
// and the PDF the built-in printer writes, read back with poppler.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/backend/headless/harness.h"
#include "platform/core/exceptions.h"
#include "platform/core/rtl.h"
#include "platform/print/printer.h"
#include "platform/print_test_support.h"
#include "platform/ui/ui.h"

namespace {

class PrintPrinter : public ::testing::Test {
protected:
    void SetUp() override {
        print::SetHeadlessPrinters({});
        print::ClearPrintedPages();
        print::SetPdfFolder(folder.Path("out"));
        Printer()->Copies = 1;
        Printer()->Title = "Test";
    }
    void TearDown() override {
        if (Printer()->Printing()) Printer()->Abort();
        print::SetPdfFolder("");
    }

    // The one PDF in the output folder.
    std::string OnlyPdf() {
        std::string found;
        int count = 0;
        for (const auto& entry : std::filesystem::directory_iterator(folder.Path("out"))) {
            found = entry.path().string();
            ++count;
        }
        EXPECT_EQ(count, 1);
        return found;
    }

    // A page with a block drawn, to the PDF printer.
    void PrintToPdf(const String& title, int copies = 1) {
        Printer()->SetPrinterIndex(Printer()->Printers()->Count() - 1);
        Printer()->Title = title;
        Printer()->Copies = copies;
        Printer()->BeginDoc();
        Printer()->Canvas()->Brush.Color = RGBColor(200, 40, 40);
        Printer()->Canvas()->FillRect(Rect(100, 100, 1100, 1600));
        Printer()->EndDoc();
    }

    headless::Harness harness;
    printtest::TempFolder folder;
};

TEST_F(PrintPrinter, HeadlessListIsTheConfiguredPrintersThenThePdfPrinter) {
    struct Case {
        std::vector<String> configured;
        std::vector<String> listed;
    };
    const Case cases[] = {
        {{}, {"Tisk do souboru PDF"}},
        {{"Laser", "Inkoust"}, {"Laser", "Inkoust", "Tisk do souboru PDF"}},
    };
    for (const Case& c : cases) {
        print::SetHeadlessPrinters(c.configured);
        TStrings* names = Printer()->Printers();
        EXPECT_EQ(names->Items(), c.listed);
        EXPECT_EQ(Printer()->PrinterIndex(), 0) << "the first is the default";
        EXPECT_TRUE(Printer()->IsPdfPrinter(int(c.listed.size()) - 1));
        EXPECT_THROW(Printer()->SetPrinterIndex(int(c.listed.size())), EPrinter);
        EXPECT_THROW(Printer()->SetPrinterIndex(-2), EPrinter);
        Printer()->SetPrinterIndex(int(c.listed.size()) - 1);
        EXPECT_EQ(Printer()->PrinterIndex(), int(c.listed.size()) - 1);
        Printer()->SetPrinterIndex(-1);
        EXPECT_EQ(Printer()->PrinterIndex(), 0) << "-1 goes back to the default";
    }
}

TEST_F(PrintPrinter, JobCallsOutOfOrderRaiseAndAbortPrintsNothing) {
    EXPECT_THROW(Printer()->NewPage(), EPrinter);
    EXPECT_THROW(Printer()->EndDoc(), EPrinter);
    Printer()->BeginDoc();
    EXPECT_THROW(Printer()->BeginDoc(), EPrinter);
    Printer()->Canvas()->FillRect(Rect(0, 0, 10, 10));
    Printer()->Abort();
    EXPECT_FALSE(Printer()->Printing());
    EXPECT_TRUE(print::PrintedPages().empty());
    EXPECT_FALSE(std::filesystem::exists(folder.Path("out")));
}

TEST_F(PrintPrinter, PageIsA4At150DotsPerInch) {
    EXPECT_EQ(Printer()->PixelsPerInch(), 150);
    EXPECT_EQ(Printer()->PageWidth(), 1240);   // 210 mm
    EXPECT_EQ(Printer()->PageHeight(), 1753);  // 297 mm
}

TEST_F(PrintPrinter, CopiesRepeatTheDocumentEachPageInItsPlace) {
    SKIP_WITHOUT_POPPLER();
    print::SetHeadlessPrinters({"Laser"});
    Printer()->SetPrinterIndex(1);  // the PDF printer
    Printer()->Copies = 2;
    Printer()->BeginDoc();
    TCanvas* c = Printer()->Canvas();
    c->Brush.Color = RGBColor(255, 0, 0);
    c->FillRect(Rect(100, 200, 400, 300));
    Printer()->NewPage();
    c->Brush.Color = RGBColor(0, 0, 255);
    c->FillRect(Rect(600, 900, 700, 1700));
    Printer()->EndDoc();

    ASSERT_EQ(print::PrintedPages().size(), 4u);
    for (const auto& page : print::PrintedPages()) EXPECT_EQ(page.printer, "Tisk do souboru PDF");
    const std::string file = OnlyPdf();
    EXPECT_EQ(print::PrintedPages()[0].file, file);

    const printtest::PdfInfo info = printtest::ReadPdfInfo(file);
    EXPECT_EQ(info.pages, 4);
    EXPECT_NEAR(info.widthPt, 595.28, 0.5);
    EXPECT_NEAR(info.heightPt, 841.89, 0.5);
    EXPECT_EQ(info.title, "Test");

    struct Expect {
        int page;
        TColor colour;
        TRect box;
    };
    const Expect expects[] = {
        {1, RGBColor(255, 0, 0), Rect(100, 200, 400, 300)},
        {2, RGBColor(0, 0, 255), Rect(600, 900, 700, 1700)},
        {3, RGBColor(255, 0, 0), Rect(100, 200, 400, 300)},
        {4, RGBColor(0, 0, 255), Rect(600, 900, 700, 1700)},
    };
    for (const Expect& e : expects) {
        auto picture = printtest::RenderPage(file, e.page, 150);
        ASSERT_TRUE(picture) << "page " << e.page;
        TRect box = printtest::ColourBox(*picture, e.colour);
        EXPECT_NEAR(box.Left, e.box.Left, 1) << "page " << e.page;
        EXPECT_NEAR(box.Top, e.box.Top, 1) << "page " << e.page;
        EXPECT_NEAR(box.Right, e.box.Right, 1) << "page " << e.page;
        EXPECT_NEAR(box.Bottom, e.box.Bottom, 1) << "page " << e.page;
    }
}

// A simulation screen's print: 90 % of the page's width, proportions kept,
// 5 % from the left, centred from top to bottom.
TEST_F(PrintPrinter, ScreenPictureStretchedOntoThePortraitPage) {
    SKIP_WITHOUT_POPPLER();
    TBitmap buffer;
    buffer.SetSize(640, 480);
    buffer.Canvas()->Brush.Color = RGBColor(0, 160, 0);
    buffer.Canvas()->FillRect(Rect(15, 15, 15 + 610, 15 + 400));
    Printer()->SetPrinterIndex(0);
    Printer()->Title = "Velamo - Malíř";
    Printer()->BeginDoc();
    const int pw = Printer()->PageWidth();
    const int ph = Printer()->PageHeight();
    ASSERT_GT(ph, pw);
    const int w = int(Round(pw * 0.9));
    const int h = int(Round(pw * 0.9 / 610 * 400));
    const int x = int(Round(pw * 0.05));
    const int y = ph / 2 - h / 2;
    StretchBlt(Printer()->Canvas()->Handle(), x, y, w, h, buffer.Canvas()->Handle(), 15, 15, 610, 400, SRCCOPY);
    Printer()->EndDoc();

    const std::string file = OnlyPdf();
    EXPECT_EQ(std::filesystem::path(file).filename(), "Velamo - Malíř.pdf");
    EXPECT_EQ(printtest::ReadPdfInfo(file).title, "Velamo - Malíř");
    auto picture = printtest::RenderPage(file, 1, 150);
    ASSERT_TRUE(picture);
    TRect box = printtest::ColourBox(*picture, RGBColor(0, 160, 0));
    EXPECT_NEAR(box.Left, x, 1);
    EXPECT_NEAR(box.Top, y, 1);
    // The renderer may smear an image's edge by a pixel.
    EXPECT_NEAR(box.Width(), w, 2);
    EXPECT_NEAR(box.Height(), h, 2);
}

TEST_F(PrintPrinter, PdfFileIsNamedAfterTheTitleSafelyAndToldWhereItWent) {
    auto Repeated = [](const std::string& s, int n) {
        std::string out;
        for (int i = 0; i < n; ++i) out += s;
        return out;
    };
    struct Case {
        String title;
        std::string file;
    };
    const Case cases[] = {
        {"Hasič – záchranář", "Hasič – záchranář.pdf"},
        {"", "Velamo.pdf"},
        {"a<b>c|d\te", "a_b_c_d_e.pdf"},
        {"..skryté", "_.skryté.pdf"},
        {"konec. . ", "konec.pdf"},
        {String(150, 'x') + Repeated("ž", 28), std::string(150, 'x') + Repeated("ž", 25) + ".pdf"},  // 200 bytes
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.title);
        std::filesystem::remove_all(folder.Path("out"));
        PrintToPdf(c.title);
        const std::string file = OnlyPdf();
        EXPECT_EQ(std::filesystem::path(file).filename(), c.file);
        EXPECT_EQ(harness.MessageBoxes().back().text, "Tisk je uložen v souboru\n" + file);
        EXPECT_EQ(harness.MessageBoxes().back().caption, Application->Title());
    }
}

TEST_F(PrintPrinter, PdfPrinterNeverWritesOverAFileOrThroughALink) {
    namespace fs = std::filesystem;
    fs::create_directories(folder.Path("out"));
    std::ofstream(folder.Path("kept.txt")) << "a drawing kept by the user";
    std::ofstream(folder.Path("out/Malíř.pdf")) << "a drawing kept by the user";
    fs::create_symlink(folder.Path("kept.txt"), folder.Path("out/Malíř (2).pdf"));
    fs::create_symlink(folder.Path("nowhere.pdf"), folder.Path("out/Malíř (3).pdf"));
    fs::create_hard_link(folder.Path("kept.txt"), folder.Path("out/Malíř (4).pdf"));
    PrintToPdf("Malíř");
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(folder.Path("out/Malíř (5).pdf"))));
    EXPECT_FALSE(fs::exists(folder.Path("nowhere.pdf")));
    for (const char* kept : {"kept.txt", "out/Malíř.pdf"}) {
        std::ifstream in(folder.Path(kept));
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "a drawing kept by the user") << kept;
    }
}

// Even as root: a folder below a file cannot be made.
TEST_F(PrintPrinter, PdfFolderThatCannotBeWrittenIsToldAndNothingIsPrinted) {
    std::ofstream(folder.Path("plain")) << "a file";
    print::SetPdfFolder(folder.Path("plain/pdf"));
    EXPECT_THROW(PrintToPdf("Velamo - Modelka"), EPrinter);
    ASSERT_EQ(harness.MessageBoxes().size(), 1u);
    EXPECT_EQ(harness.MessageBoxes()[0].text, "Tisk na tiskárně „Tisk do souboru PDF“ se nepodařil:\ndo složky „" +
                                                  folder.Path("plain/pdf") + "“ nelze zapisovat.");
    EXPECT_EQ(harness.MessageBoxes()[0].flags, MB_ICONSTOP);
    EXPECT_FALSE(Printer()->Printing());
    EXPECT_TRUE(print::PrintedPages().empty());
}

// The page's picture is stored once, each copy's page showing it.
TEST_F(PrintPrinter, CopiesShareThePagePictureInThePdf) {
    PrintToPdf("Jedna");
    const auto one = std::filesystem::file_size(folder.Path("out/Jedna.pdf"));
    PrintToPdf("Mnoho", 20);
    const auto many = std::filesystem::file_size(folder.Path("out/Mnoho.pdf"));
    EXPECT_LT(many, one + 19 * 400) << one << " bytes for one copy";
}

TEST_F(PrintPrinter, PdfFilesAreNumberedAndTheirFolderMade) {
    print::SetPdfFolder(folder.Path("out/deeper/still"));
    for (int n = 0; n < 3; ++n) {
        Printer()->Title = "Velamo: a/b";
        Printer()->BeginDoc();
        Printer()->Canvas()->FillRect(Rect(0, 0, 5, 5));
        Printer()->EndDoc();
    }
    for (const char* name : {"Velamo_ a_b.pdf", "Velamo_ a_b (2).pdf", "Velamo_ a_b (3).pdf"}) {
        EXPECT_TRUE(std::filesystem::exists(folder.Path(std::string("out/deeper/still/") + name))) << name;
    }
}

TEST_F(PrintPrinter, PrintedPagesAreWholePagesOnlyTheDrawnPartEmbedded) {
    Printer()->BeginDoc();
    Printer()->Canvas()->Brush.Color = clBlack;
    Printer()->Canvas()->FillRect(Rect(10, 10, 20, 20));
    Printer()->EndDoc();
    ASSERT_EQ(print::PrintedPages().size(), 1u);
    const Surface& page = print::PrintedPages()[0].picture;
    EXPECT_EQ(page.width, 1240);
    EXPECT_EQ(page.height, 1753);
    EXPECT_EQ(page.Get(15, 15), clBlack);
    EXPECT_EQ(page.Get(25, 15), clWhite);
    // A small drawn area gives a small file: the blank page is not embedded.
    EXPECT_LT(std::filesystem::file_size(OnlyPdf()), 2000u);
}

}  // namespace
