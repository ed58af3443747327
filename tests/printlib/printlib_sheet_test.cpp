// The profession's sheet: the print text's sections, the page as composed
// while the print dialog is open, and the library "Tisk" loaded as the host
// loads it, printing to the PDF printer and to a recorded printer.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/core/exceptions.h"
#include "platform/print/printdialog.h"
#include "platform/print/printer.h"
#include "platform/sys/windows.h"
#include "printlib/UProfese.h"
#include "printlib/printlib_fixture.h"
#include "shell/UDataRoots.h"

namespace {

using printtest::kBackground;
using printtest::kCorner;
using printtest::kOutside;
using printtest::kPicture;

using ProfeseProc = void (*)(const ShortString*);

const std::vector<String> kTexts = {
    "poznámka před oddíly",
    "[kuchar]",
    "Kuchař – šéf kuchyně",
    "Žluťoučký kůň úpěl ďábelské ódy.",
    "",
    "Vaří a peče.",
    "[hasic]",
    "Hasič",
    "Hasí požáry.",
};

class PrintSheet : public ::testing::Test {
protected:
    void SetUp() override {
        print::SetHeadlessPrinters({"Laser"});
        print::ClearPrintedPages();
        print::ClearPrintDialogAnswers();
        print::SetPdfFolder(host.Path("pdf"));
        InitPaths();
        formsBefore = Screen->FormCount();
    }
    void TearDown() override {
        print::ClearPrintDialogAnswers();
        print::SetPdfFolder("");
        DonePaths();
    }

    // Loads the library from the host's folder as the program does, calls
    // Profese and unloads the library again, also when Profese raises.
    void PrintThroughLibrary(const String& code) {
        HMODULE lib = LoadLibraryA((AppDir + "Tisk.dll").c_str());
        ASSERT_NE(lib, nullptr);
        auto profese = reinterpret_cast<ProfeseProc>(GetProcAddress(lib, "Profese"));
        ASSERT_NE(profese, nullptr);
        const ShortString s = printtest::MakeShortString(code);
        try {
            profese(&s);
        } catch (...) {
            EXPECT_EQ(Screen->FormCount(), formsBefore) << "the form is gone after the call";
            FreeLibrary(lib);
            throw;
        }
        EXPECT_EQ(Screen->FormCount(), formsBefore) << "the form is gone after the call";
        FreeLibrary(lib);
        EXPECT_EQ(Screen->FormCount(), formsBefore);
    }

    std::vector<std::string> PdfFiles() {
        std::vector<std::string> files;
        if (!std::filesystem::exists(host.Path("pdf"))) return files;
        for (const auto& e : std::filesystem::directory_iterator(host.Path("pdf"))) files.push_back(e.path());
        return files;
    }

    headless::Harness harness;
    printtest::HostFolder host;
    int formsBefore = 0;
};

TEST_F(PrintSheet, SectionLookup) {
    struct Case {
        const char* name;
        std::vector<String> file;
        String code;
        String title;
        std::vector<String> paragraphs;
    };
    const Case cases[] = {
        {"a section with an empty paragraph", kTexts, "kuchar", "Kuchař – šéf kuchyně",
         {"Žluťoučký kůň úpěl ďábelské ódy.", "", "Vaří a peče."}},
        {"a section ending at the end of the file", kTexts, "hasic", "Hasič", {"Hasí požáry."}},
        {"no section", kTexts, "zahradnik", "", {}},
        {"the key only inside a longer line", {"viz [kuchar] jinde", "Kuchař", "text"}, "kuchar", "", {}},
        {"the key text in other letters is no key", {"[KUCHAR]", "Kuchař", "text"}, "kuchar", "", {}},
        {"the key text found, then the line matched in any case",
         {"viz [kuchar] jinde", "[KUCHAR]", "Kuchař", "text"}, "kuchar", "Kuchař", {"text"}},
        {"the title as the last line", {"[kuchar]", "Kuchař"}, "kuchar", "Kuchař", {}},
        {"the key as the last line", {"úvod", "[kuchar]"}, "kuchar", "", {}},
        {"content ends at any line beginning with [", {"[kuchar]", "Kuchař", "a", "[poznámka", "b"}, "kuchar",
         "Kuchař", {"a"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        host.WriteTexts(c.file);
        wndProfese = new TwndProfese(nullptr);
        wndProfese->BindGlobal(wndProfese);
        LoadPrintText(c.code);
        EXPECT_EQ(wndProfese->Title, c.title);
        EXPECT_EQ(wndProfese->TextLines->Items(), c.paragraphs);
        FreeAndNil(wndProfese);
    }
}

// The background with the title and one line of text, drawn by hand.
Surface ReferenceBackground(const String& title, const String& line) {
    TBitmap bmp;
    bmp.SetSize(680, 1000);
    TCanvas* c = bmp.Canvas();
    c->Brush.Color = kBackground;
    c->FillRect(Rect(0, 0, 680, 1000));
    c->Font.Name = "Arial";
    c->Font.SetSize(18);
    c->Font.Style = fsBold;
    c->Brush.Style = TBrushStyle::bsClear;
    c->TextOut(40, 578, title);
    c->Font.SetSize(11);
    c->Font.Style = 0;
    c->Brush.Style = TBrushStyle::bsSolid;
    c->Brush.Color = clWhite;
    if (!line.empty()) {
        c->FillRect(Rect(34, 611, 649, 611 + c->TextWidth("X") + 8));
        c->TextOut(34, 611, line);
    }
    return bmp.Pixels();
}

TEST_F(PrintSheet, ComposedPageWhileTheDialogIsOpenThenCancel) {
    struct Case {
        String code;
        std::vector<String> file;
        String title;
        String line;
    };
    const Case cases[] = {
        {"hasic", kTexts, "Hasič", "Hasí požáry."},
        {"kuchar", {"[kuchar]", "Kuchař – šéf", "Žluťoučký kůň úpěl."}, "Kuchař – šéf", "Žluťoučký kůň úpěl."},
        {"zahradnik", kTexts, "", ""},  // no section: background and picture only
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        host.WriteAll(c.code, c.file);
        bool looked = false;
        harness.At(harness.Now() + 10, [&] {
            looked = true;
            ASSERT_NE(wndProfese, nullptr);
            EXPECT_EQ(Screen->FormCount(), formsBefore + 2) << "the sheet's form and the dialog";
            EXPECT_FALSE(wndProfese->Visible()) << "the sheet's form is never shown";

            const Surface& picture = wndProfese->imgObr->Picture()->Bitmap()->Pixels();
            ASSERT_EQ(picture.width, 362);
            ASSERT_EQ(picture.height, 391);
            EXPECT_EQ(picture.Get(0, 0), kCorner);
            EXPECT_EQ(picture.Get(361, 390), kCorner);
            EXPECT_EQ(picture.Get(1, 1), kPicture);
            EXPECT_EQ(picture.Get(360, 389), kPicture);
            EXPECT_EQ(printtest::FindColour(picture, kOutside, 0).X, -1) << "only the part at (16, 18)";

            const Surface& background = wndProfese->imgPozadi->Picture()->Bitmap()->Pixels();
            EXPECT_TRUE(background.pixels == ReferenceBackground(c.title, c.line).pixels);
        });
        const print::PrintDialogLayout dialog = print::DialogLayout();
        harness.Click(harness.Now() + 20, dialog.cancel.Left + 5, dialog.cancel.Top + 5);
        PrintProfession(c.code, nullptr);
        EXPECT_TRUE(looked);
        EXPECT_EQ(wndProfese, nullptr);
        EXPECT_EQ(Screen->FormCount(), formsBefore);
        EXPECT_TRUE(print::PrintedPages().empty()) << "cancel prints nothing";
        EXPECT_EQ(harness.NoticeTexts().back(), "print dialog: cancel");
    }
}

// The dialog driven by clicks: the second printer, one more copy, OK.
TEST_F(PrintSheet, DialogChoicesReachThePrinter) {
    host.WriteAll("hasic", kTexts);
    const print::PrintDialogLayout d = print::DialogLayout();
    const int row2 = d.list.Top + print::PrintDialogLayout::kRowHeight + 5;
    harness.Click(harness.Now() + 10, d.list.Left + 20, row2);
    harness.Click(harness.Now() + 200, d.plus.Left + 5, d.plus.Top + 5);
    harness.Click(harness.Now() + 400, d.ok.Left + 5, d.ok.Top + 5);
    PrintProfession("hasic", nullptr);

    ASSERT_EQ(print::PrintedPages().size(), 2u);
    EXPECT_EQ(print::PrintedPages()[0].printer, "Tisk do souboru PDF");
    const auto notices = harness.NoticeTexts();
    EXPECT_NE(std::find(notices.begin(), notices.end(), "print dialog: ok printer=Tisk do souboru PDF copies=2"),
              notices.end());
    ASSERT_EQ(PdfFiles().size(), 1u);
    EXPECT_EQ(std::filesystem::path(PdfFiles()[0]).filename(), "Hasič.pdf") << "named after the sheet's title";
    ASSERT_EQ(harness.MessageBoxes().size(), 1u);
    EXPECT_EQ(harness.MessageBoxes()[0].text, "Tisk je uložen v souboru\n" + PdfFiles()[0]);
}

TEST_F(PrintSheet, LibraryPrintsOnePagePerCopyOrNothingOnCancel) {
    host.WriteAll("hasic", kTexts);
    host.CopyLibrary();
    struct Case {
        const char* name;
        bool ok;
        int printer;
        int copies;
        std::size_t pages;
    };
    const Case cases[] = {
        {"two copies", true, 0, 2, 2},
        {"one copy", true, 0, 1, 1},
        {"cancel", false, 0, 1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        print::ClearPrintedPages();
        if (c.ok) {
            print::QueuePrintDialogOk(c.printer, c.copies);
        } else {
            print::QueuePrintDialogCancel();
        }
        PrintThroughLibrary("hasic");
        EXPECT_EQ(print::QueuedPrintDialogAnswers(), 0);
        ASSERT_EQ(print::PrintedPages().size(), c.pages);
        for (std::size_t i = 1; i < c.pages; ++i) {
            EXPECT_TRUE(print::PrintedPages()[i].picture.pixels == print::PrintedPages()[0].picture.pixels);
        }
        for (const auto& page : print::PrintedPages()) EXPECT_EQ(page.printer, "Laser");
        EXPECT_EQ(harness.NoticeTexts().back(), c.ok ? "print page " + std::to_string(c.pages) + "/" +
                                                           std::to_string(c.pages) + " printer=Laser title=Hasič"
                                                     : String("print dialog: cancel"));
    }
    EXPECT_TRUE(PdfFiles().empty());
}

// The PDF page: A4, the background at band (16, 8) and the picture at band
// (184, 166), the band at (38, 38), all in 96-per-inch units.
TEST_F(PrintSheet, PdfPageHoldsTheImagesInTheirPlaces) {
    SKIP_WITHOUT_POPPLER();
    host.WriteAll("zahradnik", kTexts);  // no section: nothing drawn over the background
    host.CopyLibrary();
    print::QueuePrintDialogOk(1, 2);
    PrintThroughLibrary("zahradnik");
    const std::vector<std::string> files = PdfFiles();
    ASSERT_EQ(files.size(), 1u);
    const printtest::PdfInfo info = printtest::ReadPdfInfo(files[0]);
    EXPECT_EQ(info.pages, 2);
    EXPECT_NEAR(info.widthPt, 595.28, 0.5);
    EXPECT_NEAR(info.heightPt, 841.89, 0.5);

    for (int page = 1; page <= 2; ++page) {
        SCOPED_TRACE(page);
        auto rendered = printtest::RenderPage(files[0], page, 96);
        ASSERT_TRUE(rendered);
        const TRect picture = printtest::ColourBox(*rendered, kPicture, 12);
        EXPECT_NEAR(picture.Left, 38 + 184, 1);
        EXPECT_NEAR(picture.Top, 38 + 166, 1);
        EXPECT_NEAR(picture.Width(), 362, 2);
        EXPECT_NEAR(picture.Height(), 391, 2);
        const TPoint corner = printtest::FindColour(*rendered, kCorner, 40);
        EXPECT_NEAR(corner.X, 38 + 184, 1);
        EXPECT_NEAR(corner.Y, 38 + 166, 1);
        const TRect background = printtest::ColourBox(*rendered, kBackground, 6);
        EXPECT_NEAR(background.Left, 38 + 16, 1);
        EXPECT_NEAR(background.Top, 38 + 8, 1);
        EXPECT_NEAR(background.Width(), 680, 2);
        EXPECT_NEAR(background.Height(), 1000, 2);
    }
}

TEST_F(PrintSheet, MissingFileRaisesTheFileOpenErrorOutOfTheLibrary) {
    host.CopyLibrary();
    for (const char* missing : {"profese_.dat", "prnbckg.bmp", "detaily/hasic.bmp"}) {
        SCOPED_TRACE(missing);
        host.WriteAll("hasic", kTexts);
        host.Remove(missing);
        print::QueuePrintDialogOk(0, 1);
        try {
            PrintThroughLibrary("hasic");
            ADD_FAILURE() << "no error";
        } catch (const EFOpenError& e) {
            EXPECT_EQ(e.Message.rfind("Cannot open file", 0), 0u) << e.Message;
            EXPECT_NE(e.Message.find(std::filesystem::path(missing).filename().string()), String::npos)
                << e.Message;
        }
        EXPECT_TRUE(print::PrintedPages().empty());
        print::ClearPrintDialogAnswers();
    }
}

// The library's roots are set when it is loaded, from the host's program
// file at that time, and nothing is left from one load to the next.
TEST_F(PrintSheet, EachLoadTakesTheHostFolderAnew) {
    host.WriteAll("hasic", kTexts);
    host.CopyLibrary();
    print::QueuePrintDialogOk(0, 1);
    PrintThroughLibrary("hasic");
    ASSERT_EQ(print::PrintedPages().size(), 1u);

    printtest::HostFolder other;  // sets the program file into a second folder
    other.WriteAll("hasic", {"[hasic]", "Jiný hasič", "Jiný text."});
    other.CopyLibrary();
    HMODULE lib = LoadLibraryA((other.Dir() + "Tisk.dll").c_str());
    ASSERT_NE(lib, nullptr);
    auto profese = reinterpret_cast<ProfeseProc>(GetProcAddress(lib, "Profese"));
    ASSERT_NE(profese, nullptr);
    const ShortString code = printtest::MakeShortString("hasic");
    print::QueuePrintDialogOk(0, 1);
    profese(&code);
    FreeLibrary(lib);
    ASSERT_EQ(print::PrintedPages().size(), 2u);
    EXPECT_FALSE(print::PrintedPages()[0].picture.pixels == print::PrintedPages()[1].picture.pixels)
        << "the second sheet has the second folder's text";
    EXPECT_EQ(Screen->FormCount(), formsBefore);
}

}  // namespace
