// The message loop: nested waits, deferred freeing, the exception guard,
// Terminate, timers, the clock's wrap, the modal message box.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "platform/backend/headless/harness.h"

namespace {

using Log = std::vector<std::string>;

// The program's pumping wait, as it is written over the platform.
void Delay(DWORD ms) {
    if (ms == 0) return;
    Application->WaitUntil(GetTickCount() + ms);
}

TLabel* ClickArea(TForm* f, TRect r, TNotifyEvent onClick) {
    auto* l = new TLabel(f);
    l->SetParent(f);
    l->SetAutoSize(false);
    l->SetBoundsRect(r);
    l->OnClick = std::move(onClick);
    return l;
}

TForm* gPage = nullptr;

TEST(UiLoop, AFormClosedDuringItsOwnWaitIsFreedOnlyAfterThatHandlerReturns) {
    Log log;
    headless::Harness h;
    auto* page = new TForm(nullptr);
    page->BindGlobal(gPage);
    page->OnClose = [&](TObject*, TCloseAction& action) {
        log.push_back("close");
        action = caFree;
    };
    page->OnDestroy = [&](TObject*) { log.push_back("destroy"); };
    ClickArea(page, Bounds(0, 0, 100, 100), [&](TObject*) {
        log.push_back("wait begins");
        Delay(1000);
        log.push_back(std::string("wait ends, page ") + (gPage ? "alive" : "gone"));
    });
    ClickArea(page, Bounds(200, 0, 100, 100), [&](TObject*) { gPage->Close(); });
    page->Show();
    h.Click(10, 50, 50);
    h.Click(300, 250, 50);
    h.At(600, [&] { log.push_back(std::string("mid-wait, page ") + (gPage ? "alive" : "gone")); });
    h.RunFor(2000);
    EXPECT_EQ(log, (Log{"wait begins", "close", "mid-wait, page alive", "wait ends, page alive", "destroy"}));
    EXPECT_EQ(gPage, nullptr);
    EXPECT_TRUE(h.VisibleForms().empty());
}

TEST(UiLoop, ReleaseWaitsForMessagesAlreadyQueuedForTheForm) {
    Log log;
    headless::Harness h;
    auto* table = new TForm(nullptr);
    table->BindGlobal(gPage);
    table->OnDestroy = [&](TObject*) { log.push_back("destroy"); };
    Application->Post(table, [&] { log.push_back("queued before"); });
    table->Release();
    Application->Post(table, [&] { log.push_back("queued after"); });
    h.RunFor(10);
    EXPECT_EQ(log, (Log{"queued before", "destroy"}));  // what came after is dropped with it
    EXPECT_EQ(gPage, nullptr);
}

TEST(UiLoop, AnExceptionInsideANestedWaitLeavesOnlyTheInnerHandler) {
    Log log;
    headless::Harness h;
    auto* form = new TForm(nullptr);
    Application->OnException = [&](TObject* sender, Exception& e) {
        log.push_back("handled " + e.Message + " from " + static_cast<TComponent*>(sender)->Name);
    };
    ClickArea(form, Bounds(0, 0, 100, 100), [&](TObject*) {
        log.push_back("outer begins");
        Delay(1000);
        log.push_back("outer ends");
    })->Name = "outer";
    ClickArea(form, Bounds(200, 0, 100, 100), [&](TObject*) {
        log.push_back("inner");
        throw Exception("Cannot open file x.bmp");
    })->Name = "inner";
    ClickArea(form, Bounds(400, 0, 100, 100), [&](TObject*) {
        throw std::runtime_error("plain failure");
    })->Name = "plain";
    form->Show();
    h.Click(10, 50, 50);
    h.Click(200, 250, 50);
    h.Click(400, 450, 50);
    h.RunFor(2000);
    EXPECT_EQ(log, (Log{"outer begins", "inner", "handled Cannot open file x.bmp from inner",
                        "handled plain failure from plain", "outer ends"}));

    // Without a handler the exception is dropped and the loop goes on.
    Application->OnException = nullptr;
    h.Click(3000, 250, 50);
    h.RunFor(2000);
    EXPECT_EQ(log.back(), "inner");
}

TEST(UiLoop, AnExceptionInOnCreateStillLeavesTheForm) {
    struct TTable : TForm {
        explicit TTable(Log& log) : TForm(nullptr) {
            OnCreate = [&log](TObject*) {
                log.push_back("create");
                throw EConvertError("'x' is not a valid integer value");
            };
            DoCreate();
        }
    };
    Log log;
    headless::Harness h;
    Application->OnException = [&](TObject*, Exception& e) { log.push_back(e.Message); };
    auto* table = new TTable(log);
    EXPECT_EQ(log, (Log{"create", "'x' is not a valid integer value"}));
    table->Show();
    EXPECT_EQ(h.VisibleForms(), (std::vector<TForm*>{table}));
}

TEST(UiLoop, TerminateInsideANestedWaitEndsRunOnceBackInTheMainLoop) {
    Log log;
    headless::Harness h;
    auto* form = new TForm(nullptr);
    ClickArea(form, Bounds(0, 0, 100, 100), [&](TObject*) {
        log.push_back("wait begins");
        Delay(100000);
        log.push_back("wait ends at " + std::to_string(h.Now()));
    });
    auto* credits = new TTimer(form);
    credits->SetInterval(1000);
    credits->OnTimer = [&](TObject*) {
        log.push_back("terminate");
        Application->Terminate();
        Application->ProcessMessages();  // returns at once now
    };
    form->Show();
    h.Click(10, 50, 50);
    Application->Run();
    EXPECT_EQ(log, (Log{"wait begins", "terminate", "wait ends at 1000"}));
}

struct TimerCase {
    const char* name;
    int interval;
    // Changes made at given times: set the interval, or enable/disable.
    std::vector<std::pair<std::uint64_t, std::function<void(TTimer*)>>> changes;
    std::vector<std::uint64_t> fires;  // within the first 1000 ms
};

void PrintTo(const TimerCase& c, std::ostream* os) { *os << c.name; }

class UiLoopTimers : public ::testing::TestWithParam<TimerCase> {};

TEST_P(UiLoopTimers, FireTimes) {
    const TimerCase& c = GetParam();
    headless::Harness h;
    auto* form = new TForm(nullptr);
    auto* timer = new TTimer(form);
    timer->SetInterval(c.interval);
    std::vector<std::uint64_t> fires;
    timer->OnTimer = [&](TObject*) { fires.push_back(h.Now()); };
    for (const auto& [at, change] : c.changes) h.At(at, [timer, fn = change] { fn(timer); });
    h.RunFor(1000);
    EXPECT_EQ(fires, c.fires);
    EXPECT_TRUE(timer->Enabled() || !c.changes.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, UiLoopTimers,
    ::testing::Values(
        TimerCase{"every_interval", 300, {}, {300, 600, 900}},
        TimerCase{"zero_never_fires", 0, {}, {}},
        TimerCase{"negative_never_fires", -200, {}, {}},
        TimerCase{"changed_interval_counts_afresh", 300, {{450, [](TTimer* t) { t->SetInterval(200); }}},
                  {300, 650, 850}},
        TimerCase{"same_interval_does_not_restart", 300, {{450, [](TTimer* t) { t->SetInterval(300); }}},
                  {300, 600, 900}},
        TimerCase{"re_enabled_counts_afresh", 300,
                  {{400, [](TTimer* t) { t->SetEnabled(false); }}, {500, [](TTimer* t) { t->SetEnabled(true); }}},
                  {300, 800}},
        TimerCase{"zero_then_positive", 0, {{100, [](TTimer* t) { t->SetInterval(400); }}}, {500, 900}}));

TEST(UiLoop, AtMostOneTickIsPendingAfterALongHandler) {
    headless::Harness h;
    auto* form = new TForm(nullptr);
    auto* timer = new TTimer(form);
    timer->SetInterval(100);
    std::vector<std::uint64_t> fires;
    timer->OnTimer = [&](TObject*) {
        fires.push_back(h.Now());
        if (fires.size() == 1) ::Sleep(350);  // processes nothing meanwhile
    };
    h.RunFor(600);
    EXPECT_EQ(fires, (std::vector<std::uint64_t>{100, 450, 550}));
}

TEST(UiLoop, TheClockWrapsPast2To32) {
    headless::Harness::Options o;
    o.startTick = 0xFFFFFF00u;
    headless::Harness h(o);
    EXPECT_EQ(GetTickCount(), 0xFFFFFF00u);

    // A wait whose end tick wraps ends at once, as the program's Delay does.
    Delay(0x105);
    EXPECT_EQ(h.Now(), 0u);

    auto* form = new TForm(nullptr);
    auto* timer = new TTimer(form);
    timer->SetInterval(100);
    std::vector<DWORD> ticks;
    timer->OnTimer = [&](TObject*) { ticks.push_back(GetTickCount()); };
    h.RunFor(350);
    EXPECT_EQ(ticks, (std::vector<DWORD>{0xFFFFFF64u, 0xFFFFFFC8u, 0x0000002Cu}));

    // Past the wrap, waits count normally again.
    std::uint64_t before = h.Now();
    timer->SetEnabled(false);
    Delay(100);
    EXPECT_EQ(h.Now(), before + 100);
}

TEST(UiLoop, WaitsEndOnVirtualTimeOrWhenAHandlerEndsThem) {
    headless::Harness h;
    DWORD start = GetTickCount();
    Application->WaitUntil(start + 250);
    EXPECT_EQ(GetTickCount() - start, 250u);

    // A loop that only polls the clock still ends.
    DWORD end = GetTickCount() + 20;
    while (end > GetTickCount()) Application->ProcessMessages();
    EXPECT_GE(GetTickCount(), end);

    // A wait with a condition ends when a handler changes it.
    bool memorising = true;
    auto* form = new TForm(nullptr);
    auto* timer = new TTimer(form);
    timer->SetInterval(700);
    timer->OnTimer = [&](TObject*) { memorising = false; };
    std::uint64_t before = h.Now();
    Application->WaitUntil(GetTickCount() + 90000, [&] { return !memorising; });
    EXPECT_EQ(h.Now() - before, 700u);
}

TEST(UiLoop, TheMessageBoxIsAnsweredAtOnceByDefaultAndNoticed) {
    headless::Harness h;
    EXPECT_EQ(Application->MessageBox("Nelze načíst vyžadovaný soubor.", "Velamo", MB_ICONSTOP), IDOK);
    ASSERT_EQ(h.MessageBoxes().size(), 1u);
    EXPECT_EQ(h.MessageBoxes()[0].caption, "Velamo");
    EXPECT_EQ(h.MessageBoxes()[0].flags, MB_ICONSTOP);
    EXPECT_EQ(h.NoticeTexts(), (std::vector<String>{"message box: Velamo: Nelze načíst vyžadovaný soubor."}));
}

struct BoxAnswer {
    const char* name;
    std::function<void(headless::Harness&, TForm* box, std::uint64_t at)> answer;
};

void PrintTo(const BoxAnswer& c, std::ostream* os) { *os << c.name; }

class UiLoopMessageBox : public ::testing::TestWithParam<BoxAnswer> {};

TEST_P(UiLoopMessageBox, IsModalOverActiveFormsAndClosedByItsAnswer) {
    Log log;
    headless::Harness::Options o;
    o.answerMessageBoxesAtOnce = false;
    headless::Harness h(o);
    auto* page = new TForm(nullptr);
    page->SetColor(clWhite);
    page->OnDeactivate = [&](TObject*) { log.push_back("page deactivated"); };
    int ticks = 0;
    auto* timer = new TTimer(page);
    timer->SetInterval(100);
    timer->OnTimer = [&](TObject*) { ++ticks; };
    ClickArea(page, Bounds(0, 0, 100, 100), [&](TObject*) {
        log.push_back("box opens");
        int r = Application->MessageBox("Grafická karta neumožňuje\n\rokamžité přepnutí", "Velamo",
                                        MB_ICONINFORMATION);
        log.push_back("box answered " + std::to_string(r) + " at " + std::to_string(h.Now()));
    });
    page->Show();
    h.Click(10, 50, 50);
    h.At(200, [&] {
        std::vector<TForm*> forms = h.VisibleForms();
        ASSERT_EQ(forms.size(), 2u);
        TForm* box = forms.back();
        EXPECT_EQ(h.ActiveForm(), page);
        EXPECT_EQ(h.Pixel(box->Left() + 3, box->Top() + 5), clNavy);  // its caption bar
        EXPECT_EQ(h.Pixel(5, 200), clWhite);  // the page stays seen beside it
        log.push_back("ticks go on: " + std::string(ticks >= 1 ? "yes" : "no"));
        h.Click(300, 50, 50);  // on the page below: refused
        GetParam().answer(h, box, 600);
    });
    h.RunFor(2000);
    EXPECT_EQ(log, (Log{"box opens", "ticks go on: yes", "box answered 1 at 600"}));
    EXPECT_EQ(h.VisibleForms(), (std::vector<TForm*>{page}));
}

INSTANTIATE_TEST_SUITE_P(
    Answers, UiLoopMessageBox,
    ::testing::Values(BoxAnswer{"Enter", [](headless::Harness& h, TForm*, std::uint64_t at) { h.Key(at, VK_RETURN); }},
                      BoxAnswer{"Space", [](headless::Harness& h, TForm*, std::uint64_t at) { h.Key(at, VK_SPACE); }},
                      BoxAnswer{"Escape",
                                [](headless::Harness& h, TForm*, std::uint64_t at) { h.Key(at, VK_ESCAPE); }},
                      BoxAnswer{"ClickOnOk", [](headless::Harness& h, TForm* box, std::uint64_t at) {
                                    // The OK button sits centred near the bottom edge.
                                    h.Click(at - headless::Harness::kClickHoldMs, box->Left() + box->Width() / 2,
                                            box->Top() + box->Height() - 25);
                                }}));

TEST(UiLoop, ApplicationNamesAndMainForm) {
    TForm* first = nullptr;  // the program's globals outlive the application
    TForm* second = nullptr;
    headless::Harness h;
    EXPECT_FALSE(Application->ExeName().empty());
    EXPECT_EQ(Application->ExeName()[0], '/');
    Application->CreateForm(first);
    Application->CreateForm(second);
    EXPECT_EQ(Application->MainForm(), first);
    second->Free();
    EXPECT_EQ(second, nullptr);  // the created form's reference is cleared
}

}  // namespace

namespace {

struct CloseCase {
    const char* name;
    TCloseAction action;
    bool throws;
    bool isMain;
    bool visibleAfter;
    bool aliveAfter;
    bool terminated;
};

void PrintTo(const CloseCase& c, std::ostream* os) { *os << c.name; }

class UiLoopClose : public ::testing::TestWithParam<CloseCase> {};

TEST_P(UiLoopClose, OnCloseDecidesWhatHappens) {
    const CloseCase& c = GetParam();
    TForm* mainForm = nullptr;
    TForm* page = nullptr;
    headless::Harness h;
    Application->CreateForm(mainForm);
    mainForm->Show();
    if (c.isMain) {
        page = mainForm;
    } else {
        page = new TForm(nullptr);
        page->BindGlobal(page);
        page->Show();
    }
    page->OnClose = [&](TObject*, TCloseAction& action) {
        EXPECT_EQ(action, caHide);  // the default for every form
        action = c.action;
        if (c.throws) throw EFCreateError("hasic.dat");
    };
    try {
        page->Close();
    } catch (const Exception&) {
        EXPECT_TRUE(c.throws);  // it reaches the caller's handler
    }
    h.RunFor(10);
    EXPECT_EQ(page != nullptr, c.aliveAfter);
    if (page) {
        EXPECT_EQ(FormOnScreen(page), c.visibleAfter);
    }
    EXPECT_EQ(Application->Terminated(), c.terminated);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, UiLoopClose,
    ::testing::Values(CloseCase{"hide", caHide, false, false, false, true, false},
                      CloseCase{"none", caNone, false, false, true, true, false},
                      CloseCase{"minimize", caMinimize, false, false, false, true, false},
                      CloseCase{"free", caFree, false, false, false, false, false},
                      CloseCase{"exception_stops_the_close", caHide, true, false, true, true, false},
                      CloseCase{"main_form_ends_the_run", caHide, false, true, true, true, true}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
