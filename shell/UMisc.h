// The program's shared unit: picture controls, data roots, sounds, cursors,
// the message-pumping wait, spoken help, strip animation, scripted video and
// the text scrambling.
#pragma once

#include <memory>
#include "platform/ui/ui.h"
#include "shell/UDataRoots.h"
#include "shell/UScramble.h"

// ---------------------------------------------------------------------------
// Picture controls

// Loads a picture button's picture; a file that is missing or unreadable
// leaves the bitmap empty and is not reported.
void LoadButtonPicture(TBitmap* Bitmap, const String& FileName);

// A panel that shows its own bitmap one to one and never erases.
class TXPanel : public TPanel {
public:
    explicit TXPanel(TComponent* AOwner);
    std::unique_ptr<TBitmap> Bitmap;

protected:
    void Paint() override;
    bool WMEraseBkgnd() override { return true; }
};

// A transparent, caption-less hot area with the hand cursor and the events
// OnMouseEnter / OnMouseLeave (only while enabled).
class TXLabel : public TLabel {
public:
    TXLabel(TComponent* AOwner, int ALeft, int ATop, int AWidth, int AHeight);

protected:
    void CMMouseEnter() override;
    void CMMouseLeave() override;
};

// Picture button: hover and normal pictures on the parent form's window, the
// standard enter and click sounds.
class TBMPLabel : public TXLabel {
public:
    TBMPLabel(TComponent* AOwner, const String& HoverFile, const String& NormalFile, int ALeft, int ATop,
              int AWidth, int AHeight);
    std::unique_ptr<TBitmap> HoverBitmap;
    std::unique_ptr<TBitmap> NormalBitmap;
    void Click() override;

protected:
    void CMMouseEnter() override;
    void CMMouseLeave() override;
};

// Picture button with normal, hover and pressed pictures and its own sounds.
class T3BMPLabel : public TXLabel {
public:
    T3BMPLabel(TComponent* AOwner, const String& HoverFile, const String& NormalFile, const String& PressedFile,
               int ALeft, int ATop, int AWidth, int AHeight);
    std::unique_ptr<TBitmap> HoverBitmap;
    std::unique_ptr<TBitmap> NormalBitmap;
    std::unique_ptr<TBitmap> PressedBitmap;
    // Reloads the three pictures in place (hover, normal, pressed), each
    // as LoadButtonPicture does.
    void LoadPictures(const String& HoverFile, const String& NormalFile, const String& PressedFile);
    void Click() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

protected:
    void CMMouseEnter() override;
    void CMMouseLeave() override;
};

// Slider thumb.
class TPosuvnik : public TXPanel {
public:
    using TXPanel::TXPanel;
    bool Dragging = false;
    int GrabX = 0;
    int GrabY = 0;
};

// The program's own screen cursors, loaded by LoadCursors.
constexpr TCursor ArrowCursor = 1;
constexpr TCursor HandCursor = 2;
constexpr TCursor HelpCursor = 3;

// A slider thumb on a screen: its bounds, its picture (a required file),
// the hand cursor, and the screen's SliderMouseDown / Up / Move handlers.
template <class TScreen>
TPosuvnik* CreateSlider(TScreen* Screen, int ALeft, int ATop, int AWidth, int AHeight, const String& PictureFile) {
    auto* slider = new TPosuvnik(Screen);
    slider->SetBounds(ALeft, ATop, AWidth, AHeight);
    slider->Bitmap->LoadFromFile(PictureFile);
    slider->SetCursor(HandCursor);
    slider->OnMouseDown = [Screen](TObject* s, TMouseButton b, TShiftState sh, int x, int y) {
        Screen->SliderMouseDown(s, b, sh, x, y);
    };
    slider->OnMouseUp = [Screen](TObject* s, TMouseButton b, TShiftState sh, int x, int y) {
        Screen->SliderMouseUp(s, b, sh, x, y);
    };
    slider->OnMouseMove = [Screen](TObject* s, TShiftState sh, int x, int y) { Screen->SliderMouseMove(s, sh, x, y); };
    return slider;
}

// Darkens every byte of a 24-bit picture to a third (rounding down) and
// draws Overlay centred over it with magenta as the transparent colour:
// the exit screen's and the message window's background.
void DimAndCentre(TBitmap* Picture, TBitmap* Overlay);

// ---------------------------------------------------------------------------
// Sounds, cursors, waiting, spoken help

extern String ClickSound;
extern String EnterSound;

// ClickSound and EnterSound under AppDir.
void InitSoundPaths();
// The three cursors from "cur\" under AppDir; a file that is missing or
// unreadable gives the standard cursor of its kind.
void LoadCursors();
void InitSoundsAndCursors();

// Waits Ms milliseconds while the message loop goes on (waiting for events,
// not spinning). The end tick wraps like GetTickCount: Delay(0), and a wait
// whose end passes 2^32, end at once without handling anything.
void Delay(DWORD Ms);
// Empty name: stops the sound that plays.
void PlaySoundEx(const String& FileName, DWORD Flags);
// Plays in the background, cutting what plays; an empty name stops it.
void PlaySoundFile(const String& FileName);
// Starts the spoken help on the town window's media player, or stops any
// help that plays.
void ToggleHelp(const String& FileName);
void StopHelp();

// ---------------------------------------------------------------------------
// Animation

extern bool AviPlaying;
extern bool AviStopRequested;

// Copies frame after frame of a horizontal strip to (X, Y) of the window's
// context and then of the Buffer's, each followed by a Sleep of DelayMs (no
// input is handled meanwhile).
void AnimateStrip(HDC DestDC1, HDC DestDC2, HDC SourceDC, int X, int Y, int FrameWidth, int FrameHeight,
                  int FrameCount, int DelayMs);
void AnimateStrip50(HDC DestDC1, HDC DestDC2, HDC SourceDC, int X, int Y, int FrameWidth, int FrameHeight,
                    int FrameCount);
// Plays the script's frames of AviFile on the target form's window (line 0:
// name, line 1: "X,Y", lines 4..: "frame x ms"), the sound (copied to
// DataDir "wavfil.wav"; played from WavFile itself where no copy can be
// made) starting after the first entry. Ignored while a
// video plays; stops at the next entry once AviStopRequested is set or the
// form is hidden. The form is not freed before it returns. A malformed
// script raises EConvertError or EListError; every way out clears
// AviPlaying, shows the pointer again and deletes "wavfil.wav".
void PlayAviScript(TStrings* Script, const String& AviFile, TForm* TargetForm, const String& WavFile);
