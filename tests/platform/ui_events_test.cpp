// The order of events: activation and showing, application focus, mouse
// capture, enter and leave, clicks against double clicks, synthetic moves.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/backend/headless/harness.h"

namespace {

using Log = std::vector<std::string>;

// A form whose events are written to a shared log as "<name>.<event>".
TForm* LoggedForm(Log& log, const std::string& name) {
    auto* f = new TForm(nullptr);
    f->Name = name;
    f->OnShow = [&log, name](TObject*) { log.push_back(name + ".Show"); };
    f->OnHide = [&log, name](TObject*) { log.push_back(name + ".Hide"); };
    f->OnActivate = [&log, name](TObject*) { log.push_back(name + ".Activate"); };
    f->OnDeactivate = [&log, name](TObject*) { log.push_back(name + ".Deactivate"); };
    f->OnDestroy = [&log, name](TObject*) { log.push_back(name + ".Destroy"); };
    return f;
}

void LogMouse(Log& log, TControl* c, const std::string& name) {
    c->OnMouseDown = [&log, name](TObject*, TMouseButton b, TShiftState s, int x, int y) {
        log.push_back(name + ".Down" + std::to_string(int(b)) + ((s & ssDouble) ? "d" : "") + "@" +
                      std::to_string(x) + "," + std::to_string(y));
    };
    c->OnMouseUp = [&log, name](TObject*, TMouseButton b, TShiftState, int x, int y) {
        log.push_back(name + ".Up" + std::to_string(int(b)) + "@" + std::to_string(x) + "," + std::to_string(y));
    };
    c->OnClick = [&log, name](TObject*) { log.push_back(name + ".Click"); };
    c->OnDblClick = [&log, name](TObject*) { log.push_back(name + ".DblClick"); };
    c->OnMouseEnter = [&log, name](TObject*) { log.push_back(name + ".Enter"); };
    c->OnMouseLeave = [&log, name](TObject*) { log.push_back(name + ".Leave"); };
}

TLabel* PlainLabel(TForm* f, TRect r) {
    auto* l = new TLabel(f);
    l->SetParent(f);
    l->SetAutoSize(false);
    l->SetBoundsRect(r);
    return l;
}

TEST(UiEvents, ShowDeactivatesThePreviousFormBeforeOnShowAndHidingActivatesTheNext) {
    Log log;  // outlives the harness, which frees the forms
    headless::Harness h;
    TForm* backdrop = LoggedForm(log, "backdrop");
    backdrop->SetEnabled(false);
    TForm* town = LoggedForm(log, "town");
    TForm* page = LoggedForm(log, "page");
    backdrop->Show();
    town->Show();
    page->Show();
    EXPECT_EQ(log, (Log{"backdrop.Show", "town.Show", "town.Activate", "town.Deactivate", "page.Show",
                        "page.Activate"}));
    EXPECT_EQ(h.ActiveForm(), page);

    log.clear();
    town->Show();  // already visible: brought up and activated, no OnShow
    EXPECT_EQ(log, (Log{"page.Deactivate", "town.Activate"}));

    log.clear();
    town->Hide();  // the next visible enabled form takes over; never the backdrop
    EXPECT_EQ(log, (Log{"town.Hide", "town.Deactivate", "page.Activate"}));
    page->Hide();
    EXPECT_EQ(h.ActiveForm(), nullptr);
    page->Free();
    town->Free();
    backdrop->Free();
}

TEST(UiEvents, ApplicationFocusDeactivatesTheFormThenTheApplicationAndBack) {
    Log log;  // outlives the harness, which frees the forms
    headless::Harness h;
    TForm* page = LoggedForm(log, "page");
    Application->OnActivate = [&](TObject*) { log.push_back("app.Activate"); };
    Application->OnDeactivate = [&](TObject*) { log.push_back("app.Deactivate"); };
    page->Show();
    log.clear();
    h.FocusLost(10);
    h.FocusGained(20);
    h.RunFor(30);
    EXPECT_EQ(log, (Log{"page.Deactivate", "app.Deactivate", "app.Activate", "page.Activate"}));
}

TEST(UiEvents, TheControlPressedHoldsTheMouseUntilTheRelease) {
    Log log;  // outlives the harness, which frees the forms
    headless::Harness h;
    auto* form = new TForm(nullptr);
    TLabel* a = PlainLabel(form, Bounds(10, 10, 40, 40));
    TLabel* b = PlainLabel(form, Bounds(100, 10, 40, 40));
    LogMouse(log, a, "a");
    LogMouse(log, b, "b");
    std::vector<TPoint> moves;
    a->OnMouseMove = [&](TObject*, TShiftState s, int x, int y) {
        if (s & ssLeft) moves.push_back({x, y});
    };
    form->Show();
    h.MoveTo(10, 20, 20);
    h.MouseDown(20, 20, 20);
    h.MoveTo(30, 110, 20);  // onto b while held: still a's, no enter or leave
    h.MouseUp(40, 110, 20);
    h.RunFor(100);
    EXPECT_EQ(log, (Log{"a.Enter", "a.Down0@10,10", "a.Up0@100,10", "a.Leave", "b.Enter"}));
    EXPECT_EQ(moves, (std::vector<TPoint>{{100, 10}}));
}

TEST(UiEvents, EnterAndLeaveFollowThePointerAndPerformDoesNotDisturbThem) {
    Log log;  // outlives the harness, which frees the forms
    headless::Harness h;
    auto* form = new TForm(nullptr);
    LogMouse(log, form, "form");
    TLabel* a = PlainLabel(form, Bounds(10, 10, 40, 40));
    TLabel* disabled = PlainLabel(form, Bounds(100, 10, 40, 40));
    TLabel* hidden = PlainLabel(form, Bounds(200, 10, 40, 40));
    LogMouse(log, a, "a");
    LogMouse(log, disabled, "disabled");
    LogMouse(log, hidden, "hidden");
    disabled->SetEnabled(false);
    hidden->Hide();
    form->Show();
    h.MoveTo(10, 300, 300);
    h.MoveTo(20, 20, 20);
    h.At(30, [&] { a->Perform(CM_MOUSELEAVE); });
    h.MoveTo(40, 25, 25);   // still on a: no new enter
    h.MoveTo(50, 110, 20);  // disabled labels still get enter and leave ...
    h.Click(60, 110, 20);   // ... but their clicks go to what lies below
    h.MoveTo(200, 210, 20); // hidden ones are passed over entirely
    h.RunFor(300);
    EXPECT_EQ(log, (Log{"form.Enter", "form.Leave", "a.Enter", "a.Leave", "a.Leave", "disabled.Enter",
                        "form.Down0@110,20", "form.Click", "form.Up0@110,20", "disabled.Leave", "form.Enter"}));
}

struct ClickCase {
    const char* name;
    std::uint64_t secondPressAfter;  // ms after the first press
    int dx;                          // the second press's offset
    Log expected;
};

void PrintTo(const ClickCase& c, std::ostream* os) { *os << c.name; }

class UiEventsClicks : public ::testing::TestWithParam<ClickCase> {};

TEST_P(UiEventsClicks, ASecondQuickPressIsADoubleClickWithoutItsOwnClick) {
    const ClickCase& c = GetParam();
    Log log;  // outlives the harness, which frees the forms
    headless::Harness h;
    auto* form = new TForm(nullptr);
    TLabel* a = PlainLabel(form, Bounds(0, 0, 100, 100));
    LogMouse(log, a, "a");
    a->OnMouseEnter = nullptr;
    form->Show();
    h.Click(10, 50, 50);
    h.Click(10 + c.secondPressAfter, 50 + c.dx, 50);
    h.RunFor(2000);
    EXPECT_EQ(log, c.expected) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, UiEventsClicks,
    ::testing::Values(
        ClickCase{"quick", 100, 0,
                  {"a.Down0@50,50", "a.Click", "a.Up0@50,50", "a.DblClick", "a.Down0d@50,50", "a.Up0@50,50"}},
        ClickCase{"at the time limit", 500, 4,
                  {"a.Down0@50,50", "a.Click", "a.Up0@50,50", "a.DblClick", "a.Down0d@54,50", "a.Up0@54,50"}},
        ClickCase{"too late", 501, 0,
                  {"a.Down0@50,50", "a.Click", "a.Up0@50,50", "a.Down0@50,50", "a.Click", "a.Up0@50,50"}},
        ClickCase{"too far", 100, 5,
                  {"a.Down0@50,50", "a.Click", "a.Up0@50,50", "a.Down0@55,50", "a.Click", "a.Up0@55,50"}}),
    [](const auto& info) {
        std::string n = info.param.name;
        for (char& ch : n)
            if (ch == ' ') ch = '_';
        return n;
    });

TEST(UiEvents, ClicksNeedPressAndReleaseOnTheSameControlAndTheLeftButton) {
    Log log;  // outlives the harness, which frees the forms
    headless::Harness h;
    auto* form = new TForm(nullptr);
    TLabel* a = PlainLabel(form, Bounds(0, 0, 50, 50));
    LogMouse(log, a, "a");
    a->OnMouseEnter = a->OnMouseLeave = nullptr;
    a->OnMouseDown = a->OnMouseUp = nullptr;
    form->Show();
    h.MouseDown(10, 10, 10);
    h.MouseUp(20, 200, 200);  // released elsewhere: no click
    h.Click(1000, 10, 10, mbRight);
    h.Click(2000, 10, 10);
    h.RunFor(3000);
    EXPECT_EQ(log, (Log{"a.Click"}));
}

TEST(UiEvents, ChildWindowsTakeTheMouseOverGraphicControlsAndLaterLabelsLieOnTop) {
    Log log;  // outlives the harness, which frees the forms
    headless::Harness h;
    auto* form = new TForm(nullptr);
    TLabel* under = PlainLabel(form, Bounds(0, 0, 100, 100));
    TLabel* over = PlainLabel(form, Bounds(50, 0, 100, 100));
    auto* panel = new TPanel(form);
    panel->SetParent(form);
    panel->SetBounds(0, 50, 200, 50);
    for (auto [c, n] : {std::pair<TControl*, const char*>{under, "under"}, {over, "over"}, {panel, "panel"}}) {
        std::string name = n;
        c->OnClick = [&log, name](TObject*) { log.push_back(name); };
    }
    form->Show();
    h.Click(10, 10, 10);
    h.Click(1000, 70, 10);
    h.Click(2000, 70, 70);
    h.RunFor(3000);
    EXPECT_EQ(log, (Log{"under", "over", "panel"}));
}

TEST(UiEvents, AWindowAppearingUnderAStillPointerGetsAMouseMove) {
    Log log;  // outlives the harness, which frees the forms
    headless::Harness h;
    auto* below = new TForm(nullptr);
    auto* above = new TForm(nullptr);
    below->OnMouseMove = [&](TObject*, TShiftState, int x, int y) { log.push_back("below"); };
    above->OnMouseMove = [&](TObject*, TShiftState, int x, int y) {
        log.push_back("above@" + std::to_string(x) + "," + std::to_string(y));
    };
    below->Show();
    h.MoveTo(10, 30, 40);
    h.At(20, [&] { above->Show(); });
    h.RunFor(100);
    EXPECT_EQ(log, (Log{"below", "below", "above@30,40"}));
}

TEST(UiEvents, AClickActivatesTheFormItLandsOn) {
    Log log;  // outlives the harness, which frees the forms
    headless::Harness h;
    TForm* splash = LoggedForm(log, "splash");
    splash->SetFormStyle(fsStayOnTop);
    splash->SetBounds(0, 0, 100, 100);
    TForm* town = LoggedForm(log, "town");
    splash->Show();
    town->Show();
    log.clear();
    h.Click(10, 50, 50);
    h.RunFor(100);
    EXPECT_EQ(log, (Log{"town.Deactivate", "splash.Activate"}));
}

}  // namespace
