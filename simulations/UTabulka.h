// The firefighter's best-times table: the ten longest times with the names
// of the children who reached them, kept in "hasic.dat" in the user's data
// folder. A new record comes in the spare eleventh row; the table sorts its
// rows, shows them and takes the child's name in an edit on the new row.
// Made and released with the firefighter screen; it only hides meanwhile.
#pragma once


#include "shell/OneBased.h"
#include "shell/ScreenFrame.h"
#include "simulations/BestTimes.h"

// The name the firefighter gives a new record in row 11: the row that takes
// the child's name once sorted.
inline const String NewEntryMarker = "@#$%^&*()_+{}\"\":";

class TwndTabulka : public TScreenFrame {
public:
    explicit TwndTabulka(TComponent* AOwner);

    struct TRowLabels {
        TLabel* Cislo = nullptr;  // "1." .. "10.", right-aligned
        TLabel* Jmeno = nullptr;  // the name
        TLabel* Cas = nullptr;    // the time, centred
    };
    // Rows 1..10.
    TOneBased<TRowLabels, BestTimesRows> Rows;
    // The new record's name, on its row.
    TEdit* Jmeno = nullptr;

    // Rows 1..10 are the table, row 11 is where the firefighter puts a new
    // result.
    TOneBased<TTableRow, BestTimesRows + 1> TableRow;
    // The row that holds the new result after sorting; 0 when none does.
    Byte NewRow = 0;
    // A record was made that the file does not hold yet.
    bool RecordUnsaved = false;
    // The common application-data folder as the registry gives it.
    String BestTimesFolder;

    void FormCreate(TObject* Sender);
    // Reads the file; a file that is missing or cannot be read gives an
    // empty table, and its lines that cannot be read are skipped.
    void LoadTable();
    // Replaces the file with rows 1..10 (EFCreateError when it cannot be
    // written; the old file then stays as it was).
    void SaveTable();
    // A record the file does not hold yet is saved when the table is freed
    // (the program closed while the table was shown, or after its save
    // failed); nothing is told when that fails.
    void FormDestroy(TObject* Sender);
    // Sorts rows 1..11 by time, longest first, shows rows 1..10 and opens
    // the name edit on the row that row 11 came to.
    void SortAndShowRows();
    void JmenoChange(TObject* Sender);
    void JmenoKeyDown(TObject* Sender, Word& Key, TShiftState Shift);
    void JmenoKeyPress(TObject* Sender, char32_t& Key);
    // Back: the rows frozen into the message window's picture, the question
    // whether to play again, and the table closed and saved.
    void TableBackClick(TObject* Sender);
    void BackClick(TObject* Sender) override { TableBackClick(Sender); }

    String FileName() const { return BestTimesFolder + "\\hasic.dat"; }

protected:
    // Hides, then saves; a failed save stops the close, so the table stays.
    void FormClose(TObject* Sender, TCloseAction& Action) override;

private:
    void ShowRow(int Row);
};

extern TwndTabulka* wndTabulka;
