#include "games/UKdoPatriObr.h"

#include "games/DistinctDraw.h"
#include "games/GameCodeLists.h"
#include "platform/media/sound.h"
#include "shell/UDetailProfese.h"

TwndKdoPatriObr* wndKdoPatriObr = nullptr;

namespace {

// What differs between the two games, by Mode (paths under AppDir).
struct TModeFiles {
    const char* Caption;
    const char* Background;
    const char* Scenes;   // + code + "1.bmp" unsolved, "2.bmp" solved
    const char* Figures;  // + code + ".bmp"
    const char* Help;
};
constexpr TModeFiles ModeFiles[2] = {
    {"Velamo - Hry: Kdo sem patří", "hry\\kdopatri\\pozadia.bmp", "hry\\kdopatri\\a_pozadi\\",
     "hry\\kdopatri\\a_postav\\", "vrata"},
    {"Velamo - Hry: Kdo to vyřeší", "hry\\reseni\\pozadi.bmp", "hry\\reseni\\pozadi\\", "hry\\reseni\\postav\\",
     "smolar"},
};
const TModeFiles& FilesOf(Byte Mode) { return ModeFiles[Mode == 1 ? 1 : 0]; }

constexpr const char* ReturnName = "KdoPatriObr";
// Once this many professions have been the right answer, any may be again.
constexpr std::size_t UsedTargetsLimit = 21;
constexpr int SceneX = 6, SceneY = 6;
constexpr int FigureX = 450, FigureY = 70;

}  // namespace

TwndKdoPatriObr::TwndKdoPatriObr(TComponent* AOwner)
    : TScreenFrame(AOwner, {.Caption = ModeFiles[0].Caption, .Menu = TScreenMenu::Games,
                            .StopSoundOnDeactivate = true}) {
    OnCreate = [this](TObject* s) { FormCreate(s); };
    DoCreate();
}

TwndKdoPatriObr::~TwndKdoPatriObr() = default;

void TwndKdoPatriObr::FormCreate(TObject*) {
    Randomize();
    const String arrows = AppDir + "hry\\reseni\\";
    UpArrow = new T3BMPLabel(this, arrows + "up2.bmp", arrows + "up1.bmp", arrows + "up3.bmp", 437, 33, 42, 45);
    UpArrow->Tag = -1;
    DownArrow =
        new T3BMPLabel(this, arrows + "dolu2.bmp", arrows + "dolu1.bmp", arrows + "dolu3.bmp", 436, 352, 43, 46);
    DownArrow->Tag = 1;
    for (T3BMPLabel* arrow : {UpArrow, DownArrow})
        arrow->OnMouseDown = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) {
            BrowseMouseDown(s, b, sh, x, y);
        };
    ChoiceLabel = new TXLabel(this, FigureX, FigureY, 190, 291);
    ChoiceLabel->OnMouseDown = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) {
        ChoiceMouseDown(s, b, sh, x, y);
    };
    for (auto& candidate : Candidates) candidate = std::make_unique<TBitmap>();
    SceneBitmap = std::make_unique<TBitmap>();
    WrongSound = AppDir + "sound\\spatne.wav";
    RightSound = AppDir + "sound\\spravne.wav";
    // The detail page's back button starts the next round of the game that
    // is open then; a game closed meanwhile is left alone.
    SetReturnAction(ReturnName, [] {
        if (wndKdoPatriObr && !wndKdoPatriObr->Closed()) wndKdoPatriObr->NewRound();
    });
}

void TwndKdoPatriObr::Start() {
    const TModeFiles& files = FilesOf(Mode);
    CreateBottomBar({TBarButton::Exit, TBarButton::Games, TBarButton::Simulations, TBarButton::Menu,
                     TBarButton::Help});
    SetCaption(files.Caption);
    Buffer->LoadFromFile(AppDir + files.Background);
    DrawBarButton(TBarButton::Help);
    HelpFile = files.Help;
    NewRound();
}

void TwndKdoPatriObr::NewRound() {
    const TModeFiles& files = FilesOf(Mode);
    TargetSlot = Byte(Random(FigureCount) + 1);
    WrongAnswers = 0;
    // No figure of the round is a former right answer.
    std::set<int> taken = UsedTargets;
    for (int i = 1; i <= FigureCount; ++i) {
        const int p = DrawDistinct(int(std::size(GameCodeList43)), taken);
        const String code = GameCodeList43[p - 1].Code;
        if (i == TargetSlot) {
            UsedTargets.insert(p);
            SceneBitmap->LoadFromFile(AppDir + files.Scenes + code + "1.bmp");
            Buffer->Canvas()->Draw(SceneX, SceneY, SceneBitmap.get());
            SceneBitmap->LoadFromFile(AppDir + files.Scenes + code + "2.bmp");
            if (Mode == 1) {
                PromptSound = AppDir + "hry\\reseni\\zvuky\\" + code + "1.wav";
                SolvedSound = AppDir + "hry\\reseni\\zvuky\\" + code + "2.wav";
            }
            TargetCode = Byte(p);
        }
        Candidates[i]->LoadFromFile(AppDir + files.Figures + code + ".bmp");
    }
    // A round never opens on the right figure.
    ShowFigure(TargetSlot != 1 ? 1 : Random(FigureCount - 1) + 2);
    Repaint();
    if (Mode == 1) PlaySoundFile(PromptSound);
    ResetUsedTargets();
}

void TwndKdoPatriObr::ResetUsedTargets() {
    if (UsedTargets.size() >= UsedTargetsLimit) UsedTargets.clear();
}

void TwndKdoPatriObr::ShowFigure(int Position) {
    Buffer->Canvas()->Draw(FigureX, FigureY, Candidates[Position].get());
    ChoiceLabel->Tag = Position;
}

void TwndKdoPatriObr::BrowseMouseDown(TObject* Sender, TMouseButton, TShiftState, int, int) {
    if (!InFront()) return;
    int next = ChoiceLabel->Tag + static_cast<TComponent*>(Sender)->Tag;
    if (next < 1) next = FigureCount;
    if (next > FigureCount) next = 1;
    ShowFigure(next);
    Repaint();
}

void TwndKdoPatriObr::ChoiceMouseDown(TObject*, TMouseButton, TShiftState, int, int) {
    // In front only: a press of another button while one is held here
    // reaches the figure also under the page that the third wrong choice
    // opened.
    if (!InFront()) return;
    if (ChoiceLabel->Tag == TargetSlot) {
        Buffer->Canvas()->Draw(SceneX, SceneY, SceneBitmap.get());
        Repaint();
        // Synchronous, and a missing file gives the default sound: nothing
        // is handled until it has ended.
        PlaySoundEx(Mode == 1 ? SolvedSound : RightSound, SND_SYNC);
        NewRound();
        return;
    }
    ++WrongAnswers;
    PlaySoundFile(WrongSound);
    if (WrongAnswers == 3) OpenAnswersPage();
}

void TwndKdoPatriObr::OpenAnswersPage() {
    OpenDetailPage(Byte(GameProfessionToDetail(TargetCode)), false);
    TwndDetailProfese* page = wndDetailProfese;
    if (!page) return;
    if (!page->Closed()) {
        page->ReturnTo = ReturnName;
    } else if (!Closed()) {
        // Back was pressed during the page's first pause, before the page
        // knew where to return: the next round starts here instead.
        NewRound();
    }
}
