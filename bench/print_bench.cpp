// The profession's sheet: composing it in the print library and writing its
// PDF (target: 300 ms for the whole print), and a click on print until the
// print dialog is shown, with a print server that answers (target: 100 ms),
// one that never answers (target: 2.5 s) and none. The library is loaded and
// unloaded for each print, as the program does.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <chrono>
#include <filesystem>
#include <memory>

#include "platform/backend/headless/harness.h"
#include "platform/core/files.h"
#include "platform/print/printdialog.h"
#include "platform/print/printer.h"
#include "platform/print/printsystem.h"
#include "platform/print_cups_server.h"
#include "platform/sys/windows.h"
#include "platform/ui/ui.h"

namespace {

using ProfeseProc = void (*)(const ShortString*);

// A host folder with a section of about forty lines of text.
class BenchHost {
public:
    BenchHost() {
        std::string pattern = (std::filesystem::temp_directory_path() / "velamo-print-bench-XXXXXX").string();
        if (!::mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
        root = pattern;
        std::filesystem::create_directories(root / "detaily");
        Application->SetExeName((root / "Velamo").string());

        TStringList lines;
        lines.Add("[hasic]");
        lines.Add("Hasič – záchranář");
        const String sentence = "Hasič hasí požáry, zachraňuje lidi i zvířata a pomáhá při povodních a nehodách. ";
        for (int p = 0; p < 6; ++p) {
            String paragraph;
            for (int s = 0; s < 5; ++s) paragraph += sentence;
            lines.Add(paragraph);
            lines.Add("");
        }
        TMemoryStream text;
        lines.SaveToStream(text);
        for (std::int64_t i = 0; i < text.GetSize(); ++i) text.Memory()[i] ^= 0x3C;
        text.SaveToFile((root / "profese_.dat").string());

        TBitmap bmp;
        bmp.SetSize(680, 1000);
        bmp.Canvas()->Brush.Color = RGBColor(250, 240, 200);
        bmp.Canvas()->FillRect(Rect(0, 0, 680, 1000));
        bmp.SaveToFile((root / "prnbckg.bmp").string());
        bmp.SetSize(640, 480);
        bmp.Canvas()->Brush.Color = RGBColor(40, 120, 200);
        bmp.Canvas()->FillRect(Rect(0, 0, 640, 480));
        bmp.SaveToFile((root / "detaily" / "hasic.bmp").string());
        std::filesystem::copy_file(std::string(VELAMO_APP_DIR) + "/Tisk.so", root / "Tisk.so");
        InvalidatePathCache();
        print::SetPdfFolder((root / "pdf").string());
    }
    ~BenchHost() {
        print::SetPdfFolder("");
        std::error_code ignored;
        std::filesystem::remove_all(root, ignored);
    }

    void Print() {
        HMODULE lib = LoadLibraryA((root / "Tisk.dll").c_str());
        auto profese = reinterpret_cast<ProfeseProc>(GetProcAddress(lib, "Profese"));
        ShortString code;
        code.Length = 5;
        std::copy_n("hasic", 5, code.Chars);
        profese(&code);
        FreeLibrary(lib);
    }

    std::filesystem::path root;
};

void BM_ComposeSheet(benchmark::State& state) {
    ::setenv("VELAMO_BACKEND", "headless", 1);
    headless::Harness harness;
    BenchHost host;
    for (auto _ : state) {
        print::QueuePrintDialogCancel();
        host.Print();
    }
}
BENCHMARK(BM_ComposeSheet)->Unit(benchmark::kMillisecond);

void BM_PrintSheetToPdf(benchmark::State& state) {
    ::setenv("VELAMO_BACKEND", "headless", 1);
    headless::Harness harness;
    BenchHost host;
    print::SetHeadlessPrinters({});
    for (auto _ : state) {
        print::QueuePrintDialogOk(0, 1);  // the PDF printer
        host.Print();
        state.PauseTiming();
        std::filesystem::remove_all(host.root / "pdf");
        InvalidatePathCache();
        print::ClearPrintedPages();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_PrintSheetToPdf)->Unit(benchmark::kMillisecond);

enum class Server { Answering, Silent, None };

// From the call of the library's export, as the print button makes it, to the
// dialog shown with the printers read; the dialog is then closed with Escape.
void BM_ClickPrintToDialogShown(benchmark::State& state, Server kind) {
    ::setenv("VELAMO_BACKEND", "headless", 1);
    headless::Harness harness;
    BenchHost host;
    std::unique_ptr<printtest::CupsServer> cups;
    std::unique_ptr<printtest::SilentListener> silent;
    switch (kind) {
        case Server::Answering:
            cups = std::make_unique<printtest::CupsServer>();
            if (!cups->Running()) {
                state.SkipWithError(("no print server: " + cups->Problem()).c_str());
                return;
            }
            for (const char* queue : {"kancelar", "sborovna", "ucebna"}) cups->AddQueue(queue, "", "A4");
            print::SetPrintServer(cups->Address());
            break;
        case Server::Silent:
            silent = std::make_unique<printtest::SilentListener>();
            print::SetPrintServer(silent->Address());
            break;
        case Server::None: print::SetPrintServer("127.0.0.1:" + std::to_string(printtest::FreePort())); break;
    }
    int listed = 0;
    for (auto _ : state) {
        std::chrono::steady_clock::time_point shown{};
        harness.At(harness.Now() + 1, [&] {
            shown = std::chrono::steady_clock::now();
            listed = Printer()->Printers()->Count();
        });
        harness.Key(harness.Now() + 2, VK_ESCAPE);
        const auto start = std::chrono::steady_clock::now();
        host.Print();
        state.SetIterationTime(std::chrono::duration<double>(shown - start).count());
    }
    state.counters["printers"] = listed;
    print::SetPrintServer("");
}
BENCHMARK_CAPTURE(BM_ClickPrintToDialogShown, answering_server, Server::Answering)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ClickPrintToDialogShown, silent_server, Server::Silent)
    ->UseManualTime()
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ClickPrintToDialogShown, no_server, Server::None)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
