#include "printlib/UFronta.h"

TFrontaString::~TFrontaString() { Clear(); }

void TFrontaString::Clear() {
    // One node at a time: a long queue freed by the nodes' own chain would
    // nest as deep as it is long.
    while (First) First = std::move(First->Next);
    Last = nullptr;
}

void TFrontaString::Push(const String& S) {
    if (S.empty()) return;
    auto node = std::make_unique<TFrontaUzel>(TFrontaUzel{S, nullptr, Last});
    TFrontaUzel* added = node.get();
    if (Last) {
        Last->Next = std::move(node);
    } else {
        First = std::move(node);
    }
    Last = added;
}

void TFrontaString::Pop(String& S) {
    if (!First) return;
    S = First->Text;
    First = std::move(First->Next);
    if (First) {
        First->Prev = nullptr;
    } else {
        Last = nullptr;
    }
}

int TFrontaString::Count() const {
    int n = 0;
    for (const TFrontaUzel* node = First.get(); node; node = node->Next.get()) ++n;
    return n;
}

void TFrontaString::PopLast(String& S) {
    if (!Last) return;
    S = Last->Text;
    Last = Last->Prev;
    if (Last) {
        Last->Next.reset();
    } else {
        First.reset();
    }
}

void TFrontaString::PushFirst(const String& S) {
    if (S.empty()) return;
    auto node = std::make_unique<TFrontaUzel>(TFrontaUzel{S, std::move(First), nullptr});
    if (node->Next) {
        node->Next->Prev = node.get();
    } else {
        Last = node.get();
    }
    First = std::move(node);
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
    for (const TFrontaUzel* node = Queue->First.get(); node; node = node->Next.get()) {
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
