// The scripted video on a screen: holds counted from before each frame, the
// sound after the first entry, frames that cannot be given, stopping on
// deactivation, the temporary sound file, malformed scripts and a target
// closed during the video.
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>

#include "platform/media/video.h"
#include "platform/media_avi_writer.h"
#include "platform/media_test_support.h"
#include "platform/sys/windows.h"
#include "shell/Velamo.h"
#include "shell_test_support.h"

using namespace shelltest;

namespace {

// The frames' colours (0, 1, 2), as the screen shows them.
const TColor kFrame[] = {RGBColor(250, 0, 0), RGBColor(0, 250, 0), RGBColor(0, 0, 250)};
constexpr int kX = 20, kY = 30;  // the script's drawing position

std::vector<std::uint8_t> ThreeFrameAvi() {
    media_test::AviSpec spec;
    spec.width = 16;
    spec.height = 12;
    spec.bitCount = 24;
    for (TColor c : kFrame) {
        const std::uint32_t rgb = std::uint32_t(GetRValue(c)) << 16 | std::uint32_t(GetGValue(c)) << 8 |
                                  std::uint32_t(GetBValue(c));
        spec.frames.push_back({media_test::EncodeRgbFrame(media_test::MakePicture(16, 12, rgb), 24)});
    }
    return media_test::WriteAvi(spec);
}

class ShellVideo : public ShellTest {
protected:
    ShellVideo() {
        folder_.Write("anim.avi", ThreeFrameAvi());
        folder_.Write("anim.wav", media_test::MakeWavMs(2000));
        folder_.Write("bad.avi", "RIFF\x10\0\0\0AVI LIST");
        UseAppFolder(folder_.Dir());
        target_ = new TTestScreen(nullptr);
        target_->BindGlobal(target_);
        target_->Show();
        h().RunFor(10);
    }
    ~ShellVideo() override { delete changer_; }

    void SetScript(std::vector<String> lines) {
        script_.Clear();
        for (const String& l : lines) script_.Add(l);
    }
    void SetEntries(const std::vector<String>& entries) {
        std::vector<String> lines = {"anim", "20,30", "8", "-"};
        lines.insert(lines.end(), entries.begin(), entries.end());
        SetScript(lines);
    }
    // Plays the script; how long it took.
    std::uint64_t Play(const String& avi = "anim.avi", const String& wav = "anim.wav") {
        t0_ = h().Now();
        PlayAviScript(&script_, AppDir + avi, target_, AppDir + wav);
        return h().Now() - t0_;
    }
    // Checks at times counted from the start of the next Play.
    void At(std::uint64_t offset, std::function<void()> check) { h().At(h().Now() + offset, std::move(check)); }
    TColor Shown() { return h().Pixel(kX + 5, kY + 5); }
    std::vector<headless::TimedNotice> VideoSoundStarts() { return SoundStarts("wavfil.wav"); }
    ::testing::AssertionResult CleanedUp() {
        if (AviPlaying) return ::testing::AssertionFailure() << "still playing";
        if (h().ShowCursorCount() != 0 || !h().PointerVisible())
            return ::testing::AssertionFailure() << "pointer count " << h().ShowCursorCount();
        if (folder_.Exists("wavfil.wav")) return ::testing::AssertionFailure() << "wavfil.wav left behind";
        return ::testing::AssertionSuccess();
    }

    TempFolder folder_;
    TTestScreen* target_;
    TStringList script_;
    std::uint64_t t0_ = 0;
    TScrResChanger* changer_ = nullptr;
};

TEST_F(ShellVideo, EachFrameHoldsItsTimeAndTheSoundFollowsTheFirstEntry) {
    SetEntries({"0x200", "2x300", "1x100"});
    struct Seen {
        TColor colour;
        bool playing, pointerHidden, soundCopied;
    };
    std::vector<Seen> seen;
    const std::string wav = folder_.Path("anim.wav");
    for (std::uint64_t t : {100, 250, 550}) {
        At(t, [&] {
            seen.push_back({Shown(), AviPlaying, !h().PointerVisible(),
                            folder_.Exists("wavfil.wav") &&
                                ReadFile(folder_.Path("wavfil.wav")) == ReadFile(wav)});
        });
    }
    EXPECT_EQ(Play(), 600u);
    ASSERT_EQ(seen.size(), 3u);
    const TColor order[] = {kFrame[0], kFrame[2], kFrame[1]};
    for (std::size_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(seen[i].colour, order[i]);
        EXPECT_TRUE(seen[i].playing && seen[i].pointerHidden && seen[i].soundCopied);
    }
    auto sound = VideoSoundStarts();
    ASSERT_EQ(sound.size(), 1u);
    EXPECT_EQ(sound[0].at, t0_ + 200);
    EXPECT_NE(sound[0].text.find("flags=3"), String::npos);
    EXPECT_TRUE(CleanedUp());
    // The frames went to the window only: a repaint shows the screen again.
    target_->Repaint();
    EXPECT_EQ(Shown(), PatternColour(kX + 5, kY + 5));
}

TEST_F(ShellVideo, FrameThatCannotBeGivenIsSkippedWithoutItsHold) {
    struct Case {
        const char* name;
        std::vector<String> entries;
        std::uint64_t duration;
        bool soundStarts;
    };
    const Case cases[] = {
        {"first", {"99x500", "1x300"}, 300, false},
        {"middle", {"0x200", "99x500", "2x100"}, 300, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::size_t before = VideoSoundStarts().size();
        SetEntries(c.entries);
        EXPECT_EQ(Play(), c.duration);
        EXPECT_EQ(VideoSoundStarts().size() - before, c.soundStarts ? 1u : 0u);
        EXPECT_TRUE(CleanedUp());
        PlaySoundFile("");
    }
}

TEST_F(ShellVideo, DeactivationStopsTheVideoAtTheNextEntryAndSilencesIt) {
    changer_ = new TScrResChanger();
    Application->OnDeactivate = [this](TObject* s) { changer_->RestoreDisplayMode(s); };
    SetEntries({"0x200", "1x300", "2x100"});
    h().FocusLost(h().Now() + 300);
    EXPECT_EQ(Play(), 500u);
    EXPECT_EQ(Shown(), kFrame[1]);  // the third frame never came
    auto stops = Notices({"sound stop ch0", "wavfil.wav"});
    ASSERT_EQ(stops.size(), 1u);
    EXPECT_EQ(stops[0].at, t0_ + 500);
    EXPECT_TRUE(CleanedUp());
}

TEST_F(ShellVideo, SecondStartDuringAVideoIsIgnored) {
    SetEntries({"0x200", "1x300"});
    std::uint64_t innerTook = 1;
    std::size_t noticesBefore = 0, noticesAfter = 0;
    At(100, [&] {
        TStringList other;
        for (const char* l : {"anim", "0,0", "", "", "2x1000"}) other.Add(l);
        noticesBefore = h().Notices().size();
        const std::uint64_t start = h().Now();
        PlayAviScript(&other, AppDir + "anim.avi", target_, AppDir + "anim.wav");
        innerTook = h().Now() - start;
        noticesAfter = h().Notices().size();
    });
    EXPECT_EQ(Play(), 500u);
    EXPECT_EQ(innerTook, 0u);
    EXPECT_EQ(noticesAfter, noticesBefore);
    EXPECT_EQ(h().Pixel(5, 5), PatternColour(5, 5));  // nothing drawn at the other script's place
}

TEST_F(ShellVideo, MissingFilesAndEmptyScripts) {
    struct Case {
        const char* name;
        std::vector<String> entries;
        const char* avi;
        const char* wav;
        std::uint64_t duration;
        TColor shown;  // at the end; clNone: the screen's own picture
    };
    const Case cases[] = {
        {"four lines", {}, "anim.avi", "anim.wav", 0, clNone},
        {"missing video", {"0x200", "1x300"}, "none.avi", "anim.wav", 0, clNone},
        {"unreadable video", {"0x200", "1x300"}, "bad.avi", "anim.wav", 0, clNone},
        {"missing sound", {"0x200", "1x300"}, "anim.avi", "none.wav", 500, kFrame[1]},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        target_->Repaint();
        const std::size_t before = h().Notices().size();
        SetEntries(c.entries);
        bool copied = false;
        At(100, [&] { copied = folder_.Exists("wavfil.wav"); });
        EXPECT_EQ(Play(c.avi, c.wav), c.duration);
        EXPECT_EQ(Shown(), c.shown == clNone ? PatternColour(kX + 5, kY + 5) : c.shown);
        EXPECT_TRUE(CleanedUp());
        EXPECT_FALSE(copied && String(c.wav) == "none.wav");
        for (std::size_t i = before; i < h().Notices().size(); ++i)
            EXPECT_EQ(h().Notices()[i].text.find("sound start"), String::npos) << h().Notices()[i].text;
    }
}

TEST_F(ShellVideo, ReadOnlyLeftoverTemporarySoundIsReplacedThenDeleted) {
    folder_.Write("wavfil.wav", "an old copy");
    ASSERT_TRUE(SetFileAttributesA((AppDir + "wavfil.wav").c_str(), FILE_ATTRIBUTE_READONLY));
    SetEntries({"0x200"});
    std::string during;
    At(100, [&] { during = ReadFile(folder_.Path("wavfil.wav")); });
    Play();
    EXPECT_EQ(during, ReadFile(folder_.Path("anim.wav")));
    EXPECT_TRUE(CleanedUp());
}

// Runs `check` where the file modes hold: in a child process of an
// unprivileged user when this one may write anywhere (root). Its answer.
bool WhereFileModesHold(const std::function<bool()>& check) {
    if (geteuid() != 0) return check();
    const pid_t child = fork();
    if (child == 0) {
        if (setgid(65534) != 0 || setuid(65534) != 0) _exit(2);
        _exit(check() ? 0 : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

TEST_F(ShellVideo, ReadOnlyProgramFolderPlaysTheAnimationsOwnSoundNeverAStaleCopy) {
    const auto stale = media_test::MakeWavMs(5000);  // left by a run that was killed
    folder_.Write("wavfil.wav", stale);
    chmod(folder_.Path("").c_str(), 0555);
    SetEntries({"0x200", "1x300"});
    const bool played = WhereFileModesHold([&] {
        const std::uint64_t took = Play();
        const auto own = SoundStarts("anim.wav");
        const bool ok = took == 500 && Shown() == kFrame[1] && own.size() == 1 && own[0].at == t0_ + 200 &&
                        VideoSoundStarts().empty() && !AviPlaying && h().PointerVisible();
        if (!ok) std::fprintf(stderr, "took %llu, own sound %zu\n", (unsigned long long)took, own.size());
        return ok;
    });
    chmod(folder_.Path("").c_str(), 0700);
    EXPECT_TRUE(played);
    EXPECT_EQ(ReadFile(folder_.Path("wavfil.wav")), std::string(stale.begin(), stale.end()));
}

TEST_F(ShellVideo, MalformedScriptEndsWithEverythingRestored) {
    struct Case {
        const char* name;
        std::vector<String> lines;
    };
    const Case cases[] = {
        {"entry without x", {"anim", "20,30", "", "", "0x200", "3-100"}},
        {"entry not a number", {"anim", "20,30", "", "", "ax200"}},
        {"position without comma", {"anim", "20;30", "", "", "0x200"}},
        {"one line", {"anim"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetScript(c.lines);
        EXPECT_THROW(Play(), Exception);
        EXPECT_TRUE(CleanedUp());
    }
    // Nothing is left stuck: the next video plays.
    SetEntries({"0x200"});
    EXPECT_EQ(Play(), 200u);
    EXPECT_EQ(Shown(), kFrame[0]);
}

TEST_F(ShellVideo, TargetReleasedDuringAHoldStaysAliveUntilTheVideoReturns) {
    target_->OnClose = [](TObject*, TCloseAction& a) { a = caFree; };
    SetEntries({"0x200", "1x300", "2x100"});
    bool aliveAfterClose = false;
    At(250, [&] { target_->Close(); });
    At(300, [&] { aliveAfterClose = target_ != nullptr; });
    // Closed is off the screen: the video ends at its next entry.
    EXPECT_EQ(Play(), 500u);
    EXPECT_TRUE(aliveAfterClose);
    EXPECT_NE(target_, nullptr);
    EXPECT_TRUE(CleanedUp());
    h().RunFor(10);
    EXPECT_EQ(target_, nullptr);  // freed once the video has returned
}

TEST_F(ShellVideo, TargetHiddenDuringAHoldEndsTheVideoAtTheNextEntry) {
    SetEntries({"0x200", "1x300", "2x100"});
    At(250, [&] { target_->Close(); });
    EXPECT_EQ(Play(), 500u);
    EXPECT_FALSE(target_->Visible());
    EXPECT_TRUE(CleanedUp());
}

}  // namespace
