// Justified text of the print sheet, set word by word with first-in-first-out
// queues of words.
#pragma once

#include <memory>

#include "platform/core/types.h"
#include "platform/gfx/graphics.h"

// One word in a queue; each node owns the one behind it.
struct TFrontaUzel {
    String Text;                        // never empty
    std::unique_ptr<TFrontaUzel> Next;  // the node behind it
    TFrontaUzel* Prev = nullptr;        // the node in front of it
};

class TFrontaString : public TObject {
public:
    TFrontaString() = default;
    ~TFrontaString() override;

    void Clear();
    // Appends S at the end; an empty S is dropped.
    void Push(const String& S);
    // Takes the word at the front into S; S is left as it is when the queue
    // is empty.
    void Pop(String& S);
    int Count() const;

    // Takes the word at the end into S (S unchanged when empty).
    void PopLast(String& S);
    // Puts S in front of the first word; an empty S is dropped.
    void PushFirst(const String& S);

    TFrontaUzel* Last = nullptr;        // where words are added
    std::unique_ptr<TFrontaUzel> First;  // where words are taken
};

// The text's geometry on the sheet's background picture.
constexpr int TextWidthPx = 615;
constexpr int TextLeft = 34;
constexpr int TextTop = 611;

// Appends the words of Line (separated by spaces) to Queue.
void SplitWords(String Line, TFrontaString* Queue);
// Width of the queue's words joined by single spaces, in the canvas's font;
// 0 for an empty queue.
int LineWidth(TCanvas* Canvas, TFrontaString* Queue);
// Draws the queue's words as one line at Y on a white band from x 34,
// Width wide and as high as the line advance, and empties the queue. With
// Justify a line of two words or more is spread to end at 34 + Width.
void DrawLine(TCanvas* Canvas, TFrontaString* Queue, int Y, int Width, bool Justify);
// The line advance: the width of "X" plus 8.
int LineAdvance(TCanvas* Canvas);
