#include "shell/UMisc.h"

#include <utility>
#include <vector>

#include "platform/core/files.h"
#include "platform/core/strings.h"
#include "platform/media/cursor.h"
#include "platform/media/sound.h"
#include "platform/media/video.h"
#include "platform/sys/windows.h"
#include "shell/AviScript.h"
#include "shell/UVelamo.h"

// Button sounds: asynchronous, no default sound, dropped while another
// sound plays, so that a button never cuts a spoken text.
constexpr DWORD ButtonSoundFlags = SND_ASYNC | SND_NODEFAULT | SND_NOSTOP;

// ---------------------------------------------------------------------------
// Picture controls

namespace {

TWinControl* ParentWindow(TComponent* AOwner) { return dynamic_cast<TWinControl*>(AOwner); }

// Copies a button picture straight onto the parent form's window at the
// label's bounds; the form's Buffer is left alone, so a repaint removes it.
void DrawOnParent(TControl* Label, TBitmap* Picture) {
    if (Picture->Empty() || !Label->Parent()) return;
    BitBlt(Label->Parent()->WindowCanvas(), Label->Left(), Label->Top(), Label->Width(), Label->Height(),
           Picture->Canvas(), 0, 0, SRCCOPY);
}

}  // namespace

void LoadButtonPicture(TBitmap* Bitmap, const String& FileName) {
    try {
        Bitmap->LoadFromFile(FileName);
    } catch (...) {
        Bitmap->Assign(nullptr);
    }
}

TXPanel::TXPanel(TComponent* AOwner) : TPanel(AOwner), Bitmap(std::make_unique<TBitmap>()) {
    SetParent(ParentWindow(AOwner));
}

void TXPanel::Paint() { BitBlt(Canvas(), 0, 0, Width(), Height(), Bitmap->Canvas(), 0, 0, SRCCOPY); }

TXLabel::TXLabel(TComponent* AOwner, int ALeft, int ATop, int AWidth, int AHeight) : TLabel(AOwner) {
    SetParent(ParentWindow(AOwner));
    SetAutoSize(false);
    SetTransparent(true);
    SetCursor(HandCursor);
    SetBounds(ALeft, ATop, AWidth, AHeight);
}

void TXLabel::CMMouseEnter() {
    if (Enabled() && OnMouseEnter) OnMouseEnter(this);
}

void TXLabel::CMMouseLeave() {
    if (Enabled() && OnMouseLeave) OnMouseLeave(this);
}

TBMPLabel::TBMPLabel(TComponent* AOwner, const String& HoverFile, const String& NormalFile, int ALeft, int ATop,
                     int AWidth, int AHeight)
    : TXLabel(AOwner, ALeft, ATop, AWidth, AHeight), HoverBitmap(std::make_unique<TBitmap>()),
      NormalBitmap(std::make_unique<TBitmap>()) {
    LoadButtonPicture(HoverBitmap.get(), HoverFile);
    LoadButtonPicture(NormalBitmap.get(), NormalFile);
}

void TBMPLabel::CMMouseEnter() {
    if (!Enabled()) return;
    DrawOnParent(this, HoverBitmap.get());
    PlaySoundEx(EnterSound, ButtonSoundFlags);
    TXLabel::CMMouseEnter();
}

void TBMPLabel::CMMouseLeave() {
    if (!Enabled()) return;
    DrawOnParent(this, NormalBitmap.get());
    TXLabel::CMMouseLeave();
}

void TBMPLabel::Click() {
    PlaySoundEx(ClickSound, ButtonSoundFlags);
    TXLabel::Click();
}

T3BMPLabel::T3BMPLabel(TComponent* AOwner, const String& HoverFile, const String& NormalFile,
                       const String& PressedFile, int ALeft, int ATop, int AWidth, int AHeight)
    : TXLabel(AOwner, ALeft, ATop, AWidth, AHeight),
      HoverBitmap(std::make_unique<TBitmap>()),
      NormalBitmap(std::make_unique<TBitmap>()),
      PressedBitmap(std::make_unique<TBitmap>()) {
    LoadPictures(HoverFile, NormalFile, PressedFile);
}

void T3BMPLabel::LoadPictures(const String& HoverFile, const String& NormalFile, const String& PressedFile) {
    LoadButtonPicture(HoverBitmap.get(), HoverFile);
    LoadButtonPicture(NormalBitmap.get(), NormalFile);
    LoadButtonPicture(PressedBitmap.get(), PressedFile);
}

void T3BMPLabel::CMMouseEnter() {
    if (!Enabled()) return;
    DrawOnParent(this, HoverBitmap.get());
    PlaySoundEx(AppDir + "sound\\enter1.wav", ButtonSoundFlags);
    TXLabel::CMMouseEnter();
}

void T3BMPLabel::CMMouseLeave() {
    if (!Enabled()) return;
    DrawOnParent(this, NormalBitmap.get());
    TXLabel::CMMouseLeave();
}

void T3BMPLabel::Click() {
    PlaySoundEx(AppDir + "sound\\click1.wav", ButtonSoundFlags);
    TXLabel::Click();
}

void T3BMPLabel::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (!Enabled()) return;
    TXLabel::MouseDown(Button, Shift, X, Y);
    DrawOnParent(this, PressedBitmap.get());
}

void T3BMPLabel::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (!Enabled()) return;
    TXLabel::MouseUp(Button, Shift, X, Y);
    DrawOnParent(this, HoverBitmap.get());
}

void DimAndCentre(TBitmap* Picture, TBitmap* Overlay) {
    for (int y = 0; y < Picture->Height(); ++y) {
        Byte* row = Picture->ScanLine(y);
        for (int i = 0; i < 3 * Picture->Width(); ++i) row[i] = Byte(row[i] / 3);
    }
    Overlay->Transparent = true;
    Overlay->TransparentColor = clFuchsia;
    Picture->Canvas()->Draw((Picture->Width() - Overlay->Width()) / 2, (Picture->Height() - Overlay->Height()) / 2,
                            Overlay);
}

// ---------------------------------------------------------------------------
// Sounds, cursors, waiting, spoken help

String ClickSound;
String EnterSound;

void InitSoundPaths() {
    ClickSound = AppDir + "sound\\click.wav";
    EnterSound = AppDir + "sound\\enter.wav";
}

void LoadCursors() {
    struct CustomCursor {
        TCursor Index;
        const char* File;
        TCursor Standard;
    };
    static constexpr CustomCursor Table[] = {
        {ArrowCursor, "cur\\arrow.cur", crArrow},
        {HandCursor, "cur\\hand.cur", crHandPoint},
        {HelpCursor, "cur\\help.cur", crHelp},
    };
    for (const CustomCursor& c : Table) {
        const String file = AppDir + c.File;
        // A file that exists but cannot be read also takes the standard
        // cursor rather than leaving the index without one.
        HCURSOR loaded = FileAge(file) == -1 ? nullptr : LoadCursorFromFileA(file.c_str());
        Screen->SetCursors(c.Index, loaded ? loaded : Screen->Cursors(c.Standard));
    }
}

void InitSoundsAndCursors() {
    InitSoundPaths();
    LoadCursors();
}

void Delay(DWORD Ms) {
    // The end tick wraps like the clock: an end that passed 2^32 is below
    // the current tick, so that wait ends at once, as does Delay(0).
    const DWORD End = GetTickCount() + Ms;
    Application->WaitUntil(End);
}

void PlaySoundEx(const String& FileName, DWORD Flags) {
    if (FileName.empty())
        sndPlaySoundA(nullptr, SND_ASYNC | SND_NODEFAULT);
    else
        sndPlaySoundA(FileName.c_str(), Flags);
}

void PlaySoundFile(const String& FileName) { PlaySoundEx(FileName, SND_ASYNC | SND_NODEFAULT); }

namespace {

// The program's one media player: the town window's. Null while there is
// no town window (before start-up made it, or in tests without it).
TMediaPlayer* HelpPlayer() { return wndVelamo ? wndVelamo->Prehravac : nullptr; }

}  // namespace

void ToggleHelp(const String& FileName) {
    TMediaPlayer* Prehravac = HelpPlayer();
    if (!Prehravac) return;
    if (Prehravac->Mode() != mpPlaying) {
        Prehravac->FileName = FileName;
        Prehravac->Open();
        Prehravac->Play();
    } else {
        Prehravac->Stop();
    }
}

void StopHelp() {
    TMediaPlayer* Prehravac = HelpPlayer();
    if (Prehravac && Prehravac->Mode() == mpPlaying) Prehravac->Stop();
}

// ---------------------------------------------------------------------------
// Strip animation

void AnimateStrip(HDC DestDC1, HDC DestDC2, HDC SourceDC, int X, int Y, int FrameWidth, int FrameHeight,
                  int FrameCount, int DelayMs) {
    for (int i = 1; i <= FrameCount; ++i) {
        const int sourceX = (i - 1) * FrameWidth;
        BitBlt(DestDC1, X, Y, FrameWidth, FrameHeight, SourceDC, sourceX, 0, SRCCOPY);
        BitBlt(DestDC2, X, Y, FrameWidth, FrameHeight, SourceDC, sourceX, 0, SRCCOPY);
        Sleep(DWORD(DelayMs > 0 ? DelayMs : 0));
    }
}

void AnimateStrip50(HDC DestDC1, HDC DestDC2, HDC SourceDC, int X, int Y, int FrameWidth, int FrameHeight,
                    int FrameCount) {
    AnimateStrip(DestDC1, DestDC2, SourceDC, X, Y, FrameWidth, FrameHeight, FrameCount, 50);
}

// ---------------------------------------------------------------------------
// Scripted video

bool AviPlaying = false;
bool AviStopRequested = false;

namespace {

void DeleteTemporarySound(const String& path) {
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(path.c_str());
}

// The video modules' handles, closed in the reverse order of opening
// whichever way the video ends.
class AviSession {
public:
    explicit AviSession(const String& AviFile) {
        draw_ = DrawDibOpen();
        AVIFileInit();
        if (AVIStreamOpenFromFileA(&stream_, AviFile.c_str(), streamtypeVIDEO, 0, OF_READ, nullptr) != AVIERR_OK)
            stream_ = nullptr;
        frames_ = stream_ ? AVIStreamGetFrameOpen(stream_, nullptr) : nullptr;
    }
    ~AviSession() {
        if (frames_) AVIStreamGetFrameClose(frames_);
        if (stream_) AVIStreamRelease(stream_);
        AVIFileExit();
        if (draw_) DrawDibClose(draw_);
    }
    AviSession(const AviSession&) = delete;
    AviSession& operator=(const AviSession&) = delete;

    // The frame as a packed DIB, or null when it cannot be given.
    void* Frame(int pos) { return frames_ ? AVIStreamGetFrame(frames_, pos) : nullptr; }

    void Draw(TCanvas* canvas, int X, int Y, void* dib) {
        auto* header = static_cast<LPBITMAPINFOHEADER>(dib);
        Byte* bits = static_cast<Byte*>(dib) + header->biSize;
        const int width = header->biWidth;
        const int height = header->biHeight < 0 ? -header->biHeight : header->biHeight;
        DrawDibDraw(draw_, canvas, X, Y, width, height, header, bits, 0, 0, width, height, DDF_SAME_HDC);
    }

private:
    HDRAWDIB draw_ = nullptr;
    PAVISTREAM stream_ = nullptr;
    PGETFRAME frames_ = nullptr;
};

// What every way out of a video restores: the flag, the pointer (when it
// was hidden) and the temporary sound file.
class AviPlayingScope {
public:
    explicit AviPlayingScope(String temporarySound) : temporarySound_(std::move(temporarySound)) {
        AviPlaying = true;
        AviStopRequested = false;
    }
    ~AviPlayingScope() {
        AviPlaying = false;
        if (cursorHidden_) ShowCursor(true);
        DeleteTemporarySound(temporarySound_);
    }
    AviPlayingScope(const AviPlayingScope&) = delete;
    AviPlayingScope& operator=(const AviPlayingScope&) = delete;

    void HideCursor() {
        ShowCursor(false);
        cursorHidden_ = true;
    }

private:
    String temporarySound_;
    bool cursorHidden_ = false;
};

}  // namespace

void PlayAviScript(TStrings* Script, const String& AviFile, TForm* TargetForm, const String& WavFile) {
    if (AviPlaying) return;
    sndPlaySoundA(nullptr, SND_SYNC);

    const String temporarySound = DataDir + "wavfil.wav";
    AviPlayingScope playing(temporarySound);
    // The target form is not freed while the video draws on it, even when
    // it is closed during a hold.
    TApplication::BusyScope keepTarget(TargetForm);

    DeleteTemporarySound(temporarySound);
    // The sound plays from this run's own copy; where no copy can be made (a
    // read-only program folder) from the animation's file itself, and never
    // from a copy that an earlier run left behind.
    String sound;
    if (FileAge(WavFile) != -1)
        sound = CopyFileA(WavFile.c_str(), temporarySound.c_str(), FALSE) ? temporarySound : WavFile;

    const std::vector<TAviEntry> entries = ReadAviEntries(*Script);
    playing.HideCursor();
    if (FileAge(AviFile) == -1) return;

    AviSession video(AviFile);
    const auto [X, Y] = ReadAviPosition(*Script);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const DWORD t0 = GetTickCount();
        if (AviStopRequested) {
            sndPlaySoundA(nullptr, SND_SYNC);
            break;
        }
        // A form closed during a hold is no longer drawn on, and a program
        // that is ending plays no more frames.
        if (!TargetForm || !TargetForm->Showing() || Application->Terminated()) break;
        void* frame = video.Frame(entries[i].Frame);
        if (!frame) continue;
        video.Draw(TargetForm->Canvas(), X, Y, frame);
        const DWORD elapsed = GetTickCount() - t0;
        if (std::int64_t(entries[i].Ms) > std::int64_t(elapsed)) Delay(DWORD(entries[i].Ms) - elapsed);
        if (i == 0 && !sound.empty()) sndPlaySoundA(sound.c_str(), SND_ASYNC | SND_NODEFAULT);
    }
}
