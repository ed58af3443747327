#include "shell/UDetailProfese.h"

#include <cstring>
#include <map>

#include "platform/core/strings.h"
#include "platform/sys/windows.h"
#include "shell/UKonec.h"
#include "shell/UVelamo.h"

TwndDetailProfese* wndDetailProfese = nullptr;
ShortString CurrentDetailCode;

namespace {

// The page slider runs between the arrows: top 64 on the first page, 364 on
// the last.
constexpr int SliderFirstTop = 64;
constexpr int SliderLastTop = 364;
constexpr int SliderTrack = 300;
constexpr int SliderMaxDragTop = 363;

std::map<String, std::function<void()>>& ReturnActions() {
    static std::map<String, std::function<void()>> actions;
    return actions;
}

void SetShortString(ShortString& target, const String& utf8) {
    std::string bytes = Utf8ToCp1250(utf8);
    if (bytes.size() > sizeof target.Chars) bytes.resize(sizeof target.Chars);
    target.Length = Byte(bytes.size());
    std::memcpy(target.Chars, bytes.data(), bytes.size());
}

}  // namespace

void SetReturnAction(const String& Name, std::function<void()> Action) { ReturnActions()[Name] = std::move(Action); }

void OpenDetailPage(Byte ProfessionNumber, bool WithNavigation) {
    auto* page = new TwndDetailProfese(nullptr);
    page->BindGlobal(wndDetailProfese);
    page->ShowProfession(ProfessionNumber, WithNavigation);
}

TwndDetailProfese::TwndDetailProfese(TComponent* AOwner)
    : TScreenFrame(AOwner, {.Caption = "Detail profese", .StopSoundOnDeactivate = true}) {

    lbNazev = new TLabel(this);
    lbNazev->SetParent(this);
    lbNazev->SetAutoSize(false);
    lbNazev->SetBounds(416, 24, 217, 25);
    lbNazev->SetAlignment(taCenter);
    lbNazev->SetTransparent(true);
    lbNazev->Font()->Name = "Verdana";
    lbNazev->Font()->Style = fsBold;
    lbNazev->Font()->SetHeight(-19);
    lbNazev->SetCaption("lbNazev");

    Cil = new TLabel(this);
    Cil->SetParent(this);
    Cil->SetAutoSize(false);
    Cil->SetBounds(40, 40, 313, 345);
    Cil->SetTransparent(true);
    Cil->OnClick = [this](TObject* s) { CilClick(s); };

    Popis = new TRichEdit(this);
    Popis->SetParent(this);
    Popis->SetBounds(407, 51, 224, 337);
    Popis->SetBorderStyle(bsNone);
    Popis->SetReadOnly(true);
    Popis->SetColor(0xF7FFCE);
    Popis->SetTabOrder(0);
    Popis->SetText("Popis");
    Popis->OnEnter = [this](TObject* s) { PopisEnter(s); };

    edKurzor = new TEdit(this);
    edKurzor->SetParent(this);
    edKurzor->SetBounds(464, 424, 0, 21);
    edKurzor->SetTabOrder(1);

    Timer = new TTimer(this);
    Timer->SetEnabled(false);
    Timer->OnTimer = [this](TObject* s) { TimerTimer(s); };

    OnCreate = [this](TObject* s) { FormCreate(s); };
    OnDestroy = [this](TObject* s) { FormDestroy(s); };
    DoCreate();
}

void TwndDetailProfese::FormCreate(TObject*) {
    Cil->SetCursor(HandCursor);

    ScriptLines = std::make_unique<TStringList>();
    TextLines = std::make_unique<TStringList>();
    LoadScrambledText(DataDir + "profese.dat", *TextLines);

    BarPicture = std::make_unique<TBitmap>();
    BarPicture->LoadFromFile(AppDir + "detaily\\lista.bmp");

    CreateBottomBar({TBarButton::Exit, TBarButton::Games, TBarButton::Simulations, TBarButton::Menu,
                     TBarButton::Print, TBarButton::Back});

    Popis->SetCursor(ArrowCursor);

    auto arrow = [this](const char* name, int top, int tag) {
        auto* a = new T3BMPLabel(this, AppDir + "detaily\\" + name + "2.bmp", AppDir + "detaily\\" + name + "1.bmp",
                                 AppDir + "detaily\\" + name + "3.bmp", 390, top, 12, 17);
        a->Tag = tag;
        a->OnMouseDown = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) {
            ArrowMouseDown(s, b, sh, x, y);
        };
        return a;
    };
    UpArrow = arrow("up", 46, -1);
    DownArrow = arrow("dolu", 378, 1);

    Slider = CreateSlider(this, 392, 64, 8, 12, AppDir + "detaily\\posuv.bmp");
}

void TwndDetailProfese::FormDestroy(TObject*) {
    ScriptLines.reset();
    TextLines.reset();
    BarPicture.reset();
}

void TwndDetailProfese::PopisEnter(TObject*) { edKurzor->SetFocus(); }

void TwndDetailProfese::ShowProfession(Byte ProfessionNumber, bool WithNavigation) {
    const String code = DetailCodeFor(ProfessionNumber);
    if (code.empty()) return;
    // The first page's pause runs the loop inside the caller's handler: the
    // page may be closed meanwhile and must live until this returns.
    TApplication::BusyScope keepAlive(this);

    Buffer->LoadFromFile(AppDir + "detaily\\" + code + ".bmp");
    ScriptLines->LoadFromFile(AppDir + "detaily\\" + code + ".dat");

    for (TBarButton b : {TBarButton::Exit, TBarButton::Games, TBarButton::Menu, TBarButton::Simulations})
        BarButton(b)->SetVisible(WithNavigation);
    BarButton(TBarButton::Back)->SetVisible(!WithNavigation);
    if (!WithNavigation) Buffer->Canvas()->Draw(0, 421, BarPicture.get());

    // The page is shown before its spoken description starts: showing it
    // deactivates the screen below, and the games stop their sound when they
    // are deactivated. The first text page is put in beforehand, so the page
    // appears whole.
    LoadProfessionText(code);
    LoadPageText(0);
    Show();

    PlaySoundFile(SpokenTextFile);
    AutoAdvance = true;
    ShowPage();
}

void TwndDetailProfese::LoadProfessionText(const String& Code) {
    SetShortString(CurrentDetailCode, Code);
    TProfessionSection section = ReadProfessionSection(*TextLines, Code);
    if (section.Found) {
        lbNazev->Font()->SetSize(Code == "muzikant" ? 13 : 14);
        lbNazev->SetCaption(section.Name);
    }
    Pages = std::move(section.Pages);
    SpokenTextFile = AppDir + "detaily\\zvuky\\" + Code + ".wav";
    PageIndex = 0;
}

void TwndDetailProfese::LoadPageText(int index) {
    if (index < 0 || index >= int(Pages.size())) return;
    Popis->LoadRichText(Utf8ToCp1250(PageRichText(Pages[std::size_t(index)].Text)));
}

void TwndDetailProfese::ShowPage() {
    if (PageIndex < 0 || PageIndex >= int(Pages.size())) return;

    // The text is built before the pause; what follows uses the page index
    // as it is after the pause (a tick or an arrow may have turned it).
    const std::string rich = Utf8ToCp1250(PageRichText(Pages[std::size_t(PageIndex)].Text));
    Delay(100);
    Popis->LoadRichText(rich);

    const int count = int(Pages.size());
    const bool last = PageIndex >= count - 1;
    if (!last && PageIndex >= 0) {
        const int next = Pages[std::size_t(PageIndex + 1)].StartTime;
        Timer->SetInterval(next - LastStartTime);
        LastStartTime = next;
    } else {
        Timer->SetEnabled(false);
    }

    int top;
    if (PageIndex == 0) {
        top = SliderFirstTop;
    } else if (PageIndex == count - 1) {
        top = SliderLastTop;
    } else {
        top = (SliderTrack / count) * (PageIndex + 1) + 32;
    }
    Slider->SetTop(top);
    Slider->Repaint();

    if (AutoAdvance && !last) Timer->SetEnabled(true);
}

void TwndDetailProfese::TimerTimer(TObject*) {
    if (PageIndex < int(Pages.size())) {
        ++PageIndex;
        ShowPage();
    } else {
        Timer->SetEnabled(false);
        --PageIndex;
    }
}

void TwndDetailProfese::ArrowMouseDown(TObject* Sender, TMouseButton, TShiftState, int, int) {
    PageIndex += static_cast<TComponent*>(Sender)->Tag;
    AutoAdvance = false;
    Timer->SetEnabled(false);
    const int count = int(Pages.size());
    if (PageIndex < 0) PageIndex = 0;
    if (PageIndex >= count) PageIndex = count - 1;
    ShowPage();
}

void TwndDetailProfese::SliderMouseDown(TObject*, TMouseButton, TShiftState, int, int Y) {
    Slider->Dragging = true;
    Slider->GrabY = Y;
    AutoAdvance = false;
}

void TwndDetailProfese::SliderMouseUp(TObject*, TMouseButton, TShiftState, int, int) { Slider->Dragging = false; }

void TwndDetailProfese::SliderMouseMove(TObject*, TShiftState, int, int Y) {
    if (!Slider->Dragging) return;
    const int newTop = Slider->Top() + (Y - Slider->GrabY);
    const int count = int(Pages.size());
    if (newTop >= SliderFirstTop && newTop <= SliderMaxDragTop && count >= 1 && count <= SliderTrack) {
        PageIndex = (newTop - SliderFirstTop) / (SliderTrack / count);
    }
    ShowPage();
}

void TwndDetailProfese::CilClick(TObject*) {
    const String base = ScriptLines->Count() > 0 ? ScriptLines->Get(0) : String();
    PlayAviScript(ScriptLines.get(), AppDir + "detaily\\" + base + ".avi", this, AppDir + "detaily\\" + base + ".wav");
}

const TBitmap* TwndDetailProfese::ExitSnapshot() {
    exitSnapshot_.Assign(Buffer);
    TCanvas* screen = Screen->Canvas();
    for (const TRect& r : {Bounds(416, 24, 217, 25), Bounds(407, 52, 224, 334)}) {
        exitSnapshot_.Canvas()->CopyRect(r, screen, r);
    }
    return &exitSnapshot_;
}

void TwndDetailProfese::BackClick(TObject*) {
    // The page goes first (it is freed once this handler has returned): its
    // deactivation stops the short sound, which must not cut what the
    // game's next round starts (the prompt of "Kdo to vyřeší").
    const String returnTo = ReturnTo;
    ReturnTo.clear();
    Close();
    auto action = ReturnActions().find(returnTo);
    if (!returnTo.empty() && action != ReturnActions().end() && action->second) action->second();
}

void TwndDetailProfese::PrintProfession(TObject*) {
    HMODULE library = LoadLibraryA((AppDir + "Tisk.dll").c_str());
    if (!library) {
        Application->MessageBox("Nebyla nalezena tisková knihovna \"Tisk.dll\".", "Velamo", MB_ICONERROR);
        return;
    }
    try {
        if (auto profese = reinterpret_cast<TProfeseProc>(GetProcAddress(library, "Profese"))) {
            profese(&CurrentDetailCode);
        }
        BringToFront();
        Repaint();
    } catch (...) {
        FreeLibrary(library);
        throw;
    }
    FreeLibrary(library);
}
