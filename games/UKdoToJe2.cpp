#include "games/UKdoToJe2.h"

#include <memory>

#include "games/DistinctDraw.h"
#include "games/GameCodeLists.h"
#include "platform/media/sound.h"

TwndKdoToJe2* wndKdoToJe2 = nullptr;

namespace {
constexpr int CellsTop = 26;
constexpr int SentenceX = 164, SentenceY = 316;
constexpr int MistakeLimit = 3;
constexpr DWORD PauseMs = 1000;  // after a right and a wrong answer
}  // namespace

TwndKdoToJe2::TwndKdoToJe2(TComponent* AOwner) : TNamedAnswerGame(AOwner, "Velamo - Hry: Kdo to je") {
    OnCreate = [this](TObject* s) { FormCreate(s); };
    DoCreate();
}

TwndKdoToJe2::~TwndKdoToJe2() = default;

void TwndKdoToJe2::FormCreate(TObject*) {
    CreateGameScreen("hry\\kdotoje\\pozadib.bmp", "zahrad", "hry\\kdotoje\\b_hlaska.bmp");
    CleanBuffer = std::make_unique<TBitmap>();
    CleanBuffer->Assign(Buffer);
    for (int i = 1; i <= PersonCellCount; ++i) {
        const TRect r = PersonCellBounds(i, CellsTop);
        Cells[i] = new TXLabel(this, r.Left, r.Top, r.Width(), r.Height());
        Cells[i]->OnClick = [this](TObject* s) { CellClick(s); };
    }
    CompletedSentence = std::make_unique<TBitmap>();
    NewRound();
}

void TwndKdoToJe2::NewRound() {
    Buffer->Assign(CleanBuffer.get());
    auto scratch = std::make_unique<TBitmap>();
    const int targetCell = Random(PersonCellCount) + 1;
    std::set<int> drawn;
    for (int i = 1; i <= PersonCellCount; ++i) {
        const int p = DrawDistinct(int(std::size(GameCodeList43)), drawn);
        const String code = GameCodeList43[p - 1].Code;
        if (i == targetCell) {
            TargetCode = Byte(p);
            scratch->LoadFromFile(AppDir + "hry\\kdotoje\\b_vety\\" + code + ".bmp");
            Buffer->Canvas()->Draw(SentenceX, SentenceY, scratch.get());
            CompletedSentence->LoadFromFile(AppDir + "hry\\kdotoje\\b_vety\\" + code + "2.bmp");
        }
        Cells[i]->Tag = p;
        scratch->LoadFromFile(AppDir + "hry\\kdotoje\\b_postav\\" + code + ".bmp");
        CopyIntoArea(Buffer, Cells[i], scratch.get());
    }
    Mistakes = 0;
    Repaint();
}

void TwndKdoToJe2::CellClick(TObject* Sender) {
    if (!InFront()) return;
    // No busy flag: a click during a pause is judged at once.
    if (static_cast<TComponent*>(Sender)->Tag == TargetCode) {
        Buffer->Canvas()->Draw(SentenceX, SentenceY, CompletedSentence.get());
        Repaint();
        // Synchronous: nothing is handled until the sound has ended.
        PlaySoundEx(AppDir + "hry\\kdotoje\\b_zvuky\\" + GameCodeList43[TargetCode - 1].Code + ".wav",
                    SND_NODEFAULT | SND_SYNC);
        if (!Pause(PauseMs)) return;
        NewRound();
        return;
    }
    WrongAnswer(PauseMs, MistakeLimit, "Zahradnik");
}

String TwndKdoToJe2::RightName() const { return GameCodeList43[TargetCode - 1].DisplayName; }
