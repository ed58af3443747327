// The printer object on a real print server: a CUPS server of the test's own
// with queues of the generic PDF driver, one whose paper is Letter; servers
// that cannot be reached, that never answer or that stop; queues that pause,
// refuse jobs, come and go.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "platform/backend/headless/harness.h"
#include "platform/core/exceptions.h"
#include "platform/print/printdialog.h"
#include "platform/print/printer.h"
#include "platform/print_cups_server.h"
#include "platform/print_test_support.h"
#include "platform/ui/ui.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr const char* kPdfPrinter = "Tisk do souboru PDF";
constexpr TColor kInk = RGBColor(220, 0, 0);
const TRect kBlock = Rect(120, 200, 420, 330);  // page pixels at 150 per inch

// Far more than the two seconds the print system is given, far less than
// the minutes a user once waited: a wait beyond it is a hang.
constexpr auto kHang = std::chrono::seconds(10);

class PrintCups : public ::testing::Test {
protected:
    void SetUp() override {
        print::ClearPrintedPages();
        print::ClearPrintDialogAnswers();
        print::SetPdfFolder(folder.Path("pdf"));
        Printer()->Copies = 1;
        Printer()->Title = "";
    }
    void TearDown() override {
        if (Printer()->Printing()) Printer()->Abort();
        print::SetPrintServer("");
        print::SetPdfFolder("");
        print::ClearPrintDialogAnswers();
        Printer()->Refresh();
    }

    void UseServer(const std::string& address) {
        print::SetPrintServer(address);
        Printer()->Refresh();
        Printer()->SetPrinterIndex(-1);
    }

    static int IndexOf(const String& shown) {
        const auto& items = Printer()->Printers()->Items();
        const auto at = std::find(items.begin(), items.end(), shown);
        return at == items.end() ? -1 : int(at - items.begin());
    }

    // The dialog answered OK with the printer shown so and the copies.
    void Choose(const String& shown, int copies = 1) {
        TPrintDialog dialog(nullptr);
        Printer()->Refresh();
        print::QueuePrintDialogOk(IndexOf(shown), copies);
        ASSERT_TRUE(dialog.Execute());
        ASSERT_EQ(Printer()->Printers()->Get(Printer()->PrinterIndex()), shown);
    }

    // One page with a block of ink, as a screen prints it.
    void PrintPage(const String& title) {
        Printer()->Title = title;
        Printer()->BeginDoc();
        Printer()->Canvas()->Brush.Color = kInk;
        Printer()->Canvas()->FillRect(kBlock);
        Printer()->EndDoc();
    }

    // Opens the dialog as the user sees it, reads what it lists while it is
    // shown, and cancels it; the real time until it was shown.
    Clock::duration ShowDialog(std::vector<String>* listed = nullptr) {
        TPrintDialog dialog(nullptr);
        Clock::time_point shown{};
        harness.At(harness.Now() + 10, [&] {
            shown = Clock::now();
            if (listed) *listed = Printer()->Printers()->Items();
        });
        const print::PrintDialogLayout d = print::DialogLayout();
        harness.Click(harness.Now() + 20, d.cancel.Left + 5, d.cancel.Top + 5);
        const Clock::time_point start = Clock::now();
        EXPECT_FALSE(dialog.Execute());
        return shown - start;
    }

    headless::Harness harness;
    printtest::TempFolder folder;
};

TEST_F(PrintCups, EveryQueuePrintsTheA4PageAtItsSizeWithItsCopiesAndTitle) {
    SKIP_WITHOUT_POPPLER();
    printtest::CupsServer server;
    SKIP_WITHOUT_CUPSD(server);
    server.AddQueue("letter", "Kancelář (Letter)", "Letter");
    server.AddQueue("a4", "", "A4");
    UseServer(server.Address());

    struct Case {
        const char* queue;
        const char* shown;
        int copies;
    };
    const Case cases[] = {{"letter", "Kancelář (Letter)", 1}, {"letter", "Kancelář (Letter)", 2}, {"a4", "a4", 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.queue) + " x" + std::to_string(c.copies));
        Choose(c.shown, c.copies);
        PrintPage("Velamo - Malíř");
        ASSERT_TRUE(server.WaitForJobs());
        const printtest::CupsServer::Job job = server.Jobs().back();
        EXPECT_EQ(job.queue, c.queue);
        EXPECT_EQ(job.title, "Velamo - Malíř");
        EXPECT_EQ(job.state, IPP_JSTATE_COMPLETED);

        const printtest::PdfInfo info = printtest::ReadPdfInfo(server.Output(c.queue));
        EXPECT_EQ(info.pages, c.copies);
        EXPECT_NEAR(info.widthPt, 595.28, 1) << "A4, not Letter's 612 x 792";
        EXPECT_NEAR(info.heightPt, 841.89, 1);
        for (int page = 1; page <= c.copies; ++page) {
            auto picture = printtest::RenderPage(server.Output(c.queue), page, 150);
            ASSERT_TRUE(picture);
            const TRect box = printtest::ColourBox(*picture, kInk, 24);
            EXPECT_NEAR(box.Left, kBlock.Left, 2) << "page " << page << ": at its place, not shrunk";
            EXPECT_NEAR(box.Top, kBlock.Top, 2);
            EXPECT_NEAR(box.Width(), kBlock.Width(), 3);
            EXPECT_NEAR(box.Height(), kBlock.Height(), 3);
        }
    }
    EXPECT_TRUE(harness.MessageBoxes().empty()) << "a job handed over is not talked about";
}

TEST_F(PrintCups, DialogReadsTheListEachTimeItOpensWithDescriptionsAndMarks) {
    printtest::CupsServer server;
    SKIP_WITHOUT_CUPSD(server);
    server.AddQueue("dilna", "Dílna", "A4");
    server.AddQueue("kancelar", "Kancelář", "A4");
    server.AddQueue("sklad", "", "A4");
    server.SetDefault("sklad");
    server.Pause("dilna");
    server.RejectJobs("sklad");
    UseServer(server.Address());

    const print::PrintDialogLayout d = print::DialogLayout();
    const int row = print::PrintDialogLayout::kRowHeight;
    TBitmap probe;
    probe.Canvas()->Font.Name = "Arial";
    probe.Canvas()->Font.SetSize(9);
    // Ink in the row from x to x + width.
    auto inkIn = [&](int rowIndex, int x, int width, TColor background) {
        for (int y = d.list.Top + rowIndex * row + 2; y < d.list.Top + (rowIndex + 1) * row - 2; ++y) {
            for (int px = x; px < x + width; ++px) {
                if (harness.Pixel(px, y) != background) return true;
            }
        }
        return false;
    };
    const int nameLeft = d.list.Left + 5;
    bool looked = false;
    TPrintDialog dialog(nullptr);
    harness.At(harness.Now() + 10, [&] {
        looked = true;
        EXPECT_EQ(Printer()->Printers()->Items(), (std::vector<String>{"Dílna", "Kancelář", "sklad", kPdfPrinter}));
        EXPECT_EQ(Printer()->PrinterIndex(), 2) << "the server's default";
        EXPECT_TRUE(Printer()->IsPaused(0));
        EXPECT_TRUE(Printer()->AcceptsJobs(0));
        EXPECT_FALSE(Printer()->IsPaused(1));
        EXPECT_TRUE(Printer()->AcceptsJobs(1));
        EXPECT_FALSE(Printer()->AcceptsJobs(2));
        // A mark after the name of the paused queue and of the refusing
        // one (on the selection), none after the ready one.
        const int dilna = nameLeft + probe.Canvas()->TextWidth("Dílna");
        const int kancelar = nameLeft + probe.Canvas()->TextWidth("Kancelář");
        const int sklad = nameLeft + probe.Canvas()->TextWidth("sklad");
        EXPECT_TRUE(inkIn(0, dilna + 6, 80, clWhite));
        EXPECT_FALSE(inkIn(1, kancelar + 2, 80, clWhite));
        EXPECT_TRUE(inkIn(2, sklad + 6, 80, RGBColor(0, 0, 128)));
    });
    harness.Click(harness.Now() + 20, d.cancel.Left + 5, d.cancel.Top + 5);
    EXPECT_FALSE(dialog.Execute());
    EXPECT_TRUE(looked);
    EXPECT_TRUE(server.Jobs().empty()) << "cancel sends nothing";

    // A queue added while the program runs is there at the next opening;
    // the printer chosen stays chosen.
    Choose("Kancelář");
    server.AddQueue("novy", "Nová tiskárna", "A4");
    std::vector<String> listed;
    ShowDialog(&listed);
    EXPECT_EQ(listed, (std::vector<String>{"Dílna", "Kancelář", "Nová tiskárna", "sklad", kPdfPrinter}));
    EXPECT_EQ(Printer()->Printers()->Get(Printer()->PrinterIndex()), "Kancelář");
}

// A server that refuses connections or never answers: the dialog comes with
// the PDF printer alone, within the print system's bound.
TEST_F(PrintCups, UnreachableServerListsOnlyThePdfPrinterInTime) {
    printtest::SilentListener silent;
    const std::pair<const char*, std::string> servers[] = {
        {"nothing listening", "127.0.0.1:" + std::to_string(printtest::FreePort())},
        {"a listener that never answers", silent.Address()},
    };
    for (const auto& [name, address] : servers) {
        SCOPED_TRACE(name);
        UseServer(address);
        std::vector<String> listed;
        const Clock::duration took = ShowDialog(&listed);
        EXPECT_EQ(listed, std::vector<String>{kPdfPrinter});
        EXPECT_LT(took, kHang);
        std::cout << name << ": dialog shown after "
                  << std::chrono::duration_cast<std::chrono::milliseconds>(took).count() << " ms\n";
    }
}

// A queue chosen while the server was well, then the job cannot be handed
// over: the user is told, naming the printer, and the program goes on.
TEST_F(PrintCups, JobThatCannotBeHandedOverIsToldNamingThePrinter) {
    struct Case {
        const char* name;
        void (*fault)(printtest::CupsServer&);
        const char* why;
    };
    const Case cases[] = {
        {"server stopped by a signal", [](printtest::CupsServer& s) { s.Stop(); }, "tisková služba neodpovídá."},
        {"server ended", [](printtest::CupsServer& s) { s.Kill(); }, "tisková služba neodpovídá."},
        {"queue refusing jobs", [](printtest::CupsServer& s) { s.RejectJobs("kancelar"); },
         "tiskárna nepřijímá úlohy."},
        {"queue removed", [](printtest::CupsServer& s) { s.RemoveQueue("kancelar"); },
         "tiskárna už není k dispozici."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        printtest::CupsServer server;
        SKIP_WITHOUT_CUPSD(server);
        server.AddQueue("kancelar", "Kancelář", "A4");
        UseServer(server.Address());
        Choose("Kancelář");
        c.fault(server);

        const std::size_t boxes = harness.MessageBoxes().size();
        const Clock::time_point start = Clock::now();
        EXPECT_THROW(PrintPage("Velamo - Instalatér"), EPrinter);
        EXPECT_LT(Clock::now() - start, kHang);
        ASSERT_EQ(harness.MessageBoxes().size(), boxes + 1);
        const headless::MessageBoxRecord& box = harness.MessageBoxes().back();
        EXPECT_EQ(box.text, String("Tisk na tiskárně „Kancelář“ se nepodařil:\n") + c.why);
        EXPECT_EQ(box.caption, Application->Title());
        EXPECT_EQ(box.flags, MB_ICONSTOP);
        EXPECT_FALSE(Printer()->Printing());
        EXPECT_TRUE(print::PrintedPages().empty());

        if (String(c.name) == "server stopped by a signal") {
            std::vector<String> listed;
            EXPECT_LT(ShowDialog(&listed), kHang);
            EXPECT_EQ(listed, std::vector<String>{kPdfPrinter}) << "the stopped server lists nothing";
            server.Continue();
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
            EXPECT_TRUE(server.Jobs().empty()) << "nothing is printed once it answers again";
        }
        server.Kill();
    }
}

}  // namespace
