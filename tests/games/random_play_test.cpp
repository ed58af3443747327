// A child let loose on the games: random clicks, presses and moves at random
// times over whatever screen is up, the games menu's entries, the games' own
// hot spots and the bar's buttons often, presses held long, the input lost
// and regained now and then. Checked all the time: the pointer is hidden
// exactly while the screen in front hides it, one game at a time is open,
// and the windows that stand over a game belong to it. The games draw their
// rounds from the clock, so runs differ: a failure shows the last actions.
#include <deque>
#include <optional>
#include <random>
#include <typeinfo>

#include "games/UCiToJe.h"
#include "games/UCiToJe2.h"
#include "games/UDvojice.h"
#include "games/UKdoPatriObr.h"
#include "games/UKdoPatriZvuk.h"
#include "games/UKdoToJe.h"
#include "games/UKdoToJe2.h"
#include "games/UPexeso.h"
#include "games/UPoradek.h"
#include "games_test_support.h"

using namespace gametest;

namespace {

std::vector<TScreenFrame*> OpenGames() {
    std::vector<TScreenFrame*> out;
    for (TScreenFrame* s :
         std::initializer_list<TScreenFrame*>{wndCiToJe, wndPoradek, wndDvojice, wndKdoPatriObr, wndKdoPatriZvuk,
                                              wndKdoToJe, wndKdoToJe2, wndPexeso})
        if (s && !s->Closed()) out.push_back(s);
    return out;
}

class RandomPlay : public ScreenTest, public ::testing::WithParamInterface<unsigned> {
protected:
    std::mt19937 rng{GetParam()};
    std::uint64_t lastNo_ = 0;
    std::uint64_t leftHeldUntil_ = 0;
    std::uint64_t focusBackAt_ = 0;
    std::deque<std::string> trail_;  // the last actions
    int Rand(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); }

    template <class Controls>
    TPoint AnyOf(const Controls& controls) {
        const TControl* c = controls[std::size_t(1 + Rand(int(controls.size())))];
        return {c->Left() + 1 + Rand(c->Width() - 2), c->Top() + 1 + Rand(c->Height() - 2)};
    }

    // A point on something of the active game that answers.
    std::optional<TPoint> GameSpot(TForm* active) {
        if (active == wndKdoPatriZvuk) return AnyOf(wndKdoPatriZvuk->Cells);
        if (active == wndKdoToJe) return AnyOf(wndKdoToJe->NameSlots);
        if (active == wndKdoToJe2) return AnyOf(wndKdoToJe2->Cells);
        if (active == wndPoradek) {
            return Rand(2) ? TPoint{51 + 60 * Rand(9) + 28, 311} : TPoint{39 + 110 * Rand(5) + 60, 160};
        }
        if (active == wndDvojice) return TPoint{39 + 92 * Rand(5) + 45, (Rand(2) ? 47 : 199) + 75};
        if (active == wndPexeso) return TPoint{29 + 80 * Rand(6) + 40, 10 + 80 * Rand(5) + 40};
        if (active == wndKdoPatriObr) {
            const int r = Rand(3);
            return r == 0 ? TPoint{457, 55} : r == 1 ? TPoint{457, 375} : TPoint{545, 215};
        }
        if (active == wndCiToJe) {
            // A place in view, or the thing's box.
            if (Rand(5) == 0) return TPoint{595, 449};
            for (int k = 0; k < 10; ++k) {
                const TTownPlace& place = TownPlaceTable[std::size_t(Rand(TownPlaceCount))];
                const int x = place.SamplePoint.X + wndCiToJe->ScrollOffset + 6;
                if (x >= 6 && x < 634) return TPoint{x, place.SamplePoint.Y + 6};
            }
        }
        return std::nullopt;
    }

    TPoint Target() {
        TForm* active = h().ActiveForm();
        // The exit question: no, once (its answer takes 1.7 s).
        if (wndKonec->Showing()) {
            if (h().Now() < lastNo_ + 2500) return {20, 20};
            lastNo_ = h().Now();
            return {458, 286};
        }
        if (active == wndHry && Rand(10) < 7) return HotAreaCentre(kGamesMenuPlaces[Rand(10)]);
        if (active == wndVelamo && Rand(2) == 0) return {kGamesX, kBarY};
        if (Rand(10) < 4) {
            if (const auto spot = GameSpot(active)) return *spot;
        }
        const int r = Rand(100);
        if (r < 8) return {kGamesX, kBarY};
        if (r < 11) return {kHelpX, kBarY};
        if (r < 13) return {kMenuX, kBarY};
        if (r < 15) return {kExitX, kBarY};
        if (r < 18) return {kBackX, kBarY};
        if (wndHlaska->Showing() && r < 40) return {Rand(2) ? 241 : 398, 282};
        TPoint p{Rand(640), Rand(480)};
        // Not the simulations button, nor print (a dialog), nor the exit
        // question's yes.
        if (p.Y >= 415 && p.X >= 270 && p.X < 432) p.X = Rand(260);
        return p;
    }

    void Act(std::uint64_t at) {
        h().At(at, [this, at] {
            const int kind = Rand(100);
            const TPoint p = Target();
            trail_.push_back(std::to_string(at) + ": action " + std::to_string(kind) + " at (" +
                             std::to_string(p.X) + ", " + std::to_string(p.Y) + ") on " + Describe());
            if (trail_.size() > 12) trail_.pop_front();
            if (at < focusBackAt_) {
                // Without the input the pointer only moves: a press on the
                // window gives the program the input first.
                h().MoveTo(at + 1, p.X, p.Y);
            } else if (kind < 2) {
                focusBackAt_ = at + 2 + std::uint64_t(Rand(1500));
                h().FocusLost(at + 1);
                h().FocusGained(focusBackAt_);
            } else if (kind < 10) {
                h().MoveTo(at + 1, p.X, p.Y);
            } else if (kind < 14 || at < leftHeldUntil_) {
                // While the left button is held only the others are pressed.
                h().Click(at + 1, p.X, p.Y, Rand(2) ? mbRight : mbMiddle);
            } else if (kind < 18) {
                h().DoubleClick(at + 1, p.X, p.Y);
            } else if (kind < 24) {
                // A long press: it may be released over a window that came
                // up meanwhile.
                leftHeldUntil_ = at + 2 + std::uint64_t(Rand(2500));
                h().MouseDown(at + 1, p.X, p.Y);
                h().MouseUp(leftHeldUntil_, p.X, p.Y);
            } else {
                h().Click(at + 1, p.X, p.Y);
            }
        });
    }

    // The screens up: the active one, then all visible ones bottom first.
    std::string Describe() {
        std::string d = "active " + (h().ActiveForm() ? h().ActiveForm()->Caption() : String("none")) + "; visible:";
        for (TForm* f : h().VisibleForms()) d += " [" + f->Caption() + " " + typeid(*f).name() + "]";
        return d;
    }

    void CheckInvariants() {
        std::string trail = "at " + std::to_string(h().Now()) + " " + Describe() + "; after";
        for (const std::string& a : trail_) trail += "\n  " + a;
        SCOPED_TRACE(trail);
        const std::vector<TScreenFrame*> games = OpenGames();
        ASSERT_LE(games.size(), 1u) << "two games open at once";
        int hidden = 0;
        for (TScreenFrame* s : games) {
            if (!s->PointerHidden()) continue;
            ++hidden;
            EXPECT_TRUE(s->Active()) << "the pointer hidden under another window";
        }
        if (wndPoradek) {
            EXPECT_EQ(wndPoradek->PointerHidden(), wndPoradek->Carrying && !wndPoradek->Closed());
        }
        if (wndPexeso && wndPexeso->PointerHidden()) {
            EXPECT_TRUE(wndPexeso->ComputerBusy);
        }
        // The detail page's video hides it while it plays.
        if (!AviPlaying) {
            EXPECT_EQ(h().ShowCursorCount(), -hidden);
        }
        if (wndHlaska->Showing()) {
            ASSERT_NE(wndHlaska->Asker, nullptr) << "message window without its game";
            auto* asker = dynamic_cast<TScreenFrame*>(wndHlaska->Asker);
            ASSERT_NE(asker, nullptr);
            EXPECT_TRUE(asker->Showing()) << "message window over a game that is gone";
        }
        if (wndCiToJe2 && wndCiToJe2->Showing()) {
            ASSERT_NE(wndCiToJe, nullptr);
            EXPECT_FALSE(wndCiToJe->Closed()) << "result window over a game that is gone";
        }
        if (wndDetailProfese && wndDetailProfese->Showing()) {
            // Only the exit question may stand over a detail page.
            std::vector<TForm*> visible = h().VisibleForms();
            if (wndKonec->Showing()) visible.pop_back();
            EXPECT_EQ(visible.back(), wndDetailProfese) << "a window over the detail page";
        }
        if (TForm* a = h().ActiveForm()) {
            EXPECT_TRUE(a->Showing()) << "the active form is hidden: " << a->Caption();
        }
    }
};

TEST_P(RandomPlay, PlaysForTenMinutes) {
    constexpr std::uint64_t kEnd = 590000;
    std::uint64_t t = kReady;
    while (t < kEnd) {
        Act(t);
        t += 40 + std::uint64_t(Rand(Rand(4) == 0 ? 3000 : 600));
    }
    for (std::uint64_t c = kReady; c < kEnd; c += 37)
        h().At(c, [this] {
            if (!HasFailure()) CheckInvariants();
        });
    EndAt(kEnd + 100);
    RunProgram();
}

INSTANTIATE_TEST_SUITE_P(Seeds, RandomPlay, ::testing::Range(1u, 9u));

}  // namespace
