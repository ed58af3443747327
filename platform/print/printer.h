// The printer object: the print queues of the print system plus a built-in
// PDF printer that writes into the user's documents folder. A print job is
// composed as pictures of A4 portrait pages at 150 pixels per inch; at its
// end the pages go out as one PDF document, only the drawn part of each page
// embedded and stored once however many copies are printed: to a file, or
// to the print system as one job that asks for A4 paper in portrait
// orientation (so a queue whose paper is Letter still prints the page at its
// size). Copies repeat the whole document.
//
// A screen prints a picture of its own so:
//
//     if (!PrintDialog->Execute()) return;  // the printer and Copies chosen
//     Printer()->Title = "Velamo - Malíř";   // the job's name, the file's name
//     Printer()->BeginDoc();
//     TCanvas* page = Printer()->Canvas();   // PageWidth() x PageHeight() pixels
//     StretchBlt(page->Handle(), x, y, w, h, Buffer->Canvas()->Handle(), sx, sy, sw, sh, SRCCOPY);
//     Printer()->EndDoc();                   // Copies copies of the page
//
// The print system is asked with a bound of about two seconds (the printer
// list, the hand-over of a job): a server that does not answer in time
// lists no printers and takes no job. When a job cannot be handed over
// (no server, a queue that refuses it, a folder that cannot be written)
// EndDoc tells the user in a message box that names the printer, then
// raises EPrinter; a PDF written is told with its file's path.
//
// On the headless backend (VELAMO_BACKEND=headless) the print system is
// asked only when a test names a print server (print::SetPrintServer);
// otherwise the printers are the ones a test configures, then the PDF
// printer, so that every run sees the same list. Pages for a configured
// printer are only recorded.
#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "platform/core/classes.h"
#include "platform/gfx/graphics.h"
#include "platform/print/printsystem.h"

namespace pdf {
struct Page;
}

class TPrinter : public TObject {
public:
    TPrinter();
    ~TPrinter() override;

    // The printers as shown: each queue's description, else its name (with
    // the name added where two would read the same); the built-in PDF
    // printer is the last one.
    TStrings* Printers();
    // The chosen printer: the system's default until one is set.
    int PrinterIndex();
    // -1 selects the default printer; an index outside the list raises
    // EPrinter.
    void SetPrinterIndex(int index);
    bool IsPdfPrinter(int index);
    // The queue is paused at the print server (its jobs wait there) / takes
    // new jobs. False / true for the PDF printer and configured printers.
    bool IsPaused(int index);
    bool AcceptsJobs(int index);
    // Reads the printer list again at its next use (the print dialog does so
    // each time it opens); the printer chosen stays chosen while it is
    // listed, else the default is.
    void Refresh();

    // The job's name, the PDF's title and the PDF file's name; "Velamo" when
    // empty.
    String Title;
    int Copies = 1;

    void BeginDoc();   // EPrinter when a job is already open
    void NewPage();    // EPrinter when no job is open
    // Sends the pages; EPrinter when no job is open, and after the message
    // when they cannot be handed over.
    void EndDoc();
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
    void AddPrinter(const String& name, std::optional<print::PrintQueue> queue);
    String KeyOf(int index) const;
    // The print system's queue of the entry; null for the PDF printer and
    // printers configured for tests.
    const print::PrintQueue* QueueAt(int index);
    String JobTitle() const;
    // Hands the document over to the chosen printer: the file's path for
    // the PDF printer. Tells the user and raises EPrinter when it cannot.
    String Deliver(int index, const std::vector<pdf::Page>& document);

    std::unique_ptr<TStringList> printers_;
    std::vector<std::optional<print::PrintQueue>> queues_;  // the print system's queue per entry, if any
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

// Every page sent so far in this process, as printed, with the printer's
// name and the job title: kept on the headless backend only (for tests), so
// that the program does not hold every page it ever printed.
struct PrintedPage {
    Surface picture;   // the whole page at TPrinter::kDpi
    String printer;
    String title;
    String file;       // the PDF written, for the PDF printer
};
const std::vector<PrintedPage>& PrintedPages();
void ClearPrintedPages();

// Printers listed before the PDF printer on the headless backend; the first
// is the default, and chosen. Takes effect at once.
void SetHeadlessPrinters(const std::vector<String>& names);
// The headless backend is in use: no print system is asked unless a print
// server is named.
bool HeadlessPrinting();

// The folder the PDF printer writes into: the one set here, else
// $VELAMO_PDF_DIR, else the user's documents folder. Created when missing.
void SetPdfFolder(const String& folder);
String PdfFolder();

}  // namespace print
