// Components and controls: the ownership tree, graphic controls that paint
// on their parent's window, child windows with surfaces of their own, and the
// standard controls (label, panel, image, edit, rich edit).
//
// Conventions: a property is a getter named as the property and a setter
// named Set<Property> (Left() / SetLeft()); plain data without side effects
// (Name, Tag) and events (OnClick, ...) are public members. Events are
// std::function values assigned by the program, usually to member functions:
//     Label->OnClick = [this](TObject* Sender) { LabelClick(Sender); };
// The platform calls every event inside its exception guard (see
// TApplication::HandleException); code that calls Click() itself does not.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "platform/core/types.h"
#include "platform/gfx/graphics.h"
#include "platform/ui/keys.h"
#include "platform/ui/richtext.h"

class TApplication;
class TControl;
class TWinControl;
class TForm;
namespace ui {
class Desktop;
class InputRouter;
}  // namespace ui

// ---------------------------------------------------------------------------
// Types shared by the controls

using TShiftState = std::uint32_t;
constexpr TShiftState ssShift = 1;
constexpr TShiftState ssAlt = 2;
constexpr TShiftState ssCtrl = 4;
constexpr TShiftState ssLeft = 8;
constexpr TShiftState ssRight = 16;
constexpr TShiftState ssMiddle = 32;
constexpr TShiftState ssDouble = 64;

enum TMouseButton { mbLeft = 0, mbRight = 1, mbMiddle = 2 };

// Cursor indices into the screen's cursor table: the standard ones are
// negative, the program's own start at 1; crDefault takes the parent's.
using TCursor = int;
constexpr TCursor crDefault = 0;
constexpr TCursor crNone = -1;
constexpr TCursor crArrow = -2;
constexpr TCursor crCross = -3;
constexpr TCursor crIBeam = -4;
constexpr TCursor crHourGlass = -11;
constexpr TCursor crHelp = -20;
constexpr TCursor crHandPoint = -21;

// Messages that Perform delivers from code.
constexpr UINT CM_MOUSEENTER = 0xB013;
constexpr UINT CM_MOUSELEAVE = 0xB014;

enum TAlignment { taLeftJustify, taRightJustify, taCenter };
enum TTextLayout { tlTop, tlCenter, tlBottom };
enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
using TBorderStyle = TFormBorderStyle;  // controls use bsNone and bsSingle
enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };

constexpr TColor clWindow = 0xFFFFFF;
constexpr TColor clBtnShadow = 0xA0A0A0;
constexpr TColor clBtnHighlight = 0xFFFFFF;

using TMouseEvent = std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)>;
using TKeyEvent = std::function<void(TObject* Sender, Word& Key, TShiftState Shift)>;
// The typed character (a Unicode code point); setting it to 0 drops it.
using TKeyPressEvent = std::function<void(TObject* Sender, char32_t& Key)>;

// ---------------------------------------------------------------------------

// A component belongs to its owner, which frees it when it is freed itself.
class TComponent : public TObject {
public:
    explicit TComponent(TComponent* AOwner);
    ~TComponent() override;

    TComponent* Owner() const { return owner_; }
    int ComponentCount() const { return int(components_.size()); }
    TComponent* Components(int index) const { return components_.at(std::size_t(index)); }

    // Runs the steps that need the whole object (a form's OnDestroy), then
    // deletes it. Prefer it to a plain delete for forms.
    void Free();

    String Name;
    int Tag = 0;

protected:
    // Called by Free (and by an owner freeing its components) while the
    // object is still whole.
    virtual void BeforeDestruction() {}

private:
    friend class TApplication;
    void InsertComponent(TComponent* c);
    void RemoveComponent(TComponent* c);
    void DestroyComponents();

    TComponent* owner_ = nullptr;
    std::vector<TComponent*> components_;
};

// Frees the object (when set) and clears the reference.
template <class T>
void FreeAndNil(T*& ref) {
    T* p = ref;
    ref = nullptr;
    if (p) p->Free();
}

// ---------------------------------------------------------------------------

// Anything with a place on a window. Coordinates are in the parent's client
// area; a form's are on the screen.
class TControl : public TComponent {
public:
    explicit TControl(TComponent* AOwner);
    ~TControl() override;

    TWinControl* Parent() const { return parent_; }
    virtual void SetParent(TWinControl* parent);

    int Left() const { return bounds_.Left; }
    int Top() const { return bounds_.Top; }
    int Width() const { return bounds_.Width(); }
    int Height() const { return bounds_.Height(); }
    void SetLeft(int v) { SetBounds(v, Top(), Width(), Height()); }
    void SetTop(int v) { SetBounds(Left(), v, Width(), Height()); }
    void SetWidth(int v) { SetBounds(Left(), Top(), v, Height()); }
    void SetHeight(int v) { SetBounds(Left(), Top(), Width(), v); }
    virtual void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
    TRect BoundsRect() const { return bounds_; }
    void SetBoundsRect(const TRect& r) { SetBounds(r.Left, r.Top, r.Width(), r.Height()); }
    int ClientWidth() const { return Width(); }
    int ClientHeight() const { return Height(); }
    void SetClientWidth(int v) { SetWidth(v); }
    void SetClientHeight(int v) { SetHeight(v); }
    TRect ClientRect() const { return Rect(0, 0, Width(), Height()); }

    bool Visible() const { return visible_; }
    virtual void SetVisible(bool v);
    virtual void Show() { SetVisible(true); }
    virtual void Hide() { SetVisible(false); }
    // Visible with every parent visible (a form: visible on the screen).
    virtual bool Showing() const;

    bool Enabled() const { return enabled_; }
    virtual void SetEnabled(bool v);

    TCursor Cursor() const { return cursor_; }
    void SetCursor(TCursor c);

    const String& Caption() const { return caption_; }
    void SetCaption(const String& s);

    TColor Color() const { return color_; }
    void SetColor(TColor c);

    // The control's own font. Changes show at the next paint; a label's
    // AutoSize follows them at its next caption change.
    TFont* Font() { return &font_; }

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TMouseMoveEvent OnMouseMove;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;

    // The platform calls these for the mouse; each calls its event.
    // Subclasses override them and call the inherited one.
    virtual void Click();
    virtual void DblClick();
    virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void MouseMove(TShiftState Shift, int X, int Y);
    // The pointer came onto / left the control (also when disabled).
    virtual void CMMouseEnter();
    virtual void CMMouseLeave();

    // Delivers a message from code: CM_MOUSEENTER and CM_MOUSELEAVE. The
    // platform's own record of what is under the pointer does not change.
    std::intptr_t Perform(UINT Msg, std::intptr_t WParam = 0, std::intptr_t LParam = 0);

    // Marks the control's area for painting by the message loop.
    virtual void Invalidate();
    // Paints what is marked, now.
    virtual void Update();
    // Invalidate, then Update: paints at once.
    virtual void Repaint();

    // Z-order among the parent's controls of the same kind.
    virtual void BringToFront();
    virtual void SendToBack();

    TPoint ClientToScreen(TPoint p) const;
    TPoint ScreenToClient(TPoint p) const;

    // The form the control lies on (the form itself for a form).
    TForm* ParentForm() const;

    virtual bool IsWindowed() const { return false; }

protected:
    // Draws the control: on its parent's window for a graphic control, on
    // its own window for a windowed one.
    virtual void Paint() {}
    virtual void CaptionChanged() { Invalidate(); }
    virtual void BoundsChanged(const TRect& old) {}
    // The area on the parent's window surface this control covers.
    TRect RectOnParent() const { return bounds_; }

    TColor color_ = clBtnFace;
    TFont font_;

private:
    friend class TWinControl;
    friend class TForm;
    friend class TApplication;
    friend class ui::Desktop;
    friend class ui::InputRouter;

    TWinControl* parent_ = nullptr;
    TRect bounds_{0, 0, 0, 0};
    bool visible_ = true;
    bool enabled_ = true;
    TCursor cursor_ = crDefault;
    String caption_;
};

// A canvas over a window's surface: every change reaches the screen.
class TWindowCanvas : public TCanvas {
public:
    explicit TWindowCanvas(TWinControl* window);
    void Changed(const TRect& r) override;
    TWinControl* Window() const { return window_; }
    void SetWindow(TWinControl* w) { window_ = w; }

private:
    TWinControl* window_;
};

// A control without a window: it paints on its parent's window surface.
class TGraphicControl : public TControl {
public:
    explicit TGraphicControl(TComponent* AOwner);
    // A canvas on the parent's window, with the control's top left as its
    // origin. Without a parent it draws nowhere.
    virtual TCanvas* Canvas();

protected:
    void Paint() override {}

private:
    friend class TWinControl;
    TWindowCanvas canvas_{nullptr};
    void PrepareCanvas();
};

// A window: a surface of its own at its place on the parent, children above
// the parent's graphic controls, keyboard focus.
class TWinControl : public TControl {
public:
    explicit TWinControl(TComponent* AOwner);
    ~TWinControl() override;

    bool IsWindowed() const override { return true; }

    int ControlCount() const { return int(controls_.size()); }
    TControl* Controls(int index) const { return controls_.at(std::size_t(index)); }

    bool Focused() const;
    virtual bool CanFocus() const;
    // Moves the keyboard focus here (and makes the form's active control
    // this one). Does nothing when the control cannot take the focus.
    virtual void SetFocus();
    int TabOrder() const { return tabOrder_; }
    void SetTabOrder(int v) { tabOrder_ = v; }
    bool TabStop() const { return tabStop_; }
    void SetTabStop(bool v) { tabStop_ = v; }

    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;
    TKeyEvent OnKeyDown;
    TKeyEvent OnKeyUp;
    TKeyPressEvent OnKeyPress;

    // Each calls its event first; setting Key to 0 there stops the rest.
    virtual void KeyDown(Word& Key, TShiftState Shift);
    virtual void KeyUp(Word& Key, TShiftState Shift);
    virtual void KeyPress(char32_t& Key);
    virtual void DoEnter();
    virtual void DoExit();

    // The erase-background hook: answer true when the window paints all of
    // itself, so nothing is erased; by default the area is filled with Color.
    virtual bool WMEraseBkgnd() { return false; }

    void Invalidate() override;
    void Update() override;
    void Repaint() override;
    void BringToFront() override;
    void SendToBack() override;

    // The window's own pixels and a canvas drawing on them.
    Surface& WindowSurface() { return surface_; }
    const Surface& WindowSurface() const { return surface_; }
    TCanvas* WindowCanvas() { return &canvas_; }

    // Top left of the client area on the screen.
    TPoint ScreenOrigin() const;

protected:
    void BoundsChanged(const TRect& old) override;
    // Marks part of the window (client coordinates) for painting.
    void InvalidateRect(const TRect& r);
    // Erase, Paint, graphic controls over it, then the child windows.
    virtual void PaintWindow(const TRect& r);
    void PaintChildWindows();

private:
    friend class TControl;
    friend class TGraphicControl;
    friend class TWindowCanvas;
    friend class TForm;
    friend class TApplication;
    friend class ui::Desktop;
    friend class ui::InputRouter;

    void InsertControl(TControl* c);
    void RemoveControl(TControl* c);
    void SurfaceChanged(const TRect& r);
    void PaintPending();  // this window and its children, where marked

    std::vector<TControl*> controls_;  // creation order, later on top
    Surface surface_;
    TWindowCanvas canvas_{this};
    TRect invalid_{};  // empty when nothing is marked
    int tabOrder_ = -1;
    bool tabStop_ = false;
    int painting_ = 0;
};

// A window the program paints itself in Paint.
class TCustomControl : public TWinControl {
public:
    explicit TCustomControl(TComponent* AOwner);
    TCanvas* Canvas() { return WindowCanvas(); }

protected:
    void Paint() override {}
};

// ---------------------------------------------------------------------------
// Standard controls

class TLabel : public TGraphicControl {
public:
    explicit TLabel(TComponent* AOwner);

    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment a);
    TTextLayout Layout() const { return layout_; }
    void SetLayout(TTextLayout l);
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool v);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool v);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool v);

protected:
    void Paint() override;
    void CaptionChanged() override;

private:
    void AdjustBounds();
    std::vector<String> Lines(TCanvas& canvas) const;

    TAlignment alignment_ = taLeftJustify;
    TTextLayout layout_ = tlTop;
    bool autoSize_ = true;
    bool transparent_ = false;
    bool wordWrap_ = false;
};

class TPanel : public TCustomControl {
public:
    explicit TPanel(TComponent* AOwner);

    TBevelCut BevelOuter() const { return bevelOuter_; }
    void SetBevelOuter(TBevelCut b);
    TBevelCut BevelInner() const { return bevelInner_; }
    void SetBevelInner(TBevelCut b);
    int BevelWidth() const { return bevelWidth_; }
    void SetBevelWidth(int w);
    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle b);

protected:
    // Fills with Color, draws the bevels and the caption centred.
    void Paint() override;

private:
    TBevelCut bevelOuter_ = bvRaised;
    TBevelCut bevelInner_ = bvNone;
    int bevelWidth_ = 1;
    TBorderStyle borderStyle_ = bsNone;
};

// What an image shows: a bitmap.
class TPicture : public TObject {
public:
    TPicture();
    ~TPicture() override;
    TBitmap* Bitmap() { return bitmap_.get(); }
    void Assign(const TBitmap* source);
    int Width() const { return bitmap_->Width(); }
    int Height() const { return bitmap_->Height(); }
    std::function<void()> OnChange;

private:
    std::unique_ptr<TBitmap> bitmap_;
};

class TImage : public TGraphicControl {
public:
    explicit TImage(TComponent* AOwner);
    ~TImage() override;

    TPicture* Picture() { return picture_.get(); }
    // The picture's canvas; an empty picture first gets a white bitmap of
    // the image's size.
    TCanvas* Canvas() override;
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool v);
    bool Stretch() const { return stretch_; }
    void SetStretch(bool v);

protected:
    void Paint() override;

private:
    std::unique_ptr<TPicture> picture_;
    bool transparent_ = false;
    bool stretch_ = false;
};

// A single-line text entry. Text is UTF-8 and holds only characters of code
// page 1250 (others typed become '?').
class TEdit : public TWinControl {
public:
    explicit TEdit(TComponent* AOwner);

    const String& Text() const { return text_; }
    // Runs OnChange when the text really changes.
    void SetText(const String& s);
    int MaxLength() const { return maxLength_; }
    void SetMaxLength(int n);  // characters; 0 = no limit
    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle b);
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool v) { readOnly_ = v; }
    // Caret position in characters, 0 .. length.
    int SelStart() const { return caret_; }
    void SetSelStart(int pos);

    TNotifyEvent OnChange;

    // OnKeyDown first; unless it set Key to 0: Backspace, Delete, Left,
    // Right, Home and End act on the text and the caret.
    void KeyDown(Word& Key, TShiftState Shift) override;
    // OnKeyPress first; then a printable character is inserted at the caret.
    void KeyPress(char32_t& Key) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void DoEnter() override;
    void DoExit() override;

protected:
    void Paint() override;

private:
    void ReplaceText(const String& s, int caret);
    int Length() const;

    String text_;
    int caret_ = 0;
    int maxLength_ = 0;
    int scroll_ = 0;  // pixels of text scrolled off to the left
    TBorderStyle borderStyle_ = bsSingle;
    bool readOnly_ = false;
};

// Read-only rich text, laid out word-wrapped in the control on its Color.
class TRichEdit : public TWinControl {
public:
    explicit TRichEdit(TComponent* AOwner);

    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool v) { readOnly_ = v; }
    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle b);

    // Plain text in the control's font (the design text), one paragraph a line.
    void SetText(const String& utf8);
    // Replaces the content with a rich text document given as its bytes.
    // Bytes that cannot be read as rich text are shown as plain text
    // (code page 1250).
    void LoadRichText(std::string_view rtfBytes);
    const richtext::Document& Document() const { return document_; }
    // The text of every paragraph, each ended by CR LF.
    String Text() const;

    TNotifyEvent OnChange;

protected:
    void Paint() override;

private:
    void ContentChanged();
    richtext::Document document_;
    bool readOnly_ = false;
    TBorderStyle borderStyle_ = bsSingle;
};
