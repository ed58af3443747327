// Put in order ("Dej to do pořádku"): nine things lie in nine slots, five of
// them belong to the five persons shown. The child picks a thing up (it
// follows the mouse, the pointer hidden) and gives it to a person; the third
// mistake of a round ends the game. Mode 0 deals tools, mode 1 caps.
#pragma once

#include <array>
#include <memory>

#include "shell/OneBased.h"
#include "shell/ScreenFrame.h"

class TwndPoradek : public TScreenFrame {
public:
    static constexpr int PersonCount = 5;
    static constexpr int SlotCount = 9;
    static constexpr int MistakeLimit = 3;

    explicit TwndPoradek(TComponent* AOwner);
    ~TwndPoradek() override;

    // Never shown: its picture is the carried thing's.
    TImage* Image = nullptr;
    // 0 tools, 1 caps; set before the first NewRound.
    Byte Mode = 0;
    std::unique_ptr<TBitmap> CleanBuffer;
    std::unique_ptr<TBitmap> CarrySnapshot;
    std::unique_ptr<TBitmap> CarryFrame;
    // By the labels' tags. Pictures [..][1] waiting / in the slot, [..][2]
    // served / carried.
    TOneBased<TXLabel*, PersonCount> PersonLabels;
    TOneBased<TOneBased<std::unique_ptr<TBitmap>, 2>, PersonCount> PersonBitmaps;
    TOneBased<TXLabel*, SlotCount> SlotLabels;
    TOneBased<TPoint, SlotCount> SlotPoints;
    // Thing i belongs to person i (i <= 5); things 6..9 to nobody.
    TOneBased<TOneBased<std::unique_ptr<TBitmap>, 2>, SlotCount> ItemBitmaps;
    TOneBased<Byte, SlotCount> SlotItem;
    std::unique_ptr<TBitmap> EmptySlotBitmap;
    std::unique_ptr<TBitmap> MessagePicture;
    int CarriedItem = 0;
    bool Carrying = false;
    Byte Mistakes = 0;

    // Deals a round of the mode's things (a thing still carried is dropped
    // first); does not repaint.
    void NewRound();
    void SlotClick(TObject* Sender);
    void PersonClick(TObject* Sender);
    void FormMouseMove(TObject* Sender, TShiftState Shift, int X, int Y);
    void ControlMouseMove(TObject* Sender, TShiftState Shift, int X, int Y);
    void FormClick(TObject* Sender);
    bool AllServed() const;

    void StartNewRound() override;

    void FormCreate(TObject* Sender);

protected:
    // The screen losing the input (another screen shown over it, the exit
    // question, the application left) drops a carried thing.
    void FormDeactivate(TObject* Sender) override;
    void PointerOverLeavingButton(int X, int Y) override;

private:
    // Ends carrying: the pointer shown again; the thing stays in its slot.
    void EndCarrying();
    // EndCarrying, and the window without the carried picture.
    void Drop();
    // The carried frame (the snapshot with the thing at the pointer) shown
    // where it changed since the last move, and over alsoShown.
    void DrawCarried(int X, int Y, const TRect& alsoShown = {});
    void DrawPersons();
    // Counts rounds, so that a pause's end knows whether its round is over.
    unsigned round_ = 0;
    // Where the carried frame holds the thing; empty before the first move.
    TRect carriedAt_{};
};

extern TwndPoradek* wndPoradek;
