// The print sheet of a profession: a hidden form that composes one A4 page
// (the page background with the sheet's title and justified text, and a
// cut-out of the profession's screen picture) and prints it after the print
// dialog.
#pragma once

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
    TStringList* TextLines = nullptr;

    void FormCreate(TObject* Sender);
    void FormDestroy(TObject* Sender);
    void ReportNeedData(TObject* Sender, bool& MoreData);
    void DrawTitle(const String& ATitle);
    void LayoutText();
};

extern TwndProfese* wndProfese;

// Fills wndProfese's Title and TextLines from the section of Code in
// DataDir + "profese_.dat".
void LoadPrintText(const String& Code);

// Composes and prints the sheet of Code: the form is made with Owner, and
// freed before the call returns, also when it fails.
void PrintProfession(const String& Code, TComponent* Owner);
