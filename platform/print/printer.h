// The printer object: the printers of the print system plus a built-in PDF
// printer that writes into the user's documents folder. A print job is
// composed as pictures of A4 pages at the printer's resolution; at its end
// the pages go out as one PDF document.
#pragma once

#include <memory>
#include <vector>

#include "platform/core/classes.h"
#include "platform/gfx/graphics.h"

class TPrinter : public TObject {
public:
    TPrinter();
    ~TPrinter() override;

    // The printers' names; the built-in PDF printer is the last one.
    TStrings* Printers();
    // -1 selects the default printer.
    int PrinterIndex() const;
    void SetPrinterIndex(int index);
    bool IsPdfPrinter(int index) const;

    String Title;
    int Copies = 1;

    void BeginDoc();   // EPrinter when a job is already open
    void NewPage();
    void EndDoc();     // sends the pages; EPrinter when nothing was begun
    void Abort();      // drops the job without output
    bool Printing() const { return printing_; }

    // Printable page in device pixels (A4 portrait at the resolution).
    int PageWidth() const;
    int PageHeight() const;
    int PixelsPerInch() const { return kDpi; }
    TCanvas* Canvas();

    static constexpr int kDpi = 150;

private:
    class PageCanvas;
    void StartPage();
    void FinishPage();
    void RefreshPrinters();

    std::unique_ptr<TStringList> printers_;
    std::vector<String> cupsNames_;
    int index_ = -1;
    bool printing_ = false;
    std::unique_ptr<Surface> page_;
    std::unique_ptr<PageCanvas> canvas_;
    std::vector<std::pair<Surface, TRect>> pages_;  // each page with its drawn area
};

// The one printer object of the process.
TPrinter* Printer();

namespace print {

// Every page sent so far in this process, as printed (for tests and the
// headless backend), with the printer's name and the job title.
struct PrintedPage {
    Surface picture;
    String printer;
    String title;
    String file;   // the PDF written, for the PDF printer
};
const std::vector<PrintedPage>& PrintedPages();
void ClearPrintedPages();

// The folder the PDF printer writes into: the user's documents folder
// unless set.
void SetPdfFolder(const String& folder);
String PdfFolder();

}  // namespace print
