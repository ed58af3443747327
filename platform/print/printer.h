// The printer object: the printers of the print system plus a built-in PDF
// printer that writes into the user's documents folder. A print job is
// composed as pictures of A4 portrait pages at 150 pixels per inch; at its
// end the pages go out as one PDF document (to the file, or to the print
// system), only the drawn part of each page embedded. Copies repeat the
// whole document.
//
// On the headless backend (VELAMO_BACKEND=headless) the print system is not
// asked: the printers are the ones a test configures, then the PDF printer,
// so that every run sees the same list. Pages for a configured printer are
// only recorded.
#pragma once

#include <memory>
#include <vector>

#include "platform/core/classes.h"
#include "platform/gfx/graphics.h"

namespace pdf {
struct Page;
}

class TPrinter : public TObject {
public:
    TPrinter();
    ~TPrinter() override;

    // The printers' names; the built-in PDF printer is the last one.
    TStrings* Printers();
    // The chosen printer: the system's default until one is set.
    int PrinterIndex();
    // -1 selects the default printer; an index outside the list raises
    // EPrinter.
    void SetPrinterIndex(int index);
    bool IsPdfPrinter(int index);
    // Reads the printer list again at its next use (printers configured for
    // tests, a changed print system); the default printer is chosen again.
    void Refresh();

    String Title;
    int Copies = 1;

    void BeginDoc();   // EPrinter when a job is already open
    void NewPage();    // EPrinter when no job is open
    void EndDoc();     // sends the pages; EPrinter when no job is open
    void Abort();      // drops the job without output
    bool Printing() const { return printing_; }

    // Printable page in device pixels (A4 portrait at the resolution).
    int PageWidth() const;
    int PageHeight() const;
    int PixelsPerInch() const { return kDpi; }
    // The canvas of the page being composed; drawing outside a job goes to
    // a page that the next BeginDoc clears.
    TCanvas* Canvas();

    static constexpr int kDpi = 150;

private:
    class PageCanvas;
    void StartPage();
    void FinishPage();
    void ReadPrinters();
    void Send(int index, const String& printerName, const std::vector<pdf::Page>& document);

    std::unique_ptr<TStringList> printers_;
    std::vector<String> systemNames_;  // print system queue per list entry; empty: none
    bool listRead_ = false;
    int defaultIndex_ = 0;
    int index_ = -1;
    bool printing_ = false;
    std::unique_ptr<Surface> page_;
    std::unique_ptr<PageCanvas> canvas_;
    std::vector<std::pair<Surface, TRect>> pages_;  // each page with its drawn area
};

// The one printer object of the process (the program and the print library
// share it through the platform library).
TPrinter* Printer();

namespace print {

// The name the built-in PDF printer has in the printer list.
extern const char* const kPdfPrinterName;

// Every page sent so far in this process, as printed (for tests and the
// headless backend), with the printer's name and the job title.
struct PrintedPage {
    Surface picture;   // the whole page at TPrinter::kDpi
    String printer;
    String title;
    String file;       // the PDF written, for the PDF printer
};
const std::vector<PrintedPage>& PrintedPages();
void ClearPrintedPages();

// Printers listed before the PDF printer on the headless backend; the first
// is the default. Takes effect at once.
void SetHeadlessPrinters(const std::vector<String>& names);
// The headless backend is in use: no print system is asked.
bool HeadlessPrinting();

// The folder the PDF printer writes into: the one set here, else
// $VELAMO_PDF_DIR, else the user's documents folder. Created when missing.
void SetPdfFolder(const String& folder);
String PdfFolder();

}  // namespace print
