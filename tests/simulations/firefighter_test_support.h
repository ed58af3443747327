// Helpers for the firefighter's and the best-times table's screen tests: the
// whole program with a data folder of the test's own (where "hasic.dat"
// lives), the firefighter chosen from the simulations menu, and its game
// brought to the states the tests look at.
#pragma once

#include <sys/wait.h>
#include <unistd.h>

#include <set>

#include "firefighter_places.h"
#include "games/games_test_support.h"
#include "simulations/USimulaceHasic.h"
#include "simulations/UTabulka.h"

namespace firetest {

using namespace gametest;

inline TPoint WindowCentre(int w) {
    return {kFireWindowCorners[w - 1].X + kFireWindowWidth / 2, kFireWindowCorners[w - 1].Y + kFireWindowHeight / 2};
}

// The firefighter's screen and its table, while they are there.
inline TwndSimulaceHasic& F() { return *wndSimulaceHasic; }
inline TwndTabulka& T() { return *wndTabulka; }

// The message window's yes and no buttons.
constexpr TPoint kYes = {241, 282};
constexpr TPoint kNo = {398, 282};

// Ten rows as the file holds them: "name|time" lines (UTF-8 here), the rest
// "|0".
inline std::string TableFileOf(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& l : lines) text += l + "\r\n";
    for (std::size_t i = lines.size(); i < 10; ++i) text += "|0\r\n";
    return Utf8ToCp1250(text);
}

class FirefighterTest : public ScreenTest {
protected:
    FirefighterTest() { setenv("XDG_DATA_HOME", data_.Path("").c_str(), 1); }

    // Chooses the firefighter at `at`; it is up by the returned time. Unless
    // `randomFires`, no fire starts by itself: the tests light their own.
    std::uint64_t OpenFirefighter(std::uint64_t at = kReady, bool randomFires = false) {
        const std::uint64_t up = ChooseSimulation(at, 2);
        if (!randomFires) h().At(up - 400, [] { wndSimulaceHasic->PridejTimer->SetEnabled(false); });
        return up;
    }

    // The game ends with the next tick (within 94 ms) with that result:
    // every window burnt down, the clock stopped.
    void EndGameAt(std::uint64_t at, int seconds) {
        h().At(at, [seconds] {
            F().Casomira->SetEnabled(false);
            F().GameSeconds = seconds;
            for (int w = 1; w <= 12; ++w) F().FireLevel[w] = FireEndLevel;
        });
    }

    // The water's loop plays: the last notice about it on the effects
    // channel is its start.
    bool WaterPlaying() {
        bool playing = false;
        for (const headless::TimedNotice& n : h().Notices())
            if (n.text.find(" ch0 ") != String::npos && n.text.find("voda.wav") != String::npos)
                playing = n.text.rfind("sound start", 0) == 0;
        return playing;
    }

    std::string TablePath() const { return data_.Path("Velamo/hasic.dat"); }
    void WriteTableFile(const std::string& bytes) const { data_.Write("Velamo/hasic.dat", bytes); }
    std::string TableFile() const { return ReadFile(TablePath()); }
    // The names in the table's folder: the table and nothing of its writing
    // left behind.
    std::set<std::string> TableFolderNames() const {
        std::set<std::string> names;
        for (const auto& entry : fs::directory_iterator(data_.Path("Velamo"))) names.insert(entry.path().filename());
        return names;
    }
    // The n-th name the program tries for the table's temporary file.
    std::string TemporaryPath(int n) const {
        return TablePath() + "." + std::to_string(getpid()) + "." + std::to_string(n) + ".tmp";
    }

    // Runs `run` as a program of its own in a child process (with this
    // test's harness as it stands and the same data folder); whether it
    // ended without a failed check.
    bool RunInChildProcess(const std::function<void()>& run) {
        const pid_t pid = fork();
        if (pid == 0) {
            run();
            _exit(::testing::Test::HasFailure() ? 1 : 0);
        }
        int status = 0;
        waitpid(pid, &status, 0);
        return WIFEXITED(status) && WEXITSTATUS(status) == 0;
    }

    TempFolder data_;
};

}  // namespace firetest
