// The standard controls and the pointer: the edit, label text placement,
// the rich edit's fallback, the cursor shown, the show-cursor counter.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/backend/headless/harness.h"

namespace {

struct EditFixture {
    headless::Harness h;
    TForm* form = new TForm(nullptr);
    TEdit* edit = new TEdit(form);
    int changes = 0;
    std::vector<Word> keysSeen;

    EditFixture() {
        edit->SetParent(form);
        edit->SetBounds(10, 10, 200, 21);
        edit->OnChange = [this](TObject*) { ++changes; };
        edit->OnKeyDown = [this](TObject*, Word& key, TShiftState) {
            keysSeen.push_back(key);
            if (key == VK_RETURN || key == VK_F1) key = 0;  // consumed
        };
        form->Show();
    }
};

TEST(UiControls, EditOnChangeRunsOnlyOnARealChange) {
    EditFixture f;
    EXPECT_TRUE(f.edit->Focused());  // the first control that takes the focus
    f.edit->SetText("");
    EXPECT_EQ(f.changes, 0);
    f.edit->SetText("Jan");
    f.edit->SetText("Jan");
    EXPECT_EQ(f.changes, 1);
    f.edit->SetText("");
    EXPECT_EQ(f.changes, 2);  // emptying a text that was not empty is a change

    f.h.Key(10, VK_BACK);    // nothing to delete
    f.h.Key(20, VK_DELETE);
    f.h.RunFor(30);
    EXPECT_EQ(f.changes, 2);
}

TEST(UiControls, EditTypingAndEditingKeys) {
    EditFixture f;
    f.edit->SetMaxLength(12);
    f.h.Type(10, "Žluťoučký");
    f.h.Key(20, VK_HOME);
    f.h.Key(30, VK_DELETE);   // "luťoučký"
    f.h.Key(40, VK_END);
    f.h.Key(50, VK_LEFT);
    f.h.Key(60, VK_BACK);     // "luťoučý"
    f.h.Key(70, VK_RIGHT);
    f.h.Type(80, "|☺kůň");    // '|' is allowed; a letter without a code page 1250 place is '?'
    f.h.RunFor(100);
    EXPECT_EQ(f.edit->Text(), "luťoučý|?kůň");
    EXPECT_EQ(f.edit->SelStart(), 12);
    f.h.Type(110, "x");       // beyond MaxLength
    f.h.RunFor(20);
    EXPECT_EQ(f.edit->Text(), "luťoučý|?kůň");
}

TEST(UiControls, EditKeyDownRunsFirstAndAZeroedKeyIsConsumed) {
    EditFixture f;
    f.edit->SetText("ab");
    int before = f.changes;
    f.edit->OnKeyDown = [&](TObject*, Word& key, TShiftState) {
        f.keysSeen.push_back(key);
        EXPECT_EQ(f.edit->Text(), "ab");  // before the edit acts
        if (key == VK_BACK) key = 0;
    };
    f.h.Key(10, VK_BACK);
    f.h.Key(20, VK_RETURN);
    f.h.RunFor(30);
    EXPECT_EQ(f.edit->Text(), "ab");
    EXPECT_EQ(f.changes, before);
    EXPECT_EQ(f.keysSeen, (std::vector<Word>{VK_BACK, VK_RETURN}));
}

struct AlignCase {
    TAlignment alignment;
    TTextLayout layout;
    const char* where;  // "left", "right", "centre" and "top", "middle", "bottom"
};

void PrintTo(const AlignCase& c, std::ostream* os) { *os << int(c.alignment) << "/" << int(c.layout); }

class UiControlsLabel : public ::testing::TestWithParam<AlignCase> {};

TEST_P(UiControlsLabel, TextIsPlacedByAlignmentAndLayout) {
    const AlignCase& c = GetParam();
    headless::Harness h;
    auto* form = new TForm(nullptr);
    form->SetColor(clWhite);
    auto* label = new TLabel(form);
    label->SetParent(form);
    label->SetAutoSize(false);
    label->SetTransparent(true);
    label->SetBounds(100, 100, 300, 100);
    label->Font()->Name = "Verdana";
    label->Font()->SetHeight(-17);
    label->Font()->Style = fsBold;
    label->SetAlignment(c.alignment);
    label->SetLayout(c.layout);
    label->SetCaption("zahradník");
    form->Show();
    h.RunFor(10);
    int minX = 1000, maxX = -1, minY = 1000, maxY = -1;
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x)
            if (h.Pixel(x, y) != clWhite) {
                EXPECT_TRUE(label->BoundsRect().Contains(x, y)) << x << "," << y;
                minX = std::min(minX, x), maxX = std::max(maxX, x);
                minY = std::min(minY, y), maxY = std::max(maxY, y);
            }
    ASSERT_GE(maxX, 0) << "no text drawn";
    std::string where = c.where;
    if (where.find("left") != std::string::npos) {
        EXPECT_LT(minX, 105);
    }
    if (where.find("right") != std::string::npos) {
        EXPECT_GT(maxX, 394);
    }
    if (where.find("centre") != std::string::npos) {
        EXPECT_NEAR((minX + maxX) / 2, 250, 3);
    }
    if (where.find("top") != std::string::npos) {
        EXPECT_LT(minY, 106);
    }
    if (where.find("bottom") != std::string::npos) {
        EXPECT_GT(maxY, 190);
    }
    if (where.find("middle") != std::string::npos) {
        EXPECT_NEAR((minY + maxY) / 2, 150, 5);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, UiControlsLabel,
                         ::testing::Values(AlignCase{taLeftJustify, tlTop, "left top"},
                                           AlignCase{taRightJustify, tlBottom, "right bottom"},
                                           AlignCase{taCenter, tlCenter, "centre middle"}));

TEST(UiControls, LabelAutoSizeFitsTheCaption) {
    headless::Harness h;
    auto* form = new TForm(nullptr);
    auto* label = new TLabel(form);
    label->SetParent(form);
    label->SetCaption("malíř pokojů");
    int oneLine = label->Height();
    EXPECT_GT(label->Width(), 20);
    label->SetCaption("malíř\r\npokojů");
    EXPECT_EQ(label->Height(), 2 * oneLine);
}

TEST(UiControls, RichEditShowsUnreadableBytesAsPlainText) {
    headless::Harness h;
    auto* form = new TForm(nullptr);
    auto* popis = new TRichEdit(form);
    popis->SetParent(form);
    popis->SetBorderStyle(bsNone);
    popis->SetBounds(407, 51, 224, 337);
    popis->SetColor(RGBColor(206, 255, 247));
    popis->SetText("Popis");
    EXPECT_EQ(popis->Text(), "Popis\r\n");
    popis->LoadRichText("hasi\xE8 po\x9E\xE1r");  // code page 1250, not rich text
    EXPECT_EQ(popis->Text(), "hasič požár\r\n");
    form->Show();
    h.RunFor(10);
    EXPECT_EQ(h.Pixel(630, 387), RGBColor(206, 255, 247));
    EXPECT_NE(h.Pixel(406, 387), RGBColor(206, 255, 247));
}

TEST(UiControls, RichEditLoadsRichTextAndShowsItOnItsColour) {
    headless::Harness h;
    auto* form = new TForm(nullptr);
    auto* popis = new TRichEdit(form);
    popis->SetParent(form);
    popis->SetBorderStyle(bsNone);
    popis->SetBounds(407, 51, 224, 337);
    const TColor paper = RGBColor(206, 255, 247);
    popis->SetColor(paper);
    popis->LoadRichText("{\\rtf1\\ansi\\deff0\r\n{\\fonttbl{\\f0\\fswiss\\fcharset238 Verdana;}}\r\n"
                        "\\pard\\plain \\qj\\f0\\fs20\\b Hasi\\'e8 hasi po\\'9e\\'e1r.\r\n\\par }");
    ASSERT_FALSE(popis->Document().paragraphs.empty());
    EXPECT_EQ(popis->Document().paragraphs[0].runs.at(0).text, "Hasič hasi požár.");
    form->Show();
    h.RunFor(10);
    int inked = 0;
    for (int y = 51; y < 80; ++y)
        for (int x = 407; x < 631; ++x) inked += h.Pixel(x, y) != paper;
    EXPECT_GT(inked, 20);
    EXPECT_EQ(h.Pixel(630, 387), paper);
}

struct CursorFixture {
    headless::Harness h;
    backend::CursorData arrow1, hand2;
    TForm* form = new TForm(nullptr);
    TLabel* button = new TLabel(form);
    TLabel* plain = new TLabel(form);
    TPanel* panel = new TPanel(form);

    CursorFixture() {
        Screen->SetCursors(1, &arrow1);
        Screen->SetCursors(2, &hand2);
        form->SetCursor(1);
        for (TControl* c : std::initializer_list<TControl*>{button, plain, panel}) c->SetParent(form);
        button->SetAutoSize(false);
        button->SetBounds(0, 0, 50, 50);
        button->SetCursor(2);
        plain->SetAutoSize(false);
        plain->SetBounds(100, 0, 50, 50);  // crDefault: the form's
        panel->SetBounds(200, 0, 50, 50);
        panel->SetCursor(crHandPoint);
        form->Show();
    }
};

TEST(UiControls, TheCursorShownIsThatOfTheControlUnderThePointer) {
    CursorFixture f;
    std::vector<HCURSOR> seen;
    auto look = [&] { seen.push_back(f.h.CursorShown()); };
    f.h.MoveTo(10, 300, 300);
    f.h.At(11, look);
    f.h.MoveTo(20, 10, 10);
    f.h.At(21, look);
    f.h.MoveTo(30, 110, 10);
    f.h.At(31, look);
    f.h.MoveTo(40, 210, 10);
    f.h.At(41, look);
    f.h.RunFor(50);
    EXPECT_EQ(seen, (std::vector<HCURSOR>{&f.arrow1, &f.hand2, &f.arrow1, Screen->Cursors(crHandPoint)}));

    // A handler changing the form's cursor during a move changes it at once.
    HCURSOR inHandler = nullptr;
    f.form->OnMouseMove = [&](TObject*, TShiftState, int, int) {
        f.form->SetCursor(2);
        inHandler = f.h.CursorShown();
    };
    f.h.MoveTo(60, 300, 300);
    f.h.RunFor(20);
    EXPECT_EQ(inHandler, &f.hand2);
    EXPECT_EQ(Screen->Cursors(7), Screen->Cursors(crArrow));  // an empty entry shows the arrow
}

TEST(UiControls, ShowCursorCountsAndHidesBelowZero) {
    headless::Harness h;
    struct Step {
        bool show;
        int count;
        bool visible;
    };
    for (Step s : {Step{false, -1, false}, Step{false, -2, false}, Step{true, -1, false}, Step{true, 0, true},
                   Step{true, 1, true}, Step{false, 0, true}}) {
        EXPECT_EQ(ShowCursor(s.show), s.count);
        EXPECT_EQ(h.PointerVisible(), s.visible) << s.count;
        EXPECT_EQ(h.ShowCursorCount(), s.count);
    }
}

TEST(UiControls, GetCursorPosReadsTheLivePointerAfterASleep) {
    headless::Harness h;
    auto* form = new TForm(nullptr);
    form->Show();
    TPoint seen{};
    h.MoveTo(100, 321, 123);
    h.At(10, [&] {
        ::Sleep(500);  // the move arrives meanwhile, unhandled
        GetCursorPos(&seen);
    });
    h.RunFor(600);
    EXPECT_EQ(seen, (TPoint{321, 123}));
}

}  // namespace

namespace {

TEST(UiControls, ActivationFocusesTheFirstControlByTabOrderAndOnEnterMayPassItOn) {
    std::vector<std::string> log;
    headless::Harness h;
    auto* page = new TForm(nullptr);
    auto* kurzor = new TEdit(page);
    kurzor->SetParent(page);
    kurzor->SetBounds(464, 424, 0, 21);  // zero width still takes the focus
    kurzor->SetTabOrder(1);
    auto* popis = new TRichEdit(page);
    popis->SetParent(page);
    popis->SetTabOrder(0);
    popis->OnEnter = [&](TObject*) {
        log.push_back("popis enter");
        kurzor->SetFocus();
    };
    popis->OnExit = [&](TObject*) { log.push_back("popis exit"); };
    kurzor->OnEnter = [&](TObject*) { log.push_back("kurzor enter"); };
    page->Show();
    EXPECT_EQ(log, (std::vector<std::string>{"popis enter", "popis exit", "kurzor enter"}));
    EXPECT_TRUE(kurzor->Focused());
    EXPECT_EQ(page->ActiveControl(), kurzor);
}

}  // namespace
