#include "simulations/UTabulka.h"

#include <filesystem>
#include <utility>

#include "platform/core/files.h"
#include "platform/core/strings.h"
#include "platform/sys/registry.h"
#include "simulations/USimulaceHasic.h"

TwndTabulka* wndTabulka = nullptr;

namespace {

constexpr TColor NameMissingColour = 15395839;  // light red
constexpr TColor NameGivenColour = 14876387;    // light green

void SetTableFont(TControl* Control) {
    Control->Font()->Name = "Tahoma";
    Control->Font()->Style = fsBold;
    Control->Font()->SetHeight(-15);
    Control->Font()->Color = clWindowText;
}

TLabel* NewRowLabel(TwndTabulka* Form, int Left, int Top, int Width, TAlignment Alignment) {
    auto* label = new TLabel(Form);
    label->SetParent(Form);
    label->SetAutoSize(false);
    label->SetBounds(Left, Top, Width, 18);
    label->SetTransparent(true);
    label->SetAlignment(Alignment);
    SetTableFont(label);
    return label;
}

}  // namespace

TwndTabulka::TwndTabulka(TComponent* AOwner)
    : TScreenFrame(AOwner, {.Caption = "Velamo - Tabulka", .CloseAction = caHide, .StopSoundOnDeactivate = true}) {
    for (int r = 1; r <= BestTimesRows; ++r) {
        const int top = 84 + 24 * (r - 1);
        Rows[r].Cislo = NewRowLabel(this, 128, top, 28, taRightJustify);
        Rows[r].Jmeno = NewRowLabel(this, 160, top, 257, taLeftJustify);
        Rows[r].Cas = NewRowLabel(this, 424, top, 89, taCenter);
    }
    Jmeno = new TEdit(this);
    Jmeno->SetParent(this);
    Jmeno->SetBounds(160, 328, 257, 21);
    Jmeno->SetBorderStyle(bsNone);
    Jmeno->SetColor(NameMissingColour);
    SetTableFont(Jmeno);
    Jmeno->Hide();
    Jmeno->OnChange = [this](TObject* s) { JmenoChange(s); };
    Jmeno->OnKeyDown = [this](TObject* s, Word& k, TShiftState sh) { JmenoKeyDown(s, k, sh); };
    Jmeno->OnKeyPress = [this](TObject* s, char32_t& k) { JmenoKeyPress(s, k); };
    OnCreate = [this](TObject* s) { FormCreate(s); };
    OnDestroy = [this](TObject* s) { FormDestroy(s); };
    DoCreate();
}

void TwndTabulka::FormDestroy(TObject*) {
    if (!RecordUnsaved) return;
    // The name as the edit holds it, as the back button takes it.
    if (NewRow != 0) TableRow[NewRow].Name = Jmeno->Text();
    try {
        SaveTable();
    } catch (const Exception&) {
        // Nothing is left to tell it on.
    }
}

void TwndTabulka::FormCreate(TObject*) {
    Buffer->LoadFromFile(AppDir + "simul\\hasic\\tabulka.bmp");
    CreateBottomBar({TBarButton::Back});
    LoadTable();
}

void TwndTabulka::LoadTable() {
    TRegistry registry;
    registry.RootKey = HKEY_LOCAL_MACHINE;
    BestTimesFolder.clear();
    if (registry.OpenKeyReadOnly("\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders"))
        BestTimesFolder = registry.ReadString("Common AppData");
    TableRow = {};
    try {
        const std::vector<TTableRow> rows = ReadBestTimes(FileName());
        for (std::size_t i = 0; i < rows.size(); ++i) TableRow[i + 1] = rows[i];
    } catch (const Exception&) {
        // A missing or unreadable file: an empty table.
    }
}

void TwndTabulka::SaveTable() {
    // The folder is made when it is first read; made again if it went away
    // meanwhile, so that the record is not lost with it.
    if (!BestTimesFolder.empty() && !DirectoryExists(BestTimesFolder)) {
        const String folder = ResolvePath(BestTimesFolder);
        std::error_code ignored;
        std::filesystem::create_directories(folder, ignored);
        NoteFileSystemChange(folder);
    }
    ReplaceFileAtomically(FileName(), FormatBestTimes(std::span<const TTableRow, BestTimesRows>(&TableRow[1], 10)));
    RecordUnsaved = false;
}

void TwndTabulka::SortAndShowRows() {
    // Exchange sort, longest time first; row 11 is followed to where it
    // lands, so the edit opens there and nowhere else.
    int fromRow11 = BestTimesRows + 1;
    for (int i = 1; i <= BestTimesRows; ++i)
        for (int j = i + 1; j <= BestTimesRows + 1; ++j)
            if (TableRow[i].Time < TableRow[j].Time) {
                std::swap(TableRow[i], TableRow[j]);
                if (fromRow11 == i) fromRow11 = j;
                else if (fromRow11 == j) fromRow11 = i;
            }
    NewRow = fromRow11 <= BestTimesRows && TableRow[fromRow11].Name == NewEntryMarker ? Byte(fromRow11) : 0;
    for (int r = 1; r <= BestTimesRows; ++r) ShowRow(r);
    if (NewRow == 0) return;
    RecordUnsaved = true;
    const TLabel* name = Rows[NewRow].Jmeno;
    Jmeno->SetBounds(name->Left(), name->Top() - 1, Jmeno->Width(), Jmeno->Height());
    Jmeno->SetText("");
    Jmeno->Show();
    SetActiveControl(Jmeno);
}

void TwndTabulka::ShowRow(int Row) {
    const TRowLabels& labels = Rows[Row];
    const TTableRow& row = TableRow[Row];
    const bool filled = row.Time != 0;
    if (filled) {
        labels.Cislo->SetCaption(IntToStr(Row) + ".");
        labels.Jmeno->SetCaption(Row == NewRow ? String() : row.Name);
        labels.Cas->SetCaption(FormatTime(row.Time));
    }
    for (TLabel* label : {labels.Cislo, labels.Jmeno, labels.Cas}) label->SetVisible(filled);
}

void TwndTabulka::JmenoChange(TObject*) {
    if (NewRow != 0) TableRow[NewRow].Name = Jmeno->Text();
    Jmeno->SetColor(Trim(Jmeno->Text()).empty() ? NameMissingColour : NameGivenColour);
}

void TwndTabulka::JmenoKeyDown(TObject*, Word& Key, TShiftState) {
    if (Key != VK_RETURN) return;
    Key = 0;
    if (NewRow == 0) return;
    TableRow[NewRow].Name = Jmeno->Text();
    Rows[NewRow].Jmeno->SetCaption(Jmeno->Text());
    Rows[NewRow].Jmeno->Show();
    Jmeno->Hide();
}

void TwndTabulka::JmenoKeyPress(TObject*, char32_t& Key) {
    // "|" ends the name in the file: it cannot be part of one.
    if (!IsNameCharacter(Key)) Key = 0;
}

void TwndTabulka::TableBackClick(TObject*) {
    if (NewRow != 0) TableRow[NewRow].Name = Jmeno->Text();
    TwndSimulaceHasic* firefighter = wndSimulaceHasic;
    if (firefighter) {
        // The rows as they stand on the screen, frozen into the picture.
        TBitmap picture;
        picture.Assign(Buffer);
        TCanvas* screen = Screen->Canvas();
        for (int r = 1; r <= BestTimesRows; ++r) {
            if (TableRow[r].Time == 0) continue;
            for (const TLabel* label : {Rows[r].Cislo, Rows[r].Jmeno, Rows[r].Cas}) {
                const TRect area = label->BoundsRect();
                const TPoint at = ClientToScreen({area.Left, area.Top});
                picture.Canvas()->CopyRect(area, screen, Bounds(at.X, at.Y, area.Width(), area.Height()));
            }
        }
        ::ShowGameMessage("Tabulka", firefighter, &picture, firefighter->MessagePicture.get());
    }
    Close();
}

void TwndTabulka::FormClose(TObject* Sender, TCloseAction& Action) {
    TScreenFrame::FormClose(Sender, Action);
    SaveTable();
}
