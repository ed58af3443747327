#include "platform/ui/screen.h"

#include "platform/ui/application.h"
#include "platform/ui/desktop.h"
#include "platform/ui/input.h"

TScreen* Screen = nullptr;

namespace {

const backend::CursorData* Standard(backend::StandardCursor which) {
    static const backend::CursorData arrow{false, {}, backend::StandardCursor::Arrow};
    static const backend::CursorData hand{false, {}, backend::StandardCursor::HandPoint};
    static const backend::CursorData help{false, {}, backend::StandardCursor::Help};
    switch (which) {
        case backend::StandardCursor::HandPoint: return &hand;
        case backend::StandardCursor::Help: return &help;
        case backend::StandardCursor::Arrow: break;
    }
    return &arrow;
}

}  // namespace

TScreen::TScreen() {
    cursors_[crArrow] = Standard(backend::StandardCursor::Arrow);
    cursors_[crHandPoint] = Standard(backend::StandardCursor::HandPoint);
    cursors_[crHelp] = Standard(backend::StandardCursor::Help);
}

HCURSOR TScreen::Cursors(int index) const {
    auto it = cursors_.find(index);
    if (it != cursors_.end() && it->second) return it->second;
    return cursors_.at(crArrow);
}

void TScreen::SetCursors(int index, HCURSOR cursor) {
    cursors_[index] = cursor;
    if (Application) Application->Input().UpdateCursor();
}

void TScreen::SetCursor(TCursor c) {
    cursor_ = c;
    if (Application) Application->Input().UpdateCursor();
}

TForm* TScreen::ActiveForm() const {
    if (!Application) return nullptr;
    return Application->activeForm_;
}

int TScreen::FormCount() const { return Application ? int(Application->forms_.size()) : 0; }

TForm* TScreen::Forms(int index) const { return Application->forms_.at(std::size_t(index)); }

const Surface& TScreen::Pixels() {
    Application->Desktop().Flush();
    return Application->Desktop().ScreenPixels();
}

TCanvas* TScreen::Canvas() {
    canvas_.SetTarget(const_cast<Surface*>(&Pixels()));
    return &canvas_;
}

int ShowCursor(bool show) { return Application->Input().ShowCursor(show); }

LongBool GetCursorPos(TPoint* point) {
    if (!point) return 0;
    *point = backend::Current().PointerPos();
    return 1;
}
