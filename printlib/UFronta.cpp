#include "printlib/UFronta.h"

TFrontaString::~TFrontaString() { Clear(); }

void TFrontaString::Clear() {
    while (First) {
        TFrontaUzel* next = First->Next;
        delete First;
        First = next;
    }
    Last = nullptr;
}

void TFrontaString::Push(const String& S) {
    if (S.empty()) return;
    auto* node = new TFrontaUzel{S, nullptr, Last};
    if (Last) {
        Last->Next = node;
    } else {
        First = node;
    }
    Last = node;
}

void TFrontaString::Pop(String& S) {
    if (!First) return;
    TFrontaUzel* node = First;
    S = node->Text;
    First = node->Next;
    if (First) {
        First->Prev = nullptr;
    } else {
        Last = nullptr;
    }
    delete node;
}

int TFrontaString::Count() const {
    int n = 0;
    for (const TFrontaUzel* node = First; node; node = node->Next) ++n;
    return n;
}

void TFrontaString::PopLast(String& S) {
    if (!Last) return;
    TFrontaUzel* node = Last;
    S = node->Text;
    Last = node->Prev;
    if (Last) {
        Last->Next = nullptr;
    } else {
        First = nullptr;
    }
    delete node;
}

void TFrontaString::PushFirst(const String& S) {
    if (S.empty()) return;
    auto* node = new TFrontaUzel{S, First, nullptr};
    if (First) {
        First->Prev = node;
    } else {
        Last = node;
    }
    First = node;
}

void SplitWords(String Line, TFrontaString* Queue) {
    for (std::size_t space = Line.find(' '); space != String::npos; space = Line.find(' ')) {
        Queue->Push(Line.substr(0, space));
        Line.erase(0, space + 1);
    }
    Queue->Push(Line);
}

int LineWidth(TCanvas* Canvas, TFrontaString* Queue) {
    String joined;
    for (const TFrontaUzel* node = Queue->First; node; node = node->Next) {
        if (!joined.empty()) joined += ' ';
        joined += node->Text;
    }
    return joined.empty() ? 0 : Canvas->TextWidth(joined);
}

int LineAdvance(TCanvas* Canvas) { return Canvas->TextWidth("X") + 8; }

void DrawLine(TCanvas* Canvas, TFrontaString* Queue, int Y, int Width, bool Justify) {
    const int lineHeight = LineAdvance(Canvas);
    const int space = Canvas->TextWidth(" ");
    Canvas->Brush.Style = TBrushStyle::bsSolid;
    Canvas->Brush.Color = clWhite;
    Canvas->FillRect(Rect(TextLeft, Y, TextLeft + Width, Y + lineHeight));

    const int n = Queue->Count();
    const int slack = Width - LineWidth(Canvas, Queue);
    const bool spread = Justify && n >= 2;
    const int gap = spread ? slack / (n - 1) : 0;
    const int extra = spread ? slack % (n - 1) : 0;

    int x = TextLeft;
    String word;
    for (int i = 1; Queue->Count() > 0; ++i) {
        Queue->Pop(word);
        if (spread && i <= extra) ++x;
        Canvas->TextOut(x, Y, word);
        x += Canvas->TextWidth(word) + space + gap;
    }
}
