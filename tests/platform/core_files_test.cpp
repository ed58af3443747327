#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#include <utime.h>

#include <cstring>
#include <ctime>

#include "core_test_folder.h"
#include "platform/core/exceptions.h"
#include "platform/core/files.h"

namespace {

class CorePaths : public ::testing::Test {
protected:
    void SetUp() override {
        folder.WriteFile("hl_obr/konec1.bmp", "bmp");
        folder.WriteFile("simul/instal/B_verze/Navod.TXT", "txt");
        folder.WriteFile("Zvuky/Hasič.wav", "wav");
        folder.WriteFile("moduly/avifil32.so", "so");
        folder.WriteFile("moduly/MSVFW32.SO", "so");
        folder.WriteFile("moduly/real.dll", "dll");
        folder.WriteFile("moduly/real.so", "so");
    }
    CoreTestFolder folder;
};

TEST_F(CorePaths, ProgramPathsReachTheRealSpelling) {
    struct Case {
        const char* written;
        const char* real;
    };
    const Case cases[] = {
        {"hl_obr\\konec1.bmp", "hl_obr/konec1.bmp"},
        {"HL_OBR\\Konec1.BMP", "hl_obr/konec1.bmp"},
        {"hl_obr/konec1.bmp", "hl_obr/konec1.bmp"},
        {"simul\\instal\\b_verze\\navod.txt", "simul/instal/B_verze/Navod.TXT"},
        {"SIMUL/instal\\b_VERZE/NAVOD.txt", "simul/instal/B_verze/Navod.TXT"},
        {"simul\\\\instal//b_verze\\", "simul/instal/B_verze/"},
        {"zvuky\\HASIČ.WAV", "Zvuky/Hasič.wav"},
        {"zvuky\\hasič.wav", "Zvuky/Hasič.wav"},
        // Missing names are kept as written, so files can be created there.
        {"hl_obr\\novy.bmp", "hl_obr/novy.bmp"},
        {"Nova\\Slozka\\x.bmp", "Nova/Slozka/x.bmp"},
        {"SIMUL\\chybi\\b_verze", "simul/chybi/b_verze"},
        {"zvuky\\hasic.wav", "Zvuky/hasic.wav"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.written);
        EXPECT_EQ(ResolvePath(folder.Dir() + c.written), folder.Dir() + c.real);
    }
}

TEST_F(CorePaths, NamesDifferingOnlyInCase) {
    folder.WriteFile("dvojice/Abc.txt", "1");
    folder.WriteFile("dvojice/aBC.txt", "2");
    EXPECT_EQ(ResolvePath(folder.Dir() + "dvojice\\aBC.txt"), folder.Dir() + "dvojice/aBC.txt");  // exact wins
    // Otherwise the smallest spelling, whatever order the folder lists them in.
    EXPECT_EQ(ResolvePath(folder.Dir() + "dvojice\\abc.txt"), folder.Dir() + "dvojice/Abc.txt");
}

TEST_F(CorePaths, AbsoluteStaysAbsoluteAndEmptyComponentsCollapse) {
    EXPECT_EQ(ResolvePath("\\\\"), "/");
    EXPECT_EQ(ResolvePath(folder.Dir() + "\\\\HL_OBR\\\\"), folder.Dir() + "hl_obr/");
    const std::string doubled = folder.Dir() + "/" + "hl_obr//konec1.bmp";
    EXPECT_EQ(ResolvePath(doubled), folder.Dir() + "hl_obr/konec1.bmp");
    EXPECT_EQ(ResolvePath("relative\\Name"), "relative/Name");
}

TEST_F(CorePaths, DllNamesResolveToSharedObjects) {
    struct Case {
        const char* written;
        const char* real;
    };
    const Case cases[] = {
        {"moduly\\AVIFIL32.DLL", "moduly/avifil32.so"},
        {"moduly\\msvfw32.dll", "moduly/MSVFW32.SO"},
        {"MODULY\\Msvfw32.Dll", "moduly/MSVFW32.SO"},
        {"moduly\\real.DLL", "moduly/real.dll"},   // an existing .dll is taken as it is
        {"moduly\\chybi.dll", "moduly/chybi.dll"},  // neither exists: kept as written
        {"moduly\\avifil32.dllx", "moduly/avifil32.dllx"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.written);
        EXPECT_EQ(ResolvePath(folder.Dir() + c.written), folder.Dir() + c.real);
    }
    EXPECT_NE(FileAge(folder.Dir() + "moduly\\AVIFIL32.DLL"), -1);
    EXPECT_EQ(FileAge(folder.Dir() + "moduly\\CHYBI.DLL"), -1);
}

TEST_F(CorePaths, CacheIsForgottenWhenFilesAppear) {
    const std::string written = folder.Dir() + "HL_OBR\\Pozdeji.BMP";
    EXPECT_EQ(ResolvePath(written), folder.Dir() + "hl_obr/Pozdeji.BMP");  // the listing is now cached
    folder.WriteFile("hl_obr/pozdeji.bmp", "x");

    // Created outside the platform: the cached listing does not know it yet.
    EXPECT_FALSE(FileExists(written));
    InvalidatePathCache();
    EXPECT_EQ(ResolvePath(written), folder.Dir() + "hl_obr/pozdeji.bmp");
    EXPECT_TRUE(FileExists(written));

    // Through the platform's own call the listing is refreshed at once.
    folder.WriteFile("hl_obr/dalsi.bmp", "x");
    EXPECT_FALSE(FileExists(folder.Dir() + "hl_obr\\DALSI.BMP"));
    NoteFileSystemChange(folder.Path("hl_obr/dalsi.bmp"));
    EXPECT_TRUE(FileExists(folder.Dir() + "hl_obr\\DALSI.BMP"));
}

TEST_F(CorePaths, ExistenceOfFilesAndFolders) {
    EXPECT_TRUE(FileExists(folder.Dir() + "HL_OBR\\KONEC1.BMP"));
    EXPECT_FALSE(FileExists(folder.Dir() + "HL_OBR"));
    EXPECT_TRUE(DirectoryExists(folder.Dir() + "Simul\\Instal\\B_VERZE\\"));
    EXPECT_FALSE(DirectoryExists(folder.Dir() + "hl_obr\\konec1.bmp"));
    EXPECT_FALSE(FileExists(folder.Dir() + "chybi.bmp"));
    EXPECT_FALSE(DirectoryExists(folder.Dir() + "chybi"));
}

TEST_F(CorePaths, FileAgePacksTheModificationTime) {
    EXPECT_EQ(FileAge(folder.Dir() + "nothing.bmp"), -1);
    EXPECT_EQ(FileAge(folder.Dir() + "hl_obr"), -1);  // a folder is no file

    std::tm when{};
    when.tm_year = 2005 - 1900;
    when.tm_mon = 6 - 1;
    when.tm_mday = 17;
    when.tm_hour = 13;
    when.tm_min = 45;
    when.tm_sec = 31;
    when.tm_isdst = -1;
    const utimbuf times{std::mktime(&when), std::mktime(&when)};
    ASSERT_EQ(::utime(folder.Path("hl_obr/konec1.bmp").c_str(), &times), 0);

    const int expected = int(((25u << 9 | 6u << 5 | 17u) << 16) | (13u << 11 | 45u << 5 | 15u));
    EXPECT_EQ(FileAge(folder.Dir() + "HL_OBR\\KONEC1.BMP"), expected);

    // Before the format's first year the file still exists: the earliest date, never -1.
    const utimbuf epoch{86400, 86400};
    ASSERT_EQ(::utime(folder.Path("hl_obr/konec1.bmp").c_str(), &epoch), 0);
    EXPECT_EQ(FileAge(folder.Dir() + "hl_obr\\konec1.bmp"), (1 << 5) | 1);
}

TEST(CoreFileNames, ExtractPathAndName) {
    struct Case {
        const char* name;
        const char* path;
        const char* file;
    };
    const Case cases[] = {
        {"/a/b\\hl_obr\\konec1.bmp", "/a/b\\hl_obr\\", "konec1.bmp"},
        {"dir/file.txt", "dir/", "file.txt"},
        {"C:file.txt", "C:", "file.txt"},
        {"file.txt", "", "file.txt"},
        {"folder\\", "folder\\", ""},
        {"", "", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ExtractFilePath(c.name), c.path) << c.name;
        EXPECT_EQ(ExtractFileName(c.name), c.file) << c.name;
    }
}

TEST(CoreFileErrors, ReadDataFile) {
    CoreTestFolder folder;
    folder.WriteFile("Data/Profese.DAT", std::string("a\0b\xFF", 4));
    EXPECT_EQ(ReadDataFile(folder.Dir() + "data\\profese.dat", 4), std::string("a\0b\xFF", 4));

    const std::string written = folder.Dir() + "data\\chybi.dat";
    try {
        ReadDataFile(written, file_limit::kText);
        FAIL() << "no exception";
    } catch (const EFOpenError& e) {
        EXPECT_EQ(e.Message, "Cannot open file \"" + written + "\". No such file or directory");
    }
    EXPECT_THROW(ReadDataFile(folder.Dir() + "Data", file_limit::kText), EFOpenError);
}

// What holds no data is refused at once, whatever it is and however it is
// reached: nothing waits on a FIFO or reads a device.
TEST(CoreFileErrors, ReadDataFileTakesOnlyRegularFilesWithinTheLimit) {
    CoreTestFolder folder;
    folder.WriteFile("data/real.dat", "12345");
    std::filesystem::create_symlink(folder.Path("data/real.dat"), folder.Path("data/link.dat"));
    ASSERT_EQ(::mkfifo(folder.Path("data/fifo.dat").c_str(), 0644), 0);
    std::filesystem::create_symlink("/dev/zero", folder.Path("data/zero.dat"));
    std::filesystem::create_symlink(folder.Path("data/fifo.dat"), folder.Path("data/fifolink.dat"));
    folder.MakeFolder("data/folder.dat");
    const int sock = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string socketPath = folder.Path("data/socket.dat");
    ASSERT_LT(socketPath.size(), sizeof address.sun_path);
    std::memcpy(address.sun_path, socketPath.c_str(), socketPath.size() + 1);
    ASSERT_EQ(::bind(sock, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    folder.WriteFile("data/huge.dat", "RIFF");
    std::filesystem::resize_file(folder.Path("data/huge.dat"), std::uintmax_t(512) << 20);

    struct Case {
        const char* file;
        std::int64_t limit;
        const char* read;  // nullptr: EFOpenError
    };
    const Case cases[] = {
        {"real.dat", 5, "12345"},
        {"link.dat", 5, "12345"},
        {"real.dat", 4, nullptr},
        {"fifo.dat", file_limit::kText, nullptr},
        {"fifolink.dat", file_limit::kText, nullptr},
        {"zero.dat", file_limit::kText, nullptr},
        {"folder.dat", file_limit::kText, nullptr},
        {"socket.dat", file_limit::kText, nullptr},
        {"huge.dat", file_limit::kAnimation, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        const std::string name = folder.Dir() + "DATA\\" + c.file;
        if (c.read) {
            EXPECT_EQ(ReadDataFile(name, c.limit), c.read);
        } else {
            EXPECT_THROW(ReadDataFile(name, c.limit), EFOpenError);
        }
    }
    ::close(sock);
}

TEST(CoreFileErrors, OnlyTheOpenErrorSaysCannotOpenFile) {
    EXPECT_EQ(String(EFOpenError("x.bmp", ENOENT).what()), "Cannot open file \"x.bmp\". No such file or directory");
    EXPECT_EQ(EFCreateError("/r/hasic.dat", EACCES).Message, "Cannot create file \"/r/hasic.dat\". Permission denied");
    errno = ENOENT;
    EXPECT_EQ(EFOpenError("a").Message, "Cannot open file \"a\". No such file or directory");
    EXPECT_EQ(EFOpenError("a", 0).Message, "Cannot open file \"a\".");
}

}  // namespace
