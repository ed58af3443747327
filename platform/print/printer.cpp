#include "platform/print/printer.h"

#include <cstdlib>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>
#include <algorithm>
#include <cstdio>

#include "platform/backend/backend.h"
#include "platform/core/exceptions.h"
#include "platform/core/files.h"
#include "platform/print/pdf.h"

#ifdef VELAMO_HAVE_CUPS
#include <cups/cups.h>
#endif

namespace {

constexpr double kA4WidthMm = 210.0;
constexpr double kA4HeightMm = 297.0;
constexpr double kPointsPerInch = 72.0;
const char* const kPdfPrinterName = "Tisk do souboru PDF";

std::vector<print::PrintedPage>& Printed() {
    static std::vector<print::PrintedPage> pages;
    return pages;
}

String& PdfFolderSetting() {
    static String folder;
    return folder;
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
        if (stat(name.c_str(), &st) != 0) return name;
    }
}

TRect Union(const TRect& a, const TRect& b) {
    if (a.IsEmpty()) return b;
    if (b.IsEmpty()) return a;
    return TRect{std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right),
                 std::max(a.Bottom, b.Bottom)};
}

Surface Crop(const Surface& s, const TRect& r) {
    Surface out;
    out.Resize(r.Width(), r.Height());
    for (int y = 0; y < r.Height(); ++y) {
        std::copy_n(s.Row(r.Top + y) + std::size_t(r.Left) * 3, std::size_t(r.Width()) * 3, out.Row(y));
    }
    return out;
}

}  // namespace

// The page's canvas remembers which part of the page was drawn on, so that
// only that part goes into the document.
class TPrinter::PageCanvas : public TCanvas {
public:
    explicit PageCanvas(Surface* s) : TCanvas(s) {}
    void Changed(const TRect& r) override { drawn = Union(drawn, r); }
    TRect drawn{};
};

TPrinter::TPrinter() : printers_(std::make_unique<TStringList>()) {}

TPrinter::~TPrinter() = default;

void TPrinter::RefreshPrinters() {
    printers_->Clear();
    cupsNames_.clear();
#ifdef VELAMO_HAVE_CUPS
    cups_dest_t* dests = nullptr;
    int count = cupsGetDests(&dests);
    for (int i = 0; i < count; ++i) {
        cupsNames_.push_back(dests[i].name);
        printers_->Add(dests[i].name);
        if (dests[i].is_default && index_ < 0) index_ = i;
    }
    cupsFreeDests(count, dests);
#endif
    printers_->Add(kPdfPrinterName);
}

TStrings* TPrinter::Printers() {
    if (printers_->Count() == 0) RefreshPrinters();
    return printers_.get();
}

int TPrinter::PrinterIndex() const {
    if (index_ >= 0) return index_;
    return printers_->Count() > 0 ? 0 : -1;
}

void TPrinter::SetPrinterIndex(int index) {
    Printers();
    if (index < -1 || index >= printers_->Count()) throw EPrinter("Printer selected is not valid");
    index_ = index;
}

bool TPrinter::IsPdfPrinter(int index) const { return index == printers_->Count() - 1; }

int TPrinter::PageWidth() const { return int(kA4WidthMm / 25.4 * kDpi); }
int TPrinter::PageHeight() const { return int(kA4HeightMm / 25.4 * kDpi); }

TCanvas* TPrinter::Canvas() {
    if (!canvas_) {
        page_ = std::make_unique<Surface>();
        canvas_ = std::make_unique<PageCanvas>(page_.get());
    }
    return canvas_.get();
}

void TPrinter::StartPage() {
    Canvas();
    page_->Resize(PageWidth(), PageHeight(), clWhite);
    canvas_->drawn = TRect{};
}

void TPrinter::FinishPage() { pages_.emplace_back(*page_, canvas_->drawn); }

void TPrinter::BeginDoc() {
    if (printing_) throw EPrinter("Printing in progress");
    Printers();
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
    printing_ = false;
    pages_.clear();
}

void TPrinter::EndDoc() {
    if (!printing_) throw EPrinter("Printer is not currently printing");
    FinishPage();
    printing_ = false;

    const int index = PrinterIndex();
    const String printerName = printers_->Get(index);
    const double pointsPerPixel = kPointsPerInch / kDpi;
    std::vector<pdf::Page> document;
    for (int copy = 0; copy < std::max(1, Copies); ++copy) {
        for (const auto& [picture, drawn] : pages_) {
            pdf::Page page;
            page.widthPt = kA4WidthMm / 25.4 * kPointsPerInch;
            page.heightPt = kA4HeightMm / 25.4 * kPointsPerInch;
            if (!drawn.IsEmpty()) {
                page.pictures.push_back(pdf::Placement{Crop(picture, drawn), drawn.Left * pointsPerPixel,
                                                       drawn.Top * pointsPerPixel, drawn.Width() * pointsPerPixel,
                                                       drawn.Height() * pointsPerPixel});
            }
            document.push_back(std::move(page));
        }
    }

    String file;
    if (IsPdfPrinter(index)) {
        String folder = print::PdfFolder();
        ::mkdir(folder.c_str(), 0755);
        file = FreePdfName(folder, Title);
        pdf::WriteFile(file, document, Title);
    } else {
#ifdef VELAMO_HAVE_CUPS
        char tmp[] = "/tmp/velamo-print-XXXXXX";
        int fd = mkstemp(tmp);
        if (fd < 0) throw EPrinter("Cannot create the print job's file");
        ::close(fd);
        pdf::WriteFile(tmp, document, Title);
        int job = cupsPrintFile(cupsNames_[std::size_t(index)].c_str(), tmp, Title.c_str(), 0, nullptr);
        std::remove(tmp);
        if (job == 0) throw EPrinter(String("Printing failed: ") + cupsLastErrorString());
#endif
    }

    int pageNo = 0;
    for (const pdf::Page& page : document) {
        (void)page;
        const Surface& picture = pages_[std::size_t(pageNo) % pages_.size()].first;
        Printed().push_back(print::PrintedPage{picture, printerName, Title, file});
        ++pageNo;
        if (backend::Installed()) {
            backend::Current().Notice("print page " + std::to_string(pageNo) + "/" +
                                      std::to_string(document.size()) + " printer=" + printerName +
                                      " title=" + Title);
        }
    }
    pages_.clear();
}

TPrinter* Printer() {
    static TPrinter printer;
    return &printer;
}

namespace print {

const std::vector<PrintedPage>& PrintedPages() { return Printed(); }
void ClearPrintedPages() { Printed().clear(); }

void SetPdfFolder(const String& folder) { PdfFolderSetting() = folder; }

String PdfFolder() {
    if (!PdfFolderSetting().empty()) return PdfFolderSetting();
    return DocumentsFolder();
}

}  // namespace print
