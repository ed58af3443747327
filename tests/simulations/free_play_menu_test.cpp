// The simulations menu's items 3, 4 and 5 open the model, the room painter
// and the make-up artist, each a new screen over its background.
#include "free_play_test_support.h"
#include "simulations/USimulaceMalir.h"
#include "simulations/USimulaceModelka.h"
#include "simulations/USimulaceVizazistka.h"

using namespace freeplaytest;

namespace {

struct ItemCase {
    const char* name;
    int item;
    TForm* (*screen)();
    const char* caption;
    const char* background;
    const char* help;
};
void PrintTo(const ItemCase& c, std::ostream* os) { *os << c.name; }

const ItemCase kItems[] = {
    {"Model", kModelItem, []() -> TForm* { return wndSimulaceModelka; }, "Velamo - Simulace: Modelka",
     "simul/modelka/pozadi.bmp", "modelka.wav"},
    {"RoomPainter", kPainterItem, []() -> TForm* { return wndSimulaceMalir; }, "Velamo - Simulace: Malíř pokojů",
     "simul/malpok/pozadi.bmp", "malir.wav"},
    {"MakeupArtist", kMakeupItem, []() -> TForm* { return wndSimulaceVizazistka; }, "Velamo - Simulace: Vizážistka",
     "simul/vizaz/pozadi.bmp", "vizaz.wav"},
};

class FreePlayMenu : public FreePlayTest, public ::testing::WithParamInterface<ItemCase> {};

TEST_P(FreePlayMenu, TheItemOpensItsScreenAnewAndTheBarLeadsBack) {
    const ItemCase& c = GetParam();
    OpenSimulation(c.item);
    TForm* first = nullptr;
    Then([this, &c, &first] {
        first = c.screen();
        ASSERT_NE(first, nullptr);
        EXPECT_EQ(h().ActiveForm(), first);
        EXPECT_EQ(first->Caption(), c.caption);
        EXPECT_FALSE(wndSimulace->Showing());
        // The title band of the background, untouched by anything drawn.
        EXPECT_TRUE(ScreenShows(h(), *TreePicture(c.background), 0, 0, 0, 0, 640, 10));
        auto* frame = static_cast<TScreenFrame*>(first);
        EXPECT_NE(frame->BarButton(TBarButton::Print), nullptr);
        EXPECT_TRUE(PictureAt(h().ScreenSurface(), *frame->Buffer, {0, 0}));
    });
    Click({kHelpX, kBarY});
    Then([this, &c] { EXPECT_EQ(Notices({"start", std::string("sound\\help\\") + c.help}).size(), 1u); });
    Click({kSimulationsX, kBarY});
    Then([this, &c] {
        EXPECT_EQ(c.screen(), nullptr) << "freed when closed";
        EXPECT_EQ(h().ActiveForm(), wndSimulace);
    });
    Run();
}

INSTANTIATE_TEST_SUITE_P(Table, FreePlayMenu, ::testing::ValuesIn(kItems),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
