// Printing a simulation screen: where the rectangle lands on portrait,
// landscape and square pages, one page for each screen's rectangle, a
// cancelled dialog, and the print buttons of the plumber screens and of the
// free-play screens to the PDF printer, read back from the file.
#include "platform/print/printer.h"
#include "platform/print_cups_server.h"
#include "platform/print_test_support.h"
#include "free_play_test_support.h"
#include "plumber_test_support.h"
#include "simulations/PrintPicture.h"
#include "simulations/USimulaceMalir.h"
#include "simulations/USimulaceModelka.h"
#include "simulations/USimulaceVizazistka.h"

using namespace plumbertest;

namespace {

struct TargetCase {
    const char* name;
    int pageWidth, pageHeight;
    TRect source;
    TRect target;  // Left, Top, Right, Bottom
};
void PrintTo(const TargetCase& c, std::ostream* os) { *os << c.name; }

const TRect kModel = PrintSource(15, 15, 610, 400);

const TargetCase kTargets[] = {
    {"Portrait", 4800, 6600, kModel, Bounds(240, 1884, 4320, 2833)},
    {"Landscape", 6600, 4800, kModel, Bounds(6, 240, 6588, 4320)},
    {"SquareTakesTheLandscapeRule", 4800, 4800, kModel, Bounds(2400 - 3294, 240, 6588, 4320)},
    // 4500 / 400 * 610 = 6862.5: the half goes to the even neighbour.
    {"SquareHalfToEven", 5000, 5000, kModel, Bounds(2500 - 3431, 250, 6862, 4500)},
    // 1245 * 0.9 = 1120.5 gives the width 1120; the height comes from
    // 1120.5 (734.75 → 735), not from 1120 (734.4).
    {"PortraitHeightFromTheUnroundedWidth", 1245, 1754, kModel, Bounds(62, 877 - 367, 1120, 735)},
    {"PlumberAOnA4", 1240, 1754, PlumberAPrint.Source, Bounds(62, 877 - 420, 1116, 840)},
    {"PlumberBOnA4", 1240, 1754, PlumberBPrint.Source, Bounds(62, 877 - 406, 1116, 812)},
};

class PrintTargets : public ::testing::TestWithParam<TargetCase> {};

TEST_P(PrintTargets, SpanNinetyPercentOfTheShorterSideAndKeepTheProportions) {
    const TargetCase& c = GetParam();
    EXPECT_EQ(PrintTarget(c.pageWidth, c.pageHeight, c.source), c.target);
}

INSTANTIATE_TEST_SUITE_P(Table, PrintTargets, ::testing::ValuesIn(kTargets),
                         [](const auto& info) { return std::string(info.param.name); });

// The box of the pixels that are not white.
TRect InkBox(const Surface& s) {
    TRect box{s.width, s.height, 0, 0};
    for (int y = 0; y < s.height; ++y)
        for (int x = 0; x < s.width; ++x) {
            const TColor c = s.Get(x, y);
            if (GetRValue(c) > 245 && GetGValue(c) > 245 && GetBValue(c) > 245) continue;
            box = {std::min(box.Left, x), std::min(box.Top, y), std::max(box.Right, x + 1), std::max(box.Bottom, y + 1)};
        }
    return box;
}

int PdfPrinter() { return Printer()->Printers()->Count() - 1; }

// The page holds the source rectangle stretched to its target: its corners
// there, white around it.
void ExpectPage(const Surface& page, const TBitmap& picture, const TRect& source) {
    const TRect t = PrintTarget(Printer()->PageWidth(), Printer()->PageHeight(), source);
    EXPECT_EQ(page.width, Printer()->PageWidth());
    EXPECT_EQ(page.Get(t.Left, t.Top), picture.Pixels().Get(source.Left, source.Top));
    EXPECT_EQ(page.Get(t.Right - 1, t.Bottom - 1), picture.Pixels().Get(source.Right - 1, source.Bottom - 1));
    EXPECT_EQ(page.Get(t.Left - 1, t.Top), clWhite);
    EXPECT_EQ(page.Get(t.Right, t.Bottom - 1), clWhite);
    EXPECT_EQ(page.Get(t.Left, t.Top - 1), clWhite);
    EXPECT_EQ(page.Get(t.Left, t.Bottom), clWhite);
}

struct ScreenCase {
    const char* name;
    const TScreenPrint* what;
};
void PrintTo(const ScreenCase& c, std::ostream* os) { *os << c.name; }

// The PDF printer writes into a folder of the test's own; the pages kept
// for the test go with it.
struct TestPdfFolder {
    TestPdfFolder() { print::SetPdfFolder(folder.Dir()); }
    ~TestPdfFolder() {
        print::ClearPrintedPages();
        print::SetPdfFolder("");
    }
    printtest::TempFolder folder;
};

class ScreenPrints : public ShellTest, public ::testing::WithParamInterface<ScreenCase> {
protected:
    TestPdfFolder pdf_;
};

TEST_P(ScreenPrints, OnePageWithTheScreensTitleAndRectangle) {
    const TScreenPrint& what = *GetParam().what;
    TBitmap picture;
    picture.SetSize(640, 480);
    FillPattern(&picture);
    TPrintDialog dialog(nullptr);
    print::ClearPrintedPages();
    print::QueuePrintDialogOk(PdfPrinter(), 1);
    PrintPicture(&dialog, &picture, what);
    ASSERT_EQ(print::PrintedPages().size(), 1u);
    const print::PrintedPage& page = print::PrintedPages()[0];
    EXPECT_EQ(page.title, what.Title);
    EXPECT_EQ(page.printer, print::kPdfPrinterName);
    ExpectPage(page.picture, picture, what.Source);
    EXPECT_FALSE(Printer()->Printing());
}

INSTANTIATE_TEST_SUITE_P(Table, ScreenPrints,
                         ::testing::Values(ScreenCase{"MakeupArtist", &MakeupArtistPrint},
                                           ScreenCase{"Model", &ModelPrint}, ScreenCase{"RoomPainter", &RoomPainterPrint},
                                           ScreenCase{"PlumberA", &PlumberAPrint},
                                           ScreenCase{"PlumberB", &PlumberBPrint}),
                         [](const auto& info) { return std::string(info.param.name); });

class PrintCancel : public ShellTest {};

TEST_F(PrintCancel, PrintsNothingAndLeavesNoJobOpen) {
    TBitmap picture;
    picture.SetSize(640, 480);
    TPrintDialog dialog(nullptr);
    print::ClearPrintedPages();
    print::QueuePrintDialogCancel();
    PrintPicture(&dialog, &picture, PlumberAPrint);
    EXPECT_TRUE(print::PrintedPages().empty());
    EXPECT_FALSE(Printer()->Printing());
}

// The print button of each screen that has one, after the child did
// something there: one page to the PDF printer.
class PrintButton;
struct PrintButtonCase {
    const char* name;
    const TScreenPrint* what;
    TScreenFrame* (*screen)();
    void (PrintButton::*act)();
};
void PrintTo(const PrintButtonCase& c, std::ostream* os) { *os << c.name; }

class PrintButton : public PlumberTest, public ::testing::WithParamInterface<PrintButtonCase> {
public:
    void PlumberA() {
        OpenPartA();
        LayPieces({{5, {{4, 4}}}}, PaletteA, CellCentreA);
    }
    void PlumberB() {
        OpenPartB();
        LayPieces({{17, {{4, 4}}}, {19, {{4, 4}}}}, PaletteB, CellCentreB);
    }
    void Model() {
        OpenSimulation(freeplaytest::kModelItem);
        Click(freeplaytest::Centre(GarmentKindTable[gDress - 1].Chooser));
        Click(freeplaytest::Centre(GarmentKindTable[gShoes - 1].Chooser));
    }
    // A palette left open: a window of its own, not part of the picture.
    void MakeupArtist() {
        OpenSimulation(freeplaytest::kMakeupItem);
        Click(freeplaytest::Centre(WigPreviewArea));
        Click(freeplaytest::Centre(MakeupKindTable[mkLips].Opener));
    }
    void RoomPainter() {
        OpenSimulation(freeplaytest::kPainterItem);
        Click(freeplaytest::Centre(RoomToolAreas[1]));
        Click(PaintColourTable[16].Marker);
        Click({300, 150});
    }

protected:
    TestPdfFolder pdf_;
};

TEST_P(PrintButton, WritesTheScreensPageToThePdfPrinter) {
    const PrintButtonCase& c = GetParam();
    (this->*c.act)();
    TScreenFrame* screen = nullptr;
    TBitmap shown;
    Then([&] {
        screen = c.screen();
        ASSERT_NE(screen, nullptr);
        shown.Assign(screen->Buffer);
        print::ClearPrintedPages();
        print::QueuePrintDialogOk(PdfPrinter(), 1);
    });
    Click({kPrintX, kBarY});
    Then([&] { EXPECT_EQ(h().ActiveForm(), screen) << "the screen goes on"; });
    Run();

    const TScreenPrint& what = *c.what;
    ASSERT_EQ(print::PrintedPages().size(), 1u);
    const print::PrintedPage& page = print::PrintedPages()[0];
    EXPECT_EQ(page.title, what.Title);
    ExpectPage(page.picture, shown, what.Source);

    SKIP_WITHOUT_POPPLER();
    const printtest::PdfInfo info = printtest::ReadPdfInfo(page.file);
    EXPECT_EQ(info.pages, 1);
    EXPECT_EQ(info.title, what.Title);
    EXPECT_NEAR(info.widthPt, 595.3, 0.5);
    const auto rendered = printtest::RenderPage(page.file, 1, TPrinter::kDpi);
    ASSERT_TRUE(rendered.has_value());
    const TRect t = PrintTarget(Printer()->PageWidth(), Printer()->PageHeight(), what.Source);
    const TRect ink = InkBox(*rendered);
    EXPECT_NEAR(ink.Left, t.Left, 2);
    EXPECT_NEAR(ink.Top, t.Top, 2);
    EXPECT_NEAR(ink.Right, t.Right, 2);
    EXPECT_NEAR(ink.Bottom, t.Bottom, 2);
}

const PrintButtonCase kPrintButtons[] = {
    {"PlumberA", &PlumberAPrint, []() -> TScreenFrame* { return wndSimulaceInstalater1; }, &PrintButton::PlumberA},
    {"PlumberB", &PlumberBPrint, []() -> TScreenFrame* { return wndSimulaceInstalater2; }, &PrintButton::PlumberB},
    {"Model", &ModelPrint, []() -> TScreenFrame* { return wndSimulaceModelka; }, &PrintButton::Model},
    {"MakeupArtist", &MakeupArtistPrint, []() -> TScreenFrame* { return wndSimulaceVizazistka; },
     &PrintButton::MakeupArtist},
    {"RoomPainter", &RoomPainterPrint, []() -> TScreenFrame* { return wndSimulaceMalir; }, &PrintButton::RoomPainter},
};

INSTANTIATE_TEST_SUITE_P(Table, PrintButton, ::testing::ValuesIn(kPrintButtons),
                         [](const auto& info) { return std::string(info.param.name); });

class PlumberPrintOnQueue : public PlumberTest {
protected:
    ~PlumberPrintOnQueue() override {
        print::SetPrintServer("");
        print::ClearPrintDialogAnswers();
        print::ClearPrintedPages();
        Printer()->Refresh();
    }
};

TEST_F(PlumberPrintOnQueue, ThePrintButtonHandsTheScreensPageToAPrintQueue) {
    SKIP_WITHOUT_POPPLER();
    printtest::CupsServer server;
    SKIP_WITHOUT_CUPSD(server);
    server.AddQueue("dilna", "Dílna", "Letter");
    print::SetPrintServer(server.Address());
    Printer()->Refresh();
    OpenPartA();
    Then([] {
        const auto& items = Printer()->Printers()->Items();
        const int queue = int(std::find(items.begin(), items.end(), "Dílna") - items.begin());
        ASSERT_LT(queue, int(items.size()));
        print::QueuePrintDialogOk(queue, 1);
    });
    Click({kPrintX, kBarY});
    Run();
    ASSERT_TRUE(server.WaitForJobs());
    const printtest::CupsServer::Job job = server.Jobs().back();
    EXPECT_EQ(job.queue, "dilna");
    EXPECT_EQ(job.title, "Velamo - Instalatér");
    EXPECT_EQ(job.state, IPP_JSTATE_COMPLETED);
    const printtest::PdfInfo info = printtest::ReadPdfInfo(server.Output("dilna"));
    EXPECT_EQ(info.pages, 1);
    EXPECT_NEAR(info.widthPt, 595.28, 1) << "A4 on a Letter queue";
    const auto rendered = printtest::RenderPage(server.Output("dilna"), 1, TPrinter::kDpi);
    ASSERT_TRUE(rendered.has_value());
    const TRect t = PrintTarget(Printer()->PageWidth(), Printer()->PageHeight(), PlumberAPrint.Source);
    const TRect ink = InkBox(*rendered);
    EXPECT_NEAR(ink.Left, t.Left, 3);
    EXPECT_NEAR(ink.Top, t.Top, 3);
    EXPECT_NEAR(ink.Right, t.Right, 3);
    EXPECT_NEAR(ink.Bottom, t.Bottom, 3);
    EXPECT_TRUE(h().MessageBoxes().empty());
}

}  // namespace
