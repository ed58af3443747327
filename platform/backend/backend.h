// The one interface between the platform and what lies below it: the real
// display, input, clock and sound over SDL2, or the headless backend with a
// virtual clock, scripted input and captured frames and sounds.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "platform/core/types.h"

struct Surface;

namespace backend {

constexpr int kScreenWidth = 640;
constexpr int kScreenHeight = 480;

enum class EventKind {
    MouseMove,
    MouseDown,
    MouseUp,
    KeyDown,
    KeyUp,
    TextInput,     // text holds UTF-8 typed by the user
    FocusGained,   // the display got the input focus: the application is activated
    FocusLost,     // the display lost it: the application is deactivated
    Quit,
};

enum MouseButton : int { mbLeft = 0, mbRight = 1, mbMiddle = 2 };

// Modifier bits, as the class library's shift state.
enum ShiftBits : std::uint32_t {
    ssShift = 1, ssAlt = 2, ssCtrl = 4, ssLeft = 8, ssRight = 16, ssMiddle = 32, ssDouble = 64
};

struct Event {
    EventKind kind = EventKind::MouseMove;
    int x = 0;            // mouse position in 640x480 screen coordinates
    int y = 0;
    int button = mbLeft;  // MouseDown / MouseUp
    int key = 0;          // virtual key code (VK_*) for KeyDown / KeyUp
    std::uint32_t shift = 0;
    String text;          // TextInput
};

// A cursor picture: 32-bit ARGB rows (top-down), with its hot spot.
struct CursorImage {
    int width = 0;
    int height = 0;
    int hotX = 0;
    int hotY = 0;
    std::vector<std::uint32_t> argb;
};

enum class StandardCursor { Arrow, HandPoint, Help };

// A cursor as the screen's cursor table holds it (HCURSOR points to one):
// a picture of its own, or a standard cursor.
struct CursorData {
    bool hasImage = false;
    CursorImage image;
    StandardCursor standard = StandardCursor::Arrow;
};

// A display mode of the desktop.
struct DesktopMode {
    int width = 1024;
    int height = 768;
    int bitsPerPixel = 32;
    int frequency = 60;
};

// A sound made ready for the device: interleaved 16-bit stereo at 44100 Hz.
struct SoundBuffer {
    std::vector<std::int16_t> samples;  // frames * 2
    std::uint32_t DurationMs() const;
};

class Backend {
public:
    virtual ~Backend() = default;

    // The one clock: GetTickCount's 32-bit milliseconds, wrapping.
    virtual std::uint32_t Ticks() = 0;
    // A wait that processes nothing (Sleep, synchronous sounds); input that
    // arrives meanwhile stays queued. Headless: the clock jumps.
    virtual void Sleep(std::uint32_t ms) = 0;
    // Takes the next input event if one is waiting.
    virtual bool PollEvent(Event& ev) = 0;
    // Waits for input for at most timeoutMs (negative: no limit). Returns
    // true with an event, false when the time ran out. Headless: the clock
    // jumps to the next scripted event or to the deadline; with no limit and
    // no scripted event it returns false at once.
    virtual bool WaitEvent(Event& ev, std::int64_t timeoutMs) = 0;

    // Shows the composed 640x480 screen, of which only `changed` differs
    // from the screen presented before.
    virtual void Present(const Surface& screen, const TRect& changed) = 0;
    // The whole screen changed.
    void Present(const Surface& screen) { Present(screen, TRect{0, 0, kScreenWidth, kScreenHeight}); }

    // The live pointer position in 640x480 screen coordinates.
    virtual TPoint PointerPos() = 0;
    virtual void SetCursor(const CursorData& cursor) = 0;
    virtual void ShowPointer(bool visible) = 0;

    // The display switched (full screen, the picture scaled to fit) or
    // restored (a 640x480 window).
    virtual void SetFullscreen(bool on) = 0;
    // The desktop's mode as the display reports it; without a display
    // (headless, or the display not open) 1024x768, 32 bits, 60 Hz.
    virtual DesktopMode DesktopDisplayMode() { return {}; }

    // Sound channels: 0 for sndPlaySoundA, 1 for the media player. Playing a
    // channel replaces what it played. The device may be missing; then
    // nothing is heard and nothing fails.
    virtual void PlaySound(int channel, std::shared_ptr<const SoundBuffer> sound, bool loop) = 0;
    virtual void StopSound(int channel) = 0;

    // Called from any thread when the program is asked from outside to end
    // (a termination signal): a wait in progress returns. The headless
    // backend never waits on real time.
    virtual void RequestQuit() {}

    // What a person would notice (a sound started, stopped, dropped or
    // ended; a message box; a printed page), one line each. The headless
    // backend keeps these with their virtual time for the tests; the SDL
    // backend ignores them.
    virtual void Notice(const String& what) {}
};

Backend& Current();
// Installs a backend; the platform owns it until the next call.
void Install(std::unique_ptr<Backend> b);
bool Installed();

}  // namespace backend
