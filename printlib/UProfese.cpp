#include "printlib/UProfese.h"

#include <memory>

#include "platform/core/strings.h"
#include "platform/print/printer.h"
#include "shell/UDataRoots.h"
#include "shell/UScramble.h"

TwndProfese* wndProfese = nullptr;

namespace {

constexpr int PictureLeft = 16;
constexpr int PictureTop = 18;
constexpr int PictureWidth = 362;
constexpr int PictureHeight = 391;

// The longest beginning of Word that fits the text width (at least one
// character); the rest into Rest.
String CutToWidth(TCanvas* Canvas, const String& Word, String& Rest) {
    std::size_t fits = 0;
    std::size_t pos = 0;
    while (pos < Word.size()) {
        std::size_t next = pos;
        NextCodePoint(Word, next);
        if (fits > 0 && Canvas->TextWidth(Word.substr(0, next)) > TextWidthPx) break;
        fits = next;
        pos = next;
    }
    Rest = Word.substr(fits);
    return Word.substr(0, fits);
}

}  // namespace

TwndProfese::TwndProfese(TComponent* AOwner) : TForm(AOwner) {
    Report = new TQuickRep(this);
    Report->PrinterSettings.Copies = 1;
    Report->PrintIfEmpty = true;
    Report->OnNeedData = [this](TObject* Sender, bool& MoreData) { ReportNeedData(Sender, MoreData); };

    Detail = new TQRBand(this);
    Detail->SetParent(Report);
    Detail->BandType = rbDetail;
    Detail->Color = clWhite;
    Detail->SetBounds(38, 38, 718, 1048);

    imgPozadi = new TQRImage(this);
    imgPozadi->SetParent(Detail);
    imgPozadi->SetBounds(16, 8, 680, 1000);

    imgObr = new TQRImage(this);
    imgObr->SetParent(Detail);
    imgObr->SetBounds(184, 166, 362, 391);

    PrintDialog = new TPrintDialog(this);

    OnCreate = [this](TObject* Sender) { FormCreate(Sender); };
    OnDestroy = [this](TObject* Sender) { FormDestroy(Sender); };
    DoCreate();
}

void TwndProfese::FormCreate(TObject*) { TextLines = std::make_unique<TStringList>(); }

void TwndProfese::FormDestroy(TObject*) {
    TextLines.reset();
}

void TwndProfese::ReportNeedData(TObject*, bool& MoreData) {
    MoreData = !Done;
    Done = true;
}

void TwndProfese::DrawTitle(const String& ATitle) {
    TCanvas* canvas = imgPozadi->Canvas();
    canvas->Font.SetSize(18);
    canvas->Font.Name = "Arial";
    canvas->Font.Style |= fsBold;
    canvas->Brush.Style = TBrushStyle::bsClear;
    canvas->TextOut(40, 578, ATitle);
}

void TwndProfese::LayoutText() {
    TCanvas* canvas = imgPozadi->Canvas();
    canvas->Font.SetSize(11);
    canvas->Font.Name = "Arial";
    canvas->Font.Style &= TFontStyles(~fsBold);
    canvas->Brush.Style = TBrushStyle::bsClear;

    auto input = std::make_unique<TFrontaString>();
    auto lineWords = std::make_unique<TFrontaString>();
    int y = TextTop;
    for (const String& paragraph : TextLines->Items()) {
        input->Clear();
        SplitWords(paragraph, input.get());
        String word;
        while (input->Count() > 0) {
            if (LineWidth(canvas, lineWords.get()) < TextWidthPx) {
                if (canvas->TextWidth(input->First->Text) > TextWidthPx) {
                    // A word wider than the text can neither share a line
                    // nor fill one: the line so far is closed, then the
                    // word's longest beginning that fits takes a line of its
                    // own and the rest goes on as the next word. A closed
                    // line is justified as any full line.
                    if (lineWords->Count() == 0) {
                        input->Pop(word);
                        String rest;
                        lineWords->Push(CutToWidth(canvas, word, rest));
                        input->PushFirst(rest);
                    }
                    DrawLine(canvas, lineWords.get(), y, TextWidthPx, true);
                    y += LineAdvance(canvas);
                    lineWords->Clear();
                    continue;
                }
                input->Pop(word);
                lineWords->Push(word);
            } else {
                // A line of one word is as full as it gets: it stays, so the
                // layout always moves on.
                if (lineWords->Count() > 1) {
                    lineWords->PopLast(word);
                    input->PushFirst(word);
                }
                DrawLine(canvas, lineWords.get(), y, TextWidthPx, true);
                y += LineAdvance(canvas);
                lineWords->Clear();
            }
        }
        DrawLine(canvas, lineWords.get(), y, TextWidthPx, false);
        y += LineAdvance(canvas);
        lineWords->Clear();
    }
}

void ReadPrintSection(const TStrings& Lines, const String& Code, String& Title, TStrings& Paragraphs) {
    Title.clear();
    Paragraphs.Clear();
    const int key = FindSection(Lines, Code);
    if (key < 0) return;
    const int titleLine = key + 1;
    if (titleLine < Lines.Count()) Title = Lines[titleLine];
    for (int i = titleLine + 1; i < Lines.Count() && Lines[i].rfind('[', 0) != 0; ++i) Paragraphs.Add(Lines[i]);
}

void LoadPrintText(const String& Code) {
    TStringList lines;
    LoadScrambledText(DataDir + "profese_.dat", lines);
    ReadPrintSection(lines, Code, wndProfese->Title, *wndProfese->TextLines);
}

void PrintProfession(const String& Code, TComponent* Owner) {
    wndProfese = new TwndProfese(Owner);
    wndProfese->BindGlobal(wndProfese);
    struct FreeForm {
        ~FreeForm() { FreeAndNil(wndProfese); }
    } freeForm;

    LoadPrintText(Code);

    auto picture = std::make_unique<TBitmap>();
    picture->LoadFromFile(AppDir + "detaily\\" + Code + ".bmp");
    BitBlt(wndProfese->imgObr->Canvas()->Handle(), 0, 0, PictureWidth, PictureHeight, picture->Canvas()->Handle(),
           PictureLeft, PictureTop, SRCCOPY);
    picture->LoadFromFile(AppDir + "prnbckg.bmp");
    wndProfese->imgPozadi->Picture()->Bitmap()->Assign(picture.get());
    picture.reset();

    wndProfese->DrawTitle(wndProfese->Title);
    wndProfese->LayoutText();

    if (wndProfese->PrintDialog->Execute()) {
        wndProfese->Report->PrinterSettings.PrinterIndex = Printer()->PrinterIndex();
        wndProfese->Report->PrinterSettings.Copies = wndProfese->PrintDialog->Copies();
        wndProfese->Report->ReportTitle = wndProfese->Title;  // the job's and the PDF file's name
        wndProfese->Report->Print();
    }
}
