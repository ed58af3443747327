// The make-up artist: a face whose hairstyle changes through 18 wigs, and
// five kinds of make-up chosen from small pop-up palettes. Every choice is
// painted into Buffer at once, over what was there; nothing is ever
// redrawn from the start. Made anew by the simulations menu; it frees
// itself when closed, so every visit starts from the bare face.
#pragma once

#include <array>
#include <memory>
#include <vector>

#include "platform/print/printdialog.h"
#include "shell/ScreenFrame.h"
#include "simulations/PrintPicture.h"
#include "simulations/MakeupKinds.h"

// The kinds in MakeupKindTable's order.
enum TMakeupKindIndex { mkCheeks, mkLips, mkEyeShadow, mkLashes, mkLiner, MakeupKindCount };

class TwndSimulaceVizazistka : public TScreenFrame {
public:
    explicit TwndSimulaceVizazistka(TComponent* AOwner);
    ~TwndSimulaceVizazistka() override;

    TPrintDialog* PrintDialog = nullptr;
    // Its Tag is the hairstyle on the head, 0..17; it shows the wig of the
    // next one.
    TXLabel* HairButton = nullptr;
    std::array<std::unique_ptr<TBitmap>, WigCount> WigPreviews;

    // A palette: its opener, the panel over the face, and the swatches on
    // the panel (Tag: the picture number they select; lashes 1 on, 2 off).
    struct TPalette {
        TXLabel* PaletteOpener = nullptr;
        TXPanel* PalettePanel = nullptr;
        std::vector<TXLabel*> Swatches;
    };
    std::array<TPalette, MakeupKindCount> Palettes;
    Byte EyeShadow = 0;
    bool LashesOn = false;

    void FormCreate(TObject* Sender);
    void PrintClick(TObject* Sender) override;
    void NextHair(TObject* Sender);
    void TogglePalette(int Kind);
    void HidePalettes();
    // Cheeks, lips and liner: the kind's layer numbered by the swatch.
    void ApplyMakeup(int Kind, TObject* Sender);
    void ApplyEyeShadow(TObject* Sender);
    void ApplyLashes(TObject* Sender);
    void FormClick(TObject* Sender);

private:
    void CreatePalette(int Kind);
    // Loads a layer picture, draws it with magenta transparent into Buffer
    // and repaints.
    void DrawLayer(const String& File, TPoint At);
    // The shadow of EyeShadow, with lashes when LashesOn.
    void DrawEyeLayer();
};

extern TwndSimulaceVizazistka* wndSimulaceVizazistka;
