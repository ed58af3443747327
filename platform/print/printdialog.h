// The print dialog: a modal box of our own, in Czech, with the printers to
// choose from and the number of copies.
//
// Execute() reads the printer list afresh (within the print system's time
// bound), shows it above every form, a paused queue or one that takes no
// jobs marked so, and runs its own message loop until "OK" (or Enter) or
// "Storno" (or Escape) ends it. On OK the chosen printer becomes the printer
// object's PrinterIndex, and the copies chosen (1..99) its Copies and
// Copies() here. Each answer is noticed through the backend:
// "print dialog: ok printer=<name> copies=<n>" or "print dialog: cancel".
//
// Tests answer it without showing it by queueing answers beforehand
// (print::QueuePrintDialogOk / QueuePrintDialogCancel); an Execute with no
// answer queued shows the dialog, which then takes scripted input.
#pragma once

#include "platform/ui/controls.h"

class TPrintDialog : public TComponent {
public:
    explicit TPrintDialog(TComponent* AOwner);

    // False when cancelled; then nothing changes.
    bool Execute();

    int Copies() const { return copies_; }
    void SetCopies(int n);

    static constexpr int kMinCopies = 1;
    static constexpr int kMaxCopies = 99;

private:
    int copies_ = 1;
};

namespace print {

struct PrintDialogAnswer {
    bool ok = false;
    int printerIndex = -1;  // -1: keep the printer shown first
    int copies = 1;
};

void QueuePrintDialogOk(int printerIndex, int copies);
void QueuePrintDialogCancel();
// Answers not yet taken by an Execute.
int QueuedPrintDialogAnswers();
void ClearPrintDialogAnswers();

// Where the dialog lies on the screen and where its parts are, in screen
// coordinates (for scripted clicks).
struct PrintDialogLayout {
    TRect box;
    TRect list;        // the printer rows, kRowHeight each from list.Top
    TRect minus;
    TRect copies;
    TRect plus;
    TRect ok;
    TRect cancel;
    static constexpr int kRowHeight = 18;
    static constexpr int kVisibleRows = 4;
};
PrintDialogLayout DialogLayout();

}  // namespace print
