// Drawing helpers for the placeholder pictures: flat shapes, fitted Czech
// captions, simple figures and the bottom bar's buttons.
#pragma once

#include <initializer_list>
#include <memory>
#include <span>
#include <vector>

#include "platform/gfx/graphics.h"
#include "shell/MenuEntry.h"
#include "tools/datagen/DataTree.h"

inline constexpr TColor clMagenta = clFuchsia;  // the transparent colour of overlays

// A colour of its own for index i: hues spread by the golden angle, never
// black, navy or magenta.
TColor DistinctColour(int i, double saturation = 0.55, double value = 0.92);
TColor Lighter(TColor c, double amount);  // towards white, 0..1
TColor Darker(TColor c, double amount);   // towards black, 0..1

std::unique_ptr<TBitmap> NewPicture(int width, int height, TColor fill);

void FillRect(TCanvas* c, const TRect& r, TColor colour);
void FrameRect(TCanvas* c, const TRect& r, TColor colour, int thickness = 1);
void FillEllipse(TCanvas* c, const TRect& r, TColor colour);
// A line `width` pixels thick with round ends.
void ThickLine(TCanvas* c, int x0, int y0, int x1, int y1, int width, TColor colour);
// A triangle standing on r's bottom edge with its apex at the top middle.
void FillTriangle(TCanvas* c, const TRect& r, TColor colour);
// A vertical gradient from `top` to `bottom`.
void FillGradient(TCanvas* c, const TRect& r, TColor top, TColor bottom);

// The text centred in r at the largest height up to maxHeight that fits,
// split into two lines at a blank when one line does not fit.
void DrawCaption(TCanvas* c, const TRect& r, const String& text, TColor colour, int maxHeight = 24,
                 bool bold = true);

// A standing figure filling `area`: head, body in `clothes`, legs, and a
// white name band with `name` at the bottom.
void DrawFigure(TCanvas* c, const TRect& area, TColor clothes, const String& name);

// A button face with its label: state 1 normal, 2 hover (lighter), 3 pressed
// (darker, moved by one pixel).
void DrawButton(TCanvas* c, const TRect& r, const String& label, TColor face, int state);

// The bottom bar's buttons, as the screens place them.
enum TBarButton { bbExit = 1, bbGames = 2, bbSimulations = 4, bbMenu = 8, bbPrint = 16, bbHelp = 32, bbBack = 64 };
struct TBarButtonLook {
    TBarButton Button;
    const char* File;   // without state digit and extension, e.g. "hl_obr\konec"
    const char* Label;  // UTF-8
    TRect Bounds;
};
const std::vector<TBarButtonLook>& BarButtons();
TColor BarButtonFace();
// Draws the normal look of each button in `buttons` (a TBarButton mask).
void DrawBottomBar(TCanvas* c, int buttons);

// A 640×480 screen: gradient, a title at the top and the bottom bar.
std::unique_ptr<TBitmap> ScreenBackground(const String& title, TColor base, int buttons);

// A message picture centred on the screen (size w×h): a rounded panel with
// the message text above the button row, magenta around it.
std::unique_ptr<TBitmap> MessagePicture(int w, int h, const String& text, TColor face);

// The message window's picture buttons, "hl_obr\hlasky\" + Name + state,
// with their places on the screen.
struct TMessageButtonLook {
    const char* Name;
    const char* Label;  // UTF-8
    TRect Bounds;
};
const std::vector<TMessageButtonLook>& MessageButtons();
TColor MessageButtonFace();
// The window draws only the hover and pressed looks: the normal look of the
// named buttons is drawn into the message picture (centred on the screen).
void DrawMessageButtons(TBitmap* message, std::initializer_list<const char*> names);

// A picture menu's entries over its background `menu`. Each entry is a
// button drawn on the part of its hot area that its pictures cover, less
// what a later entry's hot area takes (the later entry takes the clicks
// there): what a child sees as the entry is where a click finds it. `menu`
// gets every entry in its normal look; each entry's pictures, written as
// folder + Name + "1.bmp" (normal) and "2.bmp" (hover), are the piece of the
// menu at the entry's position, with the entry in that look.
struct TMenuEntryLook {
    String Caption;
    TColor Face;
};
void WriteMenuEntries(TDataTree& tree, const String& folder, TBitmap& menu, std::span<const TMenuEntry> entries,
                      const std::vector<TMenuEntryLook>& looks);
