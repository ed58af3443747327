#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "platform/core/files.h"
#include "platform/sys/system.h"
#include "platform/sys/windows.h"
#include "sys_test_support.h"

namespace fs = std::filesystem;
using systest::ReadFile;
using systest::WriteFile;

namespace {

mode_t Permissions(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 ? (st.st_mode & 0777) : 0;
}

// A program tree with mixed-case names, addressed as the program writes
// them: backslashes and another letter case.
class SysFiles : public ::testing::Test {
protected:
    void SetUp() override {
        WriteFile(root_ / "Sound/Vstup.WAV", "RIFF one");
        fs::create_directories(root_ / "Data");
        // Read the folder before the calls change it, so a stale listing
        // would show.
        EXPECT_FALSE(FileExists(Win("data\\wavfil.wav")));
    }
    std::string Win(const std::string& relative) const { return root_.Path() + "\\" + relative; }

    systest::TempFolder root_;
};

}  // namespace

TEST_F(SysFiles, CopyOverwritesUnlessAskedNotTo) {
    ASSERT_EQ(CopyFileA(Win("SOUND\\vstup.wav").c_str(), Win("data\\wavfil.wav").c_str(), FALSE), TRUE);
    EXPECT_EQ(GetLastError(), ERROR_SUCCESS);
    // The new file takes the folder's real spelling and its name as given.
    EXPECT_EQ(ReadFile(root_ / "Data/wavfil.wav"), "RIFF one");
    EXPECT_TRUE(FileExists(Win("DATA\\WAVFIL.WAV"))) << "the listing of Data was refreshed";

    WriteFile(root_ / "Sound/Vstup.WAV", "RIFF two, longer");
    ASSERT_EQ(CopyFileA(Win("sound\\VSTUP.WAV").c_str(), Win("Data\\WAVFIL.wav").c_str(), FALSE), TRUE);
    EXPECT_EQ(ReadFile(root_ / "Data/wavfil.wav"), "RIFF two, longer");

    WriteFile(root_ / "Sound/Vstup.WAV", "RIFF three");
    EXPECT_EQ(CopyFileA(Win("sound\\vstup.wav").c_str(), Win("data\\wavfil.wav").c_str(), TRUE), FALSE);
    EXPECT_EQ(GetLastError(), ERROR_FILE_EXISTS);
    EXPECT_EQ(ReadFile(root_ / "Data/wavfil.wav"), "RIFF two, longer");
}

TEST_F(SysFiles, CopyFailuresNameTheirCause) {
    WriteFile(root_ / "Data/Locked.wav", "locked");
    chmod((root_ / "Data/Locked.wav").c_str(), 0444);
    InvalidatePathCache();
    struct Case {
        const char* what;
        std::string from, to;
        DWORD error;
    };
    const Case cases[] = {
        {"missing source", Win("sound\\none.wav"), Win("data\\a.wav"), ERROR_FILE_NOT_FOUND},
        {"missing target folder", Win("sound\\vstup.wav"), Win("nowhere\\a.wav"), ERROR_PATH_NOT_FOUND},
        {"source is a folder", Win("sound"), Win("data\\a.wav"), ERROR_ACCESS_DENIED},
        {"target is a folder", Win("sound\\vstup.wav"), Win("data"), ERROR_ACCESS_DENIED},
        {"read-only target", Win("sound\\vstup.wav"), Win("data\\locked.wav"), ERROR_ACCESS_DENIED},
        {"onto itself", Win("sound\\vstup.wav"), Win("SOUND\\Vstup.wav"), ERROR_ACCESS_DENIED},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetLastError(ERROR_SUCCESS);
        EXPECT_EQ(CopyFileA(c.from.c_str(), c.to.c_str(), FALSE), FALSE);
        EXPECT_EQ(GetLastError(), c.error);
    }
    EXPECT_EQ(ReadFile(root_ / "Sound/Vstup.WAV"), "RIFF one");
    EXPECT_EQ(ReadFile(root_ / "Data/Locked.wav"), "locked");
    EXPECT_FALSE(fs::exists(root_ / "Data/a.wav"));
}

// The video's sound copy over what was planted at its name: the link or the
// other name of a file is replaced by the copy, never written through.
TEST_F(SysFiles, CopyReplacesALinkAtTheTargetAndNeverWritesThroughIt) {
    enum class Planted { Link, DanglingLink, HardLink };
    for (Planted planted : {Planted::Link, Planted::DanglingLink, Planted::HardLink}) {
        SCOPED_TRACE(int(planted));
        WriteFile(root_ / "victim.txt", "victim");
        const fs::path target = root_ / "Data/wavfil.wav";
        fs::remove(target);
        if (planted == Planted::Link) fs::create_symlink(root_ / "victim.txt", target);
        if (planted == Planted::DanglingLink) fs::create_symlink(root_ / "nowhere.txt", target);
        if (planted == Planted::HardLink) fs::create_hard_link(root_ / "victim.txt", target);
        InvalidatePathCache();
        ASSERT_EQ(CopyFileA(Win("sound\\vstup.wav").c_str(), Win("data\\wavfil.wav").c_str(), FALSE), TRUE);
        EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(target)));
        EXPECT_EQ(ReadFile(target), "RIFF one");
        EXPECT_EQ(ReadFile(root_ / "victim.txt"), "victim");
        EXPECT_FALSE(fs::exists(root_ / "nowhere.txt"));
        // Nothing else is left in the folder.
        EXPECT_EQ(std::distance(fs::directory_iterator(root_ / "Data"), fs::directory_iterator()), 1);
    }
}

// A source that holds no data is refused at once: nothing waits on a FIFO or
// copies a device.
TEST_F(SysFiles, CopyOfWhatIsNoFileIsRefused) {
    ASSERT_EQ(mkfifo((root_ / "Sound/fifo.wav").c_str(), 0644), 0);
    fs::create_symlink("/dev/zero", root_ / "Sound/zero.wav");
    InvalidatePathCache();
    for (const char* source : {"sound\\fifo.wav", "sound\\zero.wav"}) {
        SCOPED_TRACE(source);
        EXPECT_EQ(CopyFileA(Win(source).c_str(), Win("data\\wavfil.wav").c_str(), FALSE), FALSE);
        EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
        EXPECT_FALSE(fs::exists(root_ / "Data/wavfil.wav"));
    }
}

// The video's sound copy: made writable and deleted before and after, copied
// from a read-only original whose attribute travels with the copy.
TEST_F(SysFiles, ReadOnlyCopyIsClearedAndDeleted) {
    chmod((root_ / "Sound/Vstup.WAV").c_str(), 0444);
    const std::string copy = Win("DATA\\wavfil.wav");

    EXPECT_EQ(SetFileAttributesA(copy.c_str(), FILE_ATTRIBUTE_NORMAL), FALSE);
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(DeleteFileA(copy.c_str()), FALSE);
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);

    ASSERT_EQ(CopyFileA(Win("sound\\vstup.wav").c_str(), copy.c_str(), FALSE), TRUE);
    EXPECT_EQ(Permissions(root_ / "Data/wavfil.wav"), 0444u);
    EXPECT_EQ(DeleteFileA(copy.c_str()), FALSE) << "a read-only file stays";
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
    EXPECT_TRUE(fs::exists(root_ / "Data/wavfil.wav"));

    ASSERT_EQ(SetFileAttributesA(Win("data\\WAVFIL.WAV").c_str(), FILE_ATTRIBUTE_NORMAL), TRUE);
    EXPECT_EQ(Permissions(root_ / "Data/wavfil.wav"), 0644u);
    ASSERT_EQ(SetFileAttributesA(copy.c_str(), FILE_ATTRIBUTE_READONLY), TRUE);
    EXPECT_EQ(Permissions(root_ / "Data/wavfil.wav"), 0444u);
    ASSERT_EQ(SetFileAttributesA(copy.c_str(), FILE_ATTRIBUTE_NORMAL), TRUE);

    ASSERT_EQ(DeleteFileA(Win("Data\\WavFil.Wav").c_str()), TRUE);
    EXPECT_EQ(GetLastError(), ERROR_SUCCESS);
    EXPECT_FALSE(fs::exists(root_ / "Data/wavfil.wav"));
    EXPECT_FALSE(FileExists(copy)) << "the listing of Data was refreshed";
    EXPECT_EQ(DeleteFileA(Win("data").c_str()), FALSE) << "folders are not files";
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
}

TEST(SysSystemFolder, IsThePlatformModuleFolder) {
    char buffer[MAX_PATH];
    UINT length = GetSystemDirectoryA(buffer, MAX_PATH);
    const std::string expected = (fs::path(VELAMO_APP_DIR).lexically_normal() / "system").string();
    ASSERT_EQ(length, expected.size());
    EXPECT_EQ(std::string(buffer), expected);
    EXPECT_EQ(sys::PlatformModuleFolder(), expected);

    char small[8] = "unset";
    EXPECT_EQ(GetSystemDirectoryA(small, UINT(length)), length + 1) << "too small: the size needed";
    EXPECT_STREQ(small, "unset");
    EXPECT_EQ(GetSystemDirectoryA(nullptr, 0), length + 1);

    if (!fs::is_directory(expected)) GTEST_SKIP() << "the video modules are not built";
    EXPECT_NE(FileAge(expected + "\\AVIFIL32.DLL"), -1);
    EXPECT_NE(FileAge(expected + "\\MSVFW32.DLL"), -1);
}
