// Faults from outside the program: a second copy started while one runs,
// and the program killed (SIGTERM, SIGINT, SIGHUP) during an animation.
#include <signal.h>

#include "platform/backend/backend.h"
#include "platform/sys/termination.h"
#include "shell/UPodklad.h"
#include "town_test_support.h"

using namespace towntest;

namespace {

TEST(SecondCopy, EndsBeforeItOpensADisplayOrAnythingElse) {
    TempFolder runtime;
    setenv("XDG_RUNTIME_DIR", runtime.Path("").c_str(), 1);
    CreateMutexA(nullptr, FALSE, "Velamo2005");  // the copy that runs
    ASSERT_EQ(GetLastError(), DWORD(ERROR_SUCCESS));
    EXPECT_EQ(RunVelamo(), 0);
    // No display of either kind was made, so no window, no sound device.
    EXPECT_FALSE(backend::Installed());
    EXPECT_EQ(Application, nullptr);
}

// The animation of place 23's page runs for 1400 ms from the click on the
// picture.
constexpr std::uint64_t kPicture = kReady + 1000, kKilled = kPicture + 500;

class KilledDuringAnimation : public ProgramTest, public ::testing::WithParamInterface<int> {
protected:
    KilledDuringAnimation() { UseAppFolder(tree_.Dir()); }
    TreeCopy tree_{{}};
};

TEST_P(KilledDuringAnimation, EndsCleanlyLeavingNoTemporarySound) {
    const int signal = GetParam();
    h().Click(kReady, kKaderX, kKaderY);
    h().Click(kPicture, 200, 200);
    bool copyDuringAnimation = false;
    h().At(kKilled, [&] {
        copyDuringAnimation = AviPlaying && tree_.Folder().Exists("wavfil.wav");
        raise(signal);
    });
    EXPECT_EQ(VelamoMain(), 0);
    EXPECT_EQ(sys::TerminationRequested(), signal);
    EXPECT_TRUE(copyDuringAnimation);
    // Ended at once, as the program ends by itself.
    EXPECT_EQ(h().Now(), kKilled);
    EXPECT_FALSE(tree_.Folder().Exists("wavfil.wav"));
    EXPECT_FALSE(AviPlaying);
    EXPECT_TRUE(h().PointerVisible());
    EXPECT_EQ(sys::CurrentDisplayMode(), kDesktopMode);
    EXPECT_EQ(wndPodklad, nullptr);
    EXPECT_TRUE(h().MessageBoxes().empty());
    // The signal's own action is back.
    struct sigaction now {};
    sigaction(signal, nullptr, &now);
    EXPECT_EQ(now.sa_handler, SIG_DFL);
}

INSTANTIATE_TEST_SUITE_P(Signals, KilledDuringAnimation, ::testing::Values(SIGTERM, SIGINT, SIGHUP),
                         [](const auto& info) { return String(sigabbrev_np(info.param)); });

}  // namespace
