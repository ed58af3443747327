// Helpers for the program's tests: a harness with the program's data roots
// on the generated data tree (or a small fixture folder), a runtime folder
// of the test's own for the single-instance lock, a plain 640x480 screen
// that paints its Buffer, and readers of the notice log.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "platform/backend/headless/harness.h"
#include "platform/core/files.h"
#include "platform/core/strings.h"
#include "platform/sys/system.h"
#include "shell/UMisc.h"

namespace shelltest {

namespace fs = std::filesystem;

inline const std::string kAppDir = std::string(VELAMO_APP_DIR) + "/";

class TempFolder {
public:
    TempFolder() {
        std::string pattern = (fs::temp_directory_path() / "velamo-shell-XXXXXX").string();
        if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
        path_ = pattern;
        InvalidatePathCache();
    }
    ~TempFolder() {
        std::error_code ec;
        fs::remove_all(path_, ec);
        InvalidatePathCache();
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    std::string Dir() const { return path_ + "/"; }
    std::string Path(const std::string& relative) const { return path_ + "/" + relative; }
    void Write(const std::string& relative, const std::string& bytes) const {
        fs::create_directories(fs::path(Path(relative)).parent_path());
        std::ofstream(Path(relative), std::ios::binary) << bytes;
        InvalidatePathCache();
    }
    void Write(const std::string& relative, const std::vector<std::uint8_t>& bytes) const {
        Write(relative, std::string(bytes.begin(), bytes.end()));
    }
    // Copies a file of the generated data tree (same relative path).
    void CopyFromTree(const std::string& relative) const {
        fs::create_directories(fs::path(Path(relative)).parent_path());
        fs::copy_file(kAppDir + relative, Path(relative), fs::copy_options::overwrite_existing);
        InvalidatePathCache();
    }
    bool Exists(const std::string& relative) const { return fs::exists(Path(relative)); }

private:
    std::string path_;
};

inline std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// What a data file can be replaced by that holds no data: a FIFO without a
// writer (a read waits for ever), a link to /dev/zero (endless), a folder,
// and a file far larger than any real one (its own bytes, then a hole up to
// 512 MiB).
enum class Hostile { Fifo, DevZeroLink, Folder, HalfAGigabyte };

inline const char* Name(Hostile h) {
    switch (h) {
        case Hostile::Fifo: return "Fifo";
        case Hostile::DevZeroLink: return "DevZeroLink";
        case Hostile::Folder: return "Folder";
        case Hostile::HalfAGigabyte: return "HalfAGigabyte";
    }
    return "";
}

inline void PrintTo(Hostile h, std::ostream* os) { *os << Name(h); }

inline constexpr Hostile kEveryHostile[] = {Hostile::Fifo, Hostile::DevZeroLink, Hostile::Folder,
                                            Hostile::HalfAGigabyte};

// Puts the replacement at path (nothing may be there); ownBytes begin the
// large file.
inline void MakeHostile(const std::string& path, Hostile h, const std::string& ownBytes) {
    fs::create_directories(fs::path(path).parent_path());
    switch (h) {
        case Hostile::Fifo: ASSERT_EQ(mkfifo(path.c_str(), 0644), 0); break;
        case Hostile::DevZeroLink: fs::create_symlink("/dev/zero", path); break;
        case Hostile::Folder: fs::create_directory(path); break;
        case Hostile::HalfAGigabyte:
            std::ofstream(path, std::ios::binary) << ownBytes;
            fs::resize_file(path, std::uintmax_t(512) << 20);
            break;
    }
    InvalidatePathCache();
}

// One test's world: the harness, its own lock folder, the data roots on the
// generated tree (as the program's file name there gives them).
class ShellTest : public ::testing::Test {
protected:
    explicit ShellTest(headless::Harness::Options options = {}) : harness_(options) {
        setenv("XDG_RUNTIME_DIR", runtime_.Path("").c_str(), 1);
        UseAppFolder(kAppDir);
    }
    ~ShellTest() override { sys::SetModuleFolderForTests(""); }
    // A run that ended before a check's time would pass without checking.
    void TearDown() override {
        if (!endsEarly_) {
            EXPECT_EQ(harness_.Backend().PendingChecks(), 0u) << "the run ended before its last checks";
        }
    }
    // The program is meant to end before the checks scheduled last.
    void ExpectTheRunToEndEarly() { endsEarly_ = true; }

    // The program file's folder: the data roots follow it.
    void UseAppFolder(const std::string& dir) {
        Application->SetExeName(dir + "Velamo");
        InitPaths();
        InitSoundPaths();
    }

    headless::Harness& h() { return harness_; }

    // Notices that contain every one of the parts, in order.
    std::vector<headless::TimedNotice> Notices(const std::vector<std::string>& parts) const {
        std::vector<headless::TimedNotice> out;
        for (const headless::TimedNotice& n : harness_.Notices()) {
            bool all = true;
            for (const std::string& p : parts) all = all && n.text.find(p) != std::string::npos;
            if (all) out.push_back(n);
        }
        return out;
    }
    // Sounds started on the effects channel whose file name ends so.
    std::vector<headless::TimedNotice> SoundStarts(const std::string& fileEnd) const {
        return Notices({"sound start ch0", fileEnd});
    }

private:
    TempFolder runtime_;
    headless::Harness harness_;
    bool endsEarly_ = false;
};

// A pattern that no dimming or picture of the tree gives by chance.
inline TColor PatternColour(int x, int y) { return RGBColor((x * 7) % 256, (y * 5) % 256, (x + y) % 256); }

inline void FillPattern(TBitmap* b) {
    for (int y = 0; y < b->Height(); ++y)
        for (int x = 0; x < b->Width(); ++x) b->Pixels().Set(x, y, PatternColour(x, y));
}

inline TColor Dimmed(TColor c) { return RGBColor(GetRValue(c) / 3, GetGValue(c) / 3, GetBValue(c) / 3); }

// A screen as the program's screens are: a 640x480 Buffer copied whole to
// the window on paint.
class TTestScreen : public TForm {
public:
    explicit TTestScreen(TComponent* AOwner) : TForm(AOwner) {
        SetBorderStyle(bsNone);
        Buffer = std::make_unique<TBitmap>();
        Buffer->SetSize(640, 480);
        FillPattern(Buffer.get());
        OnPaint = [this](TObject*) { BitBlt(Canvas(), 0, 0, 640, 480, Buffer->Canvas(), 0, 0, SRCCOPY); };
        DoCreate();
    }
    bool WMEraseBkgnd() override { return true; }
    std::unique_ptr<TBitmap> Buffer;
};

// The screen's pixels equal the picture's over a rectangle.
inline ::testing::AssertionResult ScreenShows(headless::Harness& h, const TBitmap& picture, int sx, int sy, int x,
                                              int y, int w, int hgt) {
    const Surface& screen = h.ScreenSurface();
    for (int j = 0; j < hgt; ++j)
        for (int i = 0; i < w; ++i) {
            TColor want = picture.Pixels().Get(sx + i, sy + j);
            TColor got = screen.Get(x + i, y + j);
            if (want != got)
                return ::testing::AssertionFailure() << "at (" << x + i << ", " << y + j << ") screen " << std::hex
                                                     << got << ", picture " << want;
        }
    return ::testing::AssertionSuccess();
}

inline std::unique_ptr<TBitmap> LoadPicture(const std::string& path) {
    auto b = std::make_unique<TBitmap>();
    b->LoadFromFile(path);
    return b;
}

}  // namespace shelltest
