// Helpers for the town window's and the detail page's tests: the whole
// program started on the generated data tree (or on a copy of it with some
// files replaced), the splash clicked away at once, and readers of what the
// town and the page show.
#pragma once

#include <set>

#include "shell/UDetailProfese.h"
#include "shell/UKonec.h"
#include "shell/UVelamo.h"
#include "shell/Velamo.h"
#include "shell_test_support.h"

namespace towntest {

using namespace shelltest;

// The splash is clicked away here (on the bottom bar, away from its buttons);
// everything a test does comes later.
constexpr std::uint64_t kSplashClick = 300;
constexpr std::uint64_t kReady = 1000;
constexpr int kIdleX = 600;
constexpr int kIdleY = 450;
// Place 23 ("kader") lies under this point of the town's first view.
constexpr int kKaderX = 1760 - 1446 + 6;
constexpr int kKaderY = 246 + 6;
// The desktop's display mode while the program runs in these tests.
inline const sys::DisplayMode kDesktopMode{1024, 768, 32, 60};

// The data tree with some of its top-level files left out, so that a test
// can put its own there: every other entry is a link into the tree.
class TreeCopy {
public:
    explicit TreeCopy(const std::set<std::string>& leftOut) {
        for (const auto& entry : fs::directory_iterator(kAppDir)) {
            const std::string name = entry.path().filename().string();
            if (leftOut.count(name) || name == "Velamo") continue;
            fs::create_symlink(entry.path(), folder_.Path(name));
        }
        InvalidatePathCache();
    }
    const TempFolder& Folder() const { return folder_; }
    std::string Dir() const { return folder_.Dir(); }

    // Takes a file at any depth out of the copy (the folders on the way
    // become folders of links), so that the test can put its own there.
    void LeaveOut(const std::string& relative) {
        fs::path folder;
        const fs::path path(relative);
        for (auto part = path.begin(); std::next(part) != path.end(); ++part) {
            folder /= *part;
            const fs::path here = folder_.Path(folder.string());
            if (!fs::is_symlink(here)) continue;
            fs::remove(here);
            fs::create_directory(here);
            for (const auto& entry : fs::directory_iterator(fs::path(kAppDir) / folder))
                fs::create_symlink(entry.path(), here / entry.path().filename());
        }
        fs::remove(folder_.Path(relative));
        InvalidatePathCache();
    }
    // The tree's file with other bytes.
    void Replace(const std::string& relative, const std::string& bytes) {
        LeaveOut(relative);
        folder_.Write(relative, bytes);
    }

private:
    TempFolder folder_;
};

class ProgramTest : public ShellTest {
protected:
    explicit ProgramTest(headless::Harness::Options options = {}) : ShellTest(options) {
        sys::ConfigureDisplay({{640, 480, 16, 60}}, kDesktopMode);
        h().Click(kSplashClick, kIdleX, kIdleY);
    }
    // Runs the program until a check ends it (or nothing is left to happen).
    void RunProgram() { VelamoMain(); }
    // Ends the run at that time.
    void EndAt(std::uint64_t at) {
        h().At(at, [] { Application->Terminate(); });
    }
    // A page of the town's own kind (full bottom bar) opened at that time.
    void OpenPageAt(std::uint64_t at, Byte number, bool withNavigation = true) {
        h().At(at, [number, withNavigation] { OpenDetailPage(number, withNavigation); });
    }
    // The cursor on the screen is the program's custom cursor `index`.
    bool CursorIs(int index) { return h().CursorShown() == Screen->Cursors(index); }
};

// The profession text as the program reads it, and the name line of a
// section ("" when there is none).
inline String SectionName(const String& code) {
    TStringList lines;
    LoadScrambledText(DataDir + "profese.dat", lines);
    const int at = FindSection(lines, code);
    return at >= 0 && at + 1 < lines.Count() ? lines.Get(at + 1) : String();
}

// A scrambled text file from its plain lines (UTF-8, written as code page
// 1250 with CR LF).
inline std::string ScrambledTextFile(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& l : lines) text += l + "\r\n";
    std::string bytes = Utf8ToCp1250(text);
    for (char& c : bytes) c = char(Byte(c) ^ ScrambleKey);
    return bytes;
}

}  // namespace towntest
