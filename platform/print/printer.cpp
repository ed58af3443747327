#include "platform/print/printer.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "platform/backend/backend.h"
#include "platform/core/exceptions.h"
#include "platform/core/files.h"
#include "platform/print/pdf.h"

#ifdef VELAMO_HAVE_CUPS
#include <cups/cups.h>
#endif

namespace print {
const char* const kPdfPrinterName = "Tisk do souboru PDF";
}

namespace {

constexpr double kA4WidthMm = 210.0;
constexpr double kA4HeightMm = 297.0;
constexpr double kMmPerInch = 25.4;
constexpr double kPointsPerInch = 72.0;

std::vector<print::PrintedPage>& Printed() {
    static std::vector<print::PrintedPage> pages;
    return pages;
}

String& PdfFolderSetting() {
    static String folder;
    return folder;
}

std::vector<String>& HeadlessPrinterNames() {
    static std::vector<String> names;
    return names;
}

String HomeFolder() {
    const char* home = std::getenv("HOME");
    return home && *home ? String(home) : String("/tmp");
}

// XDG_DOCUMENTS_DIR from user-dirs.dirs, else ~/Documents.
String DocumentsFolder() {
    String config = HomeFolder() + "/.config/user-dirs.dirs";
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg) config = String(xdg) + "/user-dirs.dirs";
    std::ifstream in(config);
    String line;
    while (std::getline(in, line)) {
        const String key = "XDG_DOCUMENTS_DIR=\"";
        if (line.rfind(key, 0) != 0) continue;
        String value = line.substr(key.size());
        if (!value.empty() && value.back() == '"') value.pop_back();
        if (value.rfind("$HOME", 0) == 0) value = HomeFolder() + value.substr(5);
        if (!value.empty()) return value;
    }
    return HomeFolder() + "/Documents";
}

// Creates the folder and the folders above it; EFCreateError when that fails.
void MakeFolders(const String& folder) {
    for (std::size_t pos = 1; pos <= folder.size(); ++pos) {
        if (pos < folder.size() && folder[pos] != '/') continue;
        String part = folder.substr(0, pos);
        if (::mkdir(part.c_str(), 0755) != 0 && errno != EEXIST) throw EFCreateError(folder);
    }
    NoteFileSystemChange(folder);
}

// A file name made of the job title, without characters that trouble file
// systems, and numbered so that no earlier print is overwritten.
String FreePdfName(const String& folder, const String& title) {
    String base;
    for (char c : title.empty() ? String("Velamo") : title) {
        base += (c == '/' || c == '\\' || c == ':' || c == '*' || c == '?' || c == '"') ? '_' : c;
    }
    for (int n = 1;; ++n) {
        String name = folder + "/" + base + (n == 1 ? String() : " (" + std::to_string(n) + ")") + ".pdf";
        struct stat st;
        if (::stat(name.c_str(), &st) != 0) return name;
    }
}

TRect Union(const TRect& a, const TRect& b) {
    if (a.IsEmpty()) return b;
    if (b.IsEmpty()) return a;
    return TRect{std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right),
                 std::max(a.Bottom, b.Bottom)};
}

TRect Intersect(const TRect& a, const TRect& b) {
    TRect r{std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
            std::min(a.Bottom, b.Bottom)};
    return r.IsEmpty() ? TRect{} : r;
}

void Notice(const String& what) {
    if (backend::Installed()) backend::Current().Notice(what);
}

}  // namespace

// The page's canvas remembers which part of the page was drawn on, so that
// only that part goes into the document.
class TPrinter::PageCanvas : public TCanvas {
public:
    explicit PageCanvas(Surface* s) : TCanvas(s) {}
    void Changed(const TRect& r) override {
        drawn = Union(drawn, Intersect(r, TRect{0, 0, target_->width, target_->height}));
    }
    TRect drawn{};
};

TPrinter::TPrinter() : printers_(std::make_unique<TStringList>()) {}

TPrinter::~TPrinter() = default;

void TPrinter::Refresh() { listRead_ = false; }

void TPrinter::ReadPrinters() {
    if (listRead_) return;
    listRead_ = true;
    printers_->Clear();
    systemNames_.clear();
    defaultIndex_ = 0;
    index_ = -1;
    if (print::HeadlessPrinting()) {
        for (const String& name : HeadlessPrinterNames()) {
            printers_->Add(name);
            systemNames_.emplace_back();
        }
    } else {
#ifdef VELAMO_HAVE_CUPS
        cups_dest_t* dests = nullptr;
        int count = cupsGetDests(&dests);
        for (int i = 0; i < count; ++i) {
            String name = dests[i].name;
            if (dests[i].instance) name += String("/") + dests[i].instance;
            printers_->Add(name);
            systemNames_.push_back(dests[i].name);
            if (dests[i].is_default) defaultIndex_ = i;
        }
        cupsFreeDests(count, dests);
#endif
    }
    printers_->Add(print::kPdfPrinterName);
    systemNames_.emplace_back();
}

TStrings* TPrinter::Printers() {
    ReadPrinters();
    return printers_.get();
}

int TPrinter::PrinterIndex() {
    ReadPrinters();
    return index_ >= 0 ? index_ : defaultIndex_;
}

void TPrinter::SetPrinterIndex(int index) {
    ReadPrinters();
    if (index < -1 || index >= printers_->Count()) throw EPrinter("Printer selected is not valid");
    index_ = index;
}

bool TPrinter::IsPdfPrinter(int index) {
    ReadPrinters();
    return index == printers_->Count() - 1;
}

int TPrinter::PageWidth() const { return int(kA4WidthMm / kMmPerInch * kDpi); }
int TPrinter::PageHeight() const { return int(kA4HeightMm / kMmPerInch * kDpi); }

TCanvas* TPrinter::Canvas() {
    if (!canvas_) {
        page_ = std::make_unique<Surface>();
        page_->Resize(PageWidth(), PageHeight(), clWhite);
        canvas_ = std::make_unique<PageCanvas>(page_.get());
    }
    return canvas_.get();
}

void TPrinter::StartPage() {
    Canvas();
    page_->Resize(PageWidth(), PageHeight(), clWhite);
    canvas_->drawn = TRect{};
}

void TPrinter::FinishPage() {
    pages_.emplace_back(std::move(*page_), canvas_->drawn);
    *page_ = Surface{};
}

void TPrinter::BeginDoc() {
    if (printing_) throw EPrinter("Printing in progress");
    ReadPrinters();
    pages_.clear();
    printing_ = true;
    StartPage();
}

void TPrinter::NewPage() {
    if (!printing_) throw EPrinter("Printer is not currently printing");
    FinishPage();
    StartPage();
}

void TPrinter::Abort() {
    if (printing_) Notice("print job aborted title=" + Title);
    printing_ = false;
    pages_.clear();
}

void TPrinter::Send(int index, const String& printerName, const std::vector<pdf::Page>& document) {
    if (IsPdfPrinter(index)) return;
    const String& queue = systemNames_[std::size_t(index)];
    if (queue.empty()) return;  // a printer configured for tests: recorded only
#ifdef VELAMO_HAVE_CUPS
    char tmp[] = "/tmp/velamo-print-XXXXXX";
    int fd = ::mkstemp(tmp);
    if (fd < 0) throw EPrinter("Cannot create the print job's file");
    ::close(fd);
    try {
        pdf::WriteFile(tmp, document, Title);
    } catch (...) {
        std::remove(tmp);
        throw;
    }
    int job = cupsPrintFile(queue.c_str(), tmp, Title.empty() ? "Velamo" : Title.c_str(), 0, nullptr);
    std::remove(tmp);
    if (job == 0) throw EPrinter("Printing on " + printerName + " failed: " + cupsLastErrorString());
#else
    throw EPrinter("Printing on " + printerName + " failed: no print system");
#endif
}

void TPrinter::EndDoc() {
    if (!printing_) throw EPrinter("Printer is not currently printing");
    FinishPage();
    printing_ = false;
    std::vector<std::pair<Surface, TRect>> pages = std::move(pages_);
    pages_.clear();

    const int index = PrinterIndex();
    const String printerName = printers_->Get(index);
    const int copies = std::max(1, Copies);
    const double pointsPerPixel = kPointsPerInch / kDpi;
    std::vector<pdf::Page> document;
    for (int copy = 0; copy < copies; ++copy) {
        for (const auto& [picture, drawn] : pages) {
            pdf::Page page;
            page.widthPt = kA4WidthMm / kMmPerInch * kPointsPerInch;
            page.heightPt = kA4HeightMm / kMmPerInch * kPointsPerInch;
            if (!drawn.IsEmpty()) {
                page.pictures.push_back(pdf::Placement{&picture, drawn, drawn.Left * pointsPerPixel,
                                                       drawn.Top * pointsPerPixel, drawn.Width() * pointsPerPixel,
                                                       drawn.Height() * pointsPerPixel});
            }
            document.push_back(std::move(page));
        }
    }

    String file;
    if (IsPdfPrinter(index)) {
        String folder = print::PdfFolder();
        MakeFolders(folder);
        file = FreePdfName(folder, Title);
        pdf::WriteFile(file, document, Title);
    } else {
        Send(index, printerName, document);
    }

    const std::size_t total = document.size();
    for (std::size_t n = 0; n < total; ++n) {
        Surface& picture = pages[n % pages.size()].first;
        const bool lastUse = n + pages.size() >= total;
        Printed().push_back(print::PrintedPage{lastUse ? std::move(picture) : picture, printerName, Title, file});
        Notice("print page " + std::to_string(n + 1) + "/" + std::to_string(total) + " printer=" + printerName +
               " title=" + Title);
    }
}

TPrinter* Printer() {
    static TPrinter printer;
    return &printer;
}

namespace print {

const std::vector<PrintedPage>& PrintedPages() { return Printed(); }
void ClearPrintedPages() { Printed().clear(); }

void SetHeadlessPrinters(const std::vector<String>& names) {
    HeadlessPrinterNames() = names;
    Printer()->Refresh();
}

bool HeadlessPrinting() {
    const char* kind = std::getenv("VELAMO_BACKEND");
    return kind && String(kind) == "headless";
}

void SetPdfFolder(const String& folder) { PdfFolderSetting() = folder; }

String PdfFolder() {
    if (!PdfFolderSetting().empty()) return PdfFolderSetting();
    if (const char* dir = std::getenv("VELAMO_PDF_DIR"); dir && *dir) return dir;
    return DocumentsFolder();
}

}  // namespace print
