// The print sheet of a profession: a hidden form that composes one A4 page
// (the page background with the sheet's title and justified text, and a
// cut-out of the profession's screen picture) and prints it after the print
// dialog.
#pragma once

#include <memory>

#include "platform/print/printdialog.h"
#include "platform/print/report.h"
#include "platform/ui/forms.h"
#include "printlib/UFronta.h"

class TwndProfese : public TForm {
public:
    explicit TwndProfese(TComponent* AOwner);

    TQuickRep* Report;
    TQRBand* Detail;
    TQRImage* imgPozadi;  // the page background, title and text drawn on it
    TQRImage* imgObr;     // the profession's picture
    TPrintDialog* PrintDialog;

    String Title;
    bool Done = false;
    std::unique_ptr<TStringList> TextLines;

    void FormCreate(TObject* Sender);
    void FormDestroy(TObject* Sender);
    void ReportNeedData(TObject* Sender, bool& MoreData);
    void DrawTitle(const String& ATitle);
    void LayoutText();
};

extern TwndProfese* wndProfese;

// The section of Code in the unscrambled lines of the print texts: its
// title (the line after "[Code]") and its paragraphs up to the next section;
// both empty when there is no such section.
void ReadPrintSection(const TStrings& Lines, const String& Code, String& Title, TStrings& Paragraphs);

// Fills wndProfese's Title and TextLines from the section of Code in
// DataDir + "profese_.dat".
void LoadPrintText(const String& Code);

// Composes and prints the sheet of Code: the form is made with Owner, and
// freed before the call returns, also when it fails.
void PrintProfession(const String& Code, TComponent* Owner);
