#include "platform/print/printer.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>

#include "platform/backend/backend.h"
#include "platform/core/exceptions.h"
#include "platform/core/files.h"
#include "platform/core/strings.h"
#include "platform/print/pdf.h"
#include "platform/ui/application.h"

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
    std::string text;
    try {
        text = ReadDataFile(config, file_limit::kText);
    } catch (const EFOpenError&) {
    }
    for (const String& line : SplitLines(text)) {
        const String key = "XDG_DOCUMENTS_DIR=\"";
        if (line.rfind(key, 0) != 0) continue;
        String value = line.substr(key.size());
        if (!value.empty() && value.back() == '"') value.pop_back();
        if (value.rfind("$HOME", 0) == 0) value = HomeFolder() + value.substr(5);
        if (!value.empty()) return value;
    }
    return HomeFolder() + "/Documents";
}

// Creates the folder and the folders above it; false when that fails.
bool MakeFolders(const String& folder) {
    for (std::size_t pos = 1; pos <= folder.size(); ++pos) {
        if (pos < folder.size() && folder[pos] != '/') continue;
        String part = folder.substr(0, pos);
        if (::mkdir(part.c_str(), 0755) != 0 && errno != EEXIST) return false;
    }
    NoteFileSystemChange(folder);
    return true;
}

// The job title as a file name that every file system takes: no characters
// that some refuse, no control characters, not hidden, not ending in a dot
// or a space, and at most kMaxFileNameBytes long (whole characters).
String SafeFileName(const String& title) {
    constexpr std::size_t kMaxFileNameBytes = 200;
    String name;
    std::size_t pos = 0;
    while (pos < title.size()) {
        const std::size_t start = pos;
        NextCodePoint(title, pos);
        if (pos > kMaxFileNameBytes) break;
        const unsigned char c = static_cast<unsigned char>(title[start]);
        const bool refused = c < 0x20 || c == 0x7F || String("/\\:*?\"<>|").find(char(c)) != String::npos;
        name += refused ? String("_") : title.substr(start, pos - start);
    }
    while (!name.empty() && (name.back() == '.' || name.back() == ' ')) name.pop_back();
    if (!name.empty() && name.front() == '.') name.front() = '_';
    return name.empty() ? String("Velamo") : name;
}

// Writes the data into a new file in the folder, named after the title and
// numbered " (2)", " (3)", ... past the names already taken: an existing
// file or link is never written over or through. The file's path; empty
// when the folder cannot be written.
String WriteNewFile(const String& folder, const String& title, const std::string& data) {
    constexpr int kMaxNumber = 9999;
    const String base = folder + "/" + SafeFileName(title);
    for (int n = 1; n <= kMaxNumber; ++n) {
        const String name = base + (n == 1 ? String() : " (" + std::to_string(n) + ")") + ".pdf";
        const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
        if (fd < 0 && errno == EEXIST) continue;
        if (fd < 0) return {};
        const bool written = WriteAllBytes(fd, data) == 0;
        const bool closed = ::close(fd) == 0;
        NoteFileSystemChange(name);
        if (written && closed) return name;
        ::unlink(name.c_str());
        return {};
    }
    return {};
}

String Quoted(const String& s) { return "\u201E" + s + "\u201C"; }

// A message of the print service in the platform's message box.
void Tell(const String& text, UINT flags) {
    // Captioned with the program's title, as its other messages are.
    if (Application) Application->MessageBox(text, Application->Title(), flags);
}

[[noreturn]] void FailJob(const String& printer, const String& why) {
    Tell("Tisk na tiskárně " + Quoted(printer) + " se nepodařil:\n" + why, MB_ICONSTOP);
    throw EPrinter("Printing on " + printer + " failed");
}

String WhyNotSent(print::SendOutcome outcome) {
    switch (outcome) {
        case print::SendOutcome::NotAccepting: return "tiskárna nepřijímá úlohy.";
        case print::SendOutcome::NoSuchQueue: return "tiskárna už není k dispozici.";
        case print::SendOutcome::Refused: return "tisková služba úlohu odmítla.";
        default: return "tisková služba neodpovídá.";
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

// What identifies a printer across readings of the list: a queue's own name,
// else the name shown.
String TPrinter::KeyOf(int index) const {
    const auto& queue = queues_[std::size_t(index)];
    return queue ? "queue:" + queue->name : "shown:" + printers_->Get(index);
}

void TPrinter::AddPrinter(const String& name, std::optional<print::PrintQueue> queue) {
    printers_->Add(name);
    queues_.push_back(std::move(queue));
}

void TPrinter::ReadPrinters() {
    if (listRead_) return;
    listRead_ = true;
    const String chosen = index_ >= 0 && index_ < printers_->Count() ? KeyOf(index_) : String();
    printers_->Clear();
    queues_.clear();
    defaultIndex_ = 0;
    index_ = -1;
    if (print::HeadlessPrinting() && print::PrintServer().empty()) {
        for (const String& name : HeadlessPrinterNames()) AddPrinter(name, std::nullopt);
    } else if (auto queues = print::ReadPrintQueues()) {
        auto shown = [](const print::PrintQueue& q) { return q.description.empty() ? q.name : q.description; };
        for (const print::PrintQueue& q : *queues) {
            const bool sameAsAnother = shown(q) == print::kPdfPrinterName ||
                                       std::count_if(queues->begin(), queues->end(), [&](const print::PrintQueue& o) {
                                           return shown(o) == shown(q);
                                       }) > 1;
            if (q.isDefault) defaultIndex_ = printers_->Count();
            AddPrinter(sameAsAnother && shown(q) != q.name ? shown(q) + " (" + q.name + ")" : shown(q), q);
        }
    }
    AddPrinter(print::kPdfPrinterName, std::nullopt);
    for (int i = 0; i < printers_->Count() && !chosen.empty(); ++i) {
        if (KeyOf(i) == chosen) index_ = i;
    }
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

const print::PrintQueue* TPrinter::QueueAt(int index) {
    ReadPrinters();
    if (index < 0 || index >= printers_->Count()) return nullptr;
    const auto& queue = queues_[std::size_t(index)];
    return queue ? &*queue : nullptr;
}

bool TPrinter::IsPaused(int index) {
    const print::PrintQueue* queue = QueueAt(index);
    return queue && queue->paused;
}

bool TPrinter::AcceptsJobs(int index) {
    const print::PrintQueue* queue = QueueAt(index);
    return !queue || queue->acceptingJobs;
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

String TPrinter::JobTitle() const { return Title.empty() ? String("Velamo") : Title; }

String TPrinter::Deliver(int index, const std::vector<pdf::Page>& document) {
    const String printerName = printers_->Get(index);
    if (IsPdfPrinter(index)) {
        const String folder = print::PdfFolder();
        String file;
        if (MakeFolders(folder)) file = WriteNewFile(folder, JobTitle(), pdf::Write(document, JobTitle()));
        if (file.empty()) FailJob(printerName, "do složky " + Quoted(folder) + " nelze zapisovat.");
        return file;
    }
    const print::PrintQueue* queue = QueueAt(index);
    if (!queue) return {};  // a printer configured for tests: recorded only
    const print::SendOutcome outcome = print::SendPdfJob(*queue, pdf::Write(document, JobTitle()), JobTitle());
    if (outcome != print::SendOutcome::Sent) FailJob(printerName, WhyNotSent(outcome));
    return {};
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

    const String file = Deliver(index, document);

    const std::size_t total = document.size();
    for (std::size_t n = 0; n < total; ++n) {
        Surface& picture = pages[n % pages.size()].first;
        const bool lastUse = n + pages.size() >= total;
        if (print::HeadlessPrinting()) {
            Printed().push_back(
                print::PrintedPage{lastUse ? std::move(picture) : picture, printerName, JobTitle(), file});
        }
        Notice("print page " + std::to_string(n + 1) + "/" + std::to_string(total) + " printer=" + printerName +
               " title=" + JobTitle());
    }
    if (!file.empty()) Tell("Tisk je uložen v souboru\n" + file, MB_ICONINFORMATION);
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
    Printer()->SetPrinterIndex(-1);
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
