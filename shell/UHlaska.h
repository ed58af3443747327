// The message window that ends a round of a game or simulation: the asking
// screen's picture darkened, a message picture centred on it, one or two
// picture buttons, for some games a line of text, and a sound. Which screen
// asked, and so what it plays and what its buttons do, is told by the
// GameMessageId.
#pragma once

#include <memory>

#include "shell/UMisc.h"

// A screen that ends its rounds through the message window. The window
// reaches it only through this interface, so a new screen adds no code to
// the window. Freeing the screen detaches it from the window.
class THlaskaScreen {
public:
    THlaskaScreen() = default;
    THlaskaScreen(const THlaskaScreen&) = delete;
    THlaskaScreen& operator=(const THlaskaScreen&) = delete;
    virtual ~THlaskaScreen();

    // The first button: a new round (NewRound, NewGame or StartFireGame)
    // while the screen stays shown below the window.
    virtual void StartNewRound() = 0;
    // The second button: close the screen and show its menu.
    virtual void CloseAndShowMenu() = 0;

    // Full path of the sound the window plays for the ids whose sound is
    // the screen's own; set before each message.
    String HlaskaSound;
};

enum class THlaskaButtons {
    PokKonec,  // again / end
    AnoNe,     // yes / no
    OkOnly,    // a single confirmation
};

// One row of the table of GameMessageIds.
struct THlaskaEntry {
    const char* Id;
    // Relative to AppDir; nullptr: the asking screen's HlaskaSound.
    const char* Sound;
    THlaskaButtons Buttons;
    // The text line shows the caller's caption (the right answer's name).
    bool ShowsText;
};

// The entry of an id (exact, case-sensitive), or nullptr.
const THlaskaEntry* FindHlaskaEntry(const String& Id);
// All 13 entries.
const THlaskaEntry* HlaskaEntries(int& Count);

class TwndHlaska : public TForm {
public:
    explicit TwndHlaska(TComponent* AOwner);

    // The text line; shown only for the ids that show the right answer.
    TLabel* Text = nullptr;
    std::unique_ptr<TBitmap> Buffer;
    std::unique_ptr<TBitmap> MessageBitmap;
    T3BMPLabel* YesButton = nullptr;
    T3BMPLabel* NoButton = nullptr;
    String GameMessageId;
    // The screen that asked; cleared when it is freed.
    THlaskaScreen* Asker = nullptr;

    // Darkens Buffer to a third, draws MessageBitmap centred over it
    // (magenta transparent) and hides both buttons and the text.
    void DimAndOverlay();

    void FormCreate(TObject* Sender);
    void FormDestroy(TObject* Sender);
    void FormShow(TObject* Sender);
    void FormClose(TObject* Sender, TCloseAction& Action);
    void FormPaint(TObject* Sender);
    void YesClick(TObject* Sender);
    void NoClick(TObject* Sender);

protected:
    bool WMEraseBkgnd() override { return true; }

private:
    void Answer(bool Yes);
    // A button's answer is being carried out (its pause runs): a second
    // press meanwhile is ignored.
    bool answering_ = false;
};

extern TwndHlaska* wndHlaska;

// What every asking screen does at the end of a round: the message of `Id`
// over the screen's 640x480 24-bit picture, with the message picture, the
// buttons of the id and, for the ids that show text, Caption. The asker's
// HlaskaSound is set before for the ids whose sound is the screen's own.
// An id that is not in the table shows nothing.
void ShowGameMessage(const String& Id, THlaskaScreen* Asker, const TBitmap* Snapshot, const TBitmap* Message,
                     const String& Caption = String());
