// The profession detail page: the profession's picture, its name, its spoken
// description with text pages that follow the speech, an animation when the
// picture is clicked, and a printed sheet through the print library.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "shell/DetailCodes.h"
#include "shell/ProfessionText.h"
#include "shell/ScreenFrame.h"

class TwndDetailProfese : public TScreenFrame {
public:
    explicit TwndDetailProfese(TComponent* AOwner);

    TLabel* lbNazev;
    TLabel* Cil;
    TRichEdit* Popis;
    TEdit* edKurzor;
    TTimer* Timer;

    std::unique_ptr<TBitmap> BarPicture;
    std::unique_ptr<TStringList> ScriptLines;
    std::unique_ptr<TStringList> TextLines;

    T3BMPLabel* UpArrow = nullptr;
    T3BMPLabel* DownArrow = nullptr;
    TPosuvnik* Slider = nullptr;

    std::vector<TTextPage> Pages;
    int PageIndex = 0;
    bool AutoAdvance = false;
    int LastStartTime = 0;
    String SpokenTextFile;
    // Empty, or the name of the game that opened the page and starts its
    // next round when the page is left through back ("KdoPatriObr").
    String ReturnTo;

    // Fills the page for a profession and shows it; any number outside
    // 1..43 shows nothing.
    // The page is shown before the spoken description starts, with its first
    // text page already in.
    void ShowProfession(Byte ProfessionNumber, bool WithNavigation);
    // Sets CurrentDetailCode, the name and the pages of the code's section
    // and the spoken description's file. A text line before the first page
    // start line opens a page at 0 ms; a start line without a number takes
    // the start time of the page before.
    void LoadProfessionText(const String& Code);
    // Shows page PageIndex after a pause of 100 ms (the loop runs), sets the
    // timer to the next page's start and moves the slider. Nothing at all
    // for an index outside the pages; an index past the last one after the
    // pause counts as the last page.
    void ShowPage();

    void FormCreate(TObject* Sender);
    void FormDestroy(TObject* Sender);
    void CilClick(TObject* Sender);
    void BackClick(TObject* Sender) override;
    void PrintProfession(TObject* Sender);
    void PrintClick(TObject* Sender) override { PrintProfession(Sender); }
    void PopisEnter(TObject* Sender);
    void TimerTimer(TObject* Sender);
    void ArrowMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void SliderMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void SliderMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void SliderMouseMove(TObject* Sender, TShiftState Shift, int X, int Y);

protected:
    // The name and the text page are drawn by controls, not into Buffer: the
    // snapshot takes them from the screen as it stands.
    const TBitmap* ExitSnapshot() override;

private:
    void LoadPageText(int index);
    TBitmap exitSnapshot_;
};

// The page created last.
extern TwndDetailProfese* wndDetailProfese;

// The detail code of the page loaded last: what the print library receives.
extern ShortString CurrentDetailCode;

// Opens a new detail page for a profession (the town with the full bottom
// bar; the games with back and print only).
void OpenDetailPage(Byte ProfessionNumber, bool WithNavigation);

// The games that open the page with a ReturnTo name register here what back
// does for them (start their next round).
void SetReturnAction(const String& Name, std::function<void()> Action);

// The print library's export: prints the sheet of the profession whose code
// it is given.
using TProfeseProc = void (*)(const ShortString* Code);
