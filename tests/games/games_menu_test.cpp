// The two picture menus and the screen frame they stand on: hover pictures
// on the window, the bar's navigation between the town and the menus, and a
// screen closed from its bar during its own pause.
#include "games_test_support.h"

using namespace gametest;

namespace {

class Menus : public ScreenTest {};

struct MenuCase {
    const char* name;
    int townButtonX;  // opens the menu over the town
    const char* folder;
    std::span<const TMenuEntry> entries;
    TPictureMenu* (*menu)();
};
void PrintTo(const MenuCase& c, std::ostream* os) { *os << c.name; }

const MenuCase kMenus[] = {
    {"Games", kGamesX, "hry/hl_obr/", kGamesMenuPlaces, []() -> TPictureMenu* { return wndHry; }},
    {"Simulations", kSimulationsX, "simul/vyber/", kSimulationsMenuPlaces,
     []() -> TPictureMenu* { return wndSimulace; }},
};

class MenuEntries : public ProgramTest, public ::testing::WithParamInterface<MenuCase> {};

TEST_P(MenuEntries, HoverShowsTheEntrysPictureOnTheWindowUntilLeaveOrRepaint) {
    const MenuCase& c = GetParam();
    h().Click(kReady, c.townButtonX, kBarY);
    std::uint64_t t = kReady + 500;
    for (const TMenuEntry& e : c.entries) {
        // The area's centre and two opposite corners: an area moved any way
        // loses one of them. (The top-right and bottom-left ones: entries 1
        // and 10 of the games menu overlap at the others.)
        const TPoint inside[] = {HotAreaCentre(e), {e.HotArea.Right - 1, e.HotArea.Top},
                                 {e.HotArea.Left, e.HotArea.Bottom - 1}};
        for (const TPoint& p : inside) {
            h().MoveTo(t, p.X, p.Y);
            h().At(t + 10, [&c, e, p, this] {
                auto hover = LoadPicture(kAppDir + c.folder + e.Name + "2.bmp");
                EXPECT_TRUE(
                    ScreenShows(h(), *hover, 0, 0, e.Position.X, e.Position.Y, hover->Width(), hover->Height()))
                    << e.Name << " at (" << p.X << ", " << p.Y << ")";
            });
            h().MoveTo(t + 20, p.X, 419);  // below every hot area, above the bar
            t += 30;
        }
        const TPoint centre = HotAreaCentre(e);
        h().MoveTo(t, centre.X, centre.Y);
        h().At(t + 10, [&c] { c.menu()->Repaint(); });
        h().At(t + 20, [&c, e, this] {
            // The repaint shows Buffer, which holds the normal look.
            EXPECT_TRUE(ScreenShows(h(), *c.menu()->Buffer, e.Position.X, e.Position.Y, e.Position.X, e.Position.Y,
                                    20, 20))
                << e.Name;
        });
        h().MoveTo(t + 30, centre.X, 419);
        h().At(t + 40, [&c, e, this] {
            auto normal = LoadPicture(kAppDir + c.folder + e.Name + "1.bmp");
            EXPECT_TRUE(ScreenShows(h(), *normal, 0, 0, e.Position.X, e.Position.Y, normal->Width(),
                                    normal->Height()))
                << e.Name;
        });
        t += 100;
    }
    EndAt(t);
    RunProgram();
}

INSTANTIATE_TEST_SUITE_P(Both, MenuEntries, ::testing::ValuesIn(kMenus),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Menus, TownShowsEachMenuOverItselfAndTheMenusReachEachOtherAndTheTown) {
    struct Step {
        int x;
        std::function<TForm*()> active;
    };
    const std::vector<Step> steps = {
        {kGamesX, [] { return wndHry; }},             // town → games menu, the town below
        {kSimulationsX, [] { return wndSimulace; }},  // games menu → simulations menu
        {kGamesX, [] { return wndHry; }},             // simulations menu → games menu
        {kMenuX, [] { return wndVelamo; }},           // games menu → town
        {kSimulationsX, [] { return wndSimulace; }},  // town → simulations menu
        {kMenuX, [] { return wndVelamo; }},           // simulations menu → town
    };
    std::uint64_t t = kReady;
    for (const Step& s : steps) {
        h().Click(t, s.x, kBarY);
        h().At(t + 400, [this, &s] {
            EXPECT_EQ(h().ActiveForm(), s.active());
            EXPECT_TRUE(wndVelamo->Showing());
            // Only the active menu is shown; the others are hidden, never freed.
            for (TForm* menu : {static_cast<TForm*>(wndHry), static_cast<TForm*>(wndSimulace)})
                EXPECT_EQ(menu->Showing(), menu == s.active());
        });
        t += 800;
    }
    EndAt(t);
    RunProgram();
}

TEST_F(Menus, ExitButtonAsksOverTheMenusPicture) {
    h().Click(kReady, kGamesX, kBarY);
    h().Click(kReady + 800, kExitX, kBarY);
    h().At(kReady + 1500, [] {
        ASSERT_TRUE(wndKonec->Showing());
        EXPECT_TRUE(wndHry->Showing());
        auto question = LoadPicture(kAppDir + "hl_obr/exit.bmp");
        // A corner outside the question: the menu's picture dimmed.
        EXPECT_EQ(wndKonec->Buffer->Pixels().Get(3, 3), Dimmed(wndHry->Buffer->Pixels().Get(3, 3)));
        Application->Terminate();
    });
    RunProgram();
}

// A screen on the frame whose press on its picture pauses for a second.
class TPausingScreen : public TScreenFrame {
public:
    explicit TPausingScreen(TComponent* AOwner)
        : TScreenFrame(AOwner, {.Caption = "pausing", .Menu = TScreenMenu::Games}) {
        OnCreate = [this](TObject*) {
            Buffer->SetSize(640, 480);
            CreateBottomBar({TBarButton::Menu, TBarButton::Games});
        };
        OnMouseDown = [this](TObject*, TMouseButton, TShiftState, int, int) {
            ++pauses;
            stillOpen = Pause(1000);
            // The screen is not freed under its handler: its fields are there.
            aliveAfterPause = Buffer != nullptr && Closed() == !stillOpen;
        };
        DoCreate();
    }
    int pauses = 0;
    bool stillOpen = true;
    bool aliveAfterPause = false;
};
TPausingScreen* pausing = nullptr;

TEST_F(Menus, ScreenClosedFromItsBarDuringItsPauseIsFreedAfterTheHandler) {
    h().At(kReady, [] { OpenScreen(pausing); });
    h().Click(kReady + 100, 320, 200);                  // pauses until +1100
    h().Click(kReady + 400, kGamesX, kBarY);            // closed meanwhile
    h().At(kReady + 600, [this] {
        ASSERT_NE(pausing, nullptr);  // still alive: its handler runs
        EXPECT_TRUE(pausing->Closed());
        EXPECT_FALSE(pausing->Showing());
        EXPECT_EQ(h().ActiveForm(), wndHry);
    });
    bool sawResult = false;
    h().At(kReady + 1101, [&] {
        // The handler has returned and the loop freed the screen.
        sawResult = pausing == nullptr;
        Application->Terminate();
    });
    RunProgram();
    EXPECT_TRUE(sawResult);
}

TEST_F(Menus, MessageWindowsSecondButtonClosesTheScreenAndShowsItsMenu) {
    h().At(kReady, [] {
        OpenScreen(pausing);
        pausing->CloseAndShowMenu();
    });
    h().At(kReady + 100, [] {
        EXPECT_EQ(pausing, nullptr);
        EXPECT_TRUE(wndHry->Showing());
        Application->Terminate();
    });
    RunProgram();
}

TEST_F(Menus, PointerHiddenByAScreenComesBackWhenItIsFreed) {
    h().At(kReady, [this] {
        OpenScreen(pausing);
        pausing->HidePointer(true);
        pausing->HidePointer(true);  // once only
        EXPECT_FALSE(h().PointerVisible());
        pausing->Close();
    });
    h().At(kReady + 100, [this] {
        EXPECT_EQ(pausing, nullptr);
        EXPECT_TRUE(h().PointerVisible());
        EXPECT_EQ(h().ShowCursorCount(), 0);
        Application->Terminate();
    });
    RunProgram();
}

}  // namespace
