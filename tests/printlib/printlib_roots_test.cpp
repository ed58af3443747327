// The units the print library shares with the program: the data roots and
// the text scrambling.
#include <gtest/gtest.h>

#include "platform/backend/headless/harness.h"
#include "platform/ui/ui.h"
#include "shell/UDataRoots.h"
#include "shell/UScramble.h"

namespace {

TEST(PrintRoots, FolderOfTheProgramFileEndingInASeparator) {
    headless::Harness harness;
    struct Case {
        String exe;
        String root;
    };
    const Case cases[] = {
        {"/opt/velamo/Velamo", "/opt/velamo/"},
        {"C:\\Hry\\Velamo\\Velamo.exe", "C:\\Hry\\Velamo\\"},
        {"C:Velamo.exe", "C:\\"},
        {"Velamo", "\\"},
    };
    for (const Case& c : cases) {
        Application->SetExeName(c.exe);
        InitPaths();
        EXPECT_EQ(AppDir, c.root) << c.exe;
        EXPECT_EQ(DataDir, c.root) << c.exe;
    }
    DonePaths();
    EXPECT_EQ(AppDir, "");
    EXPECT_EQ(DataDir, "");
}

std::string Contents(TMemoryStream& s) {
    return std::string(s.Bytes().begin(), s.Bytes().end());
}

TEST(PrintScramble, EveryByteXoredFromTheFirstAndPositionBackAtZero) {
    struct Case {
        std::string plain;
        std::int64_t startAt;
    };
    const Case cases[] = {{"abc", 0}, {"abc", 2}, {"", 0}, {std::string("\0\x3C\xFF\r\n", 5), 5}};
    for (const Case& c : cases) {
        TMemoryStream s;
        if (!c.plain.empty()) s.WriteBuffer(c.plain.data(), std::int64_t(c.plain.size()));
        s.SetPosition(c.startAt);
        ScrambleStream(s);
        EXPECT_EQ(s.GetPosition(), 0);
        ASSERT_EQ(s.GetSize(), std::int64_t(c.plain.size()));
        std::string scrambled = Contents(s);
        for (std::size_t i = 0; i < c.plain.size(); ++i) EXPECT_EQ(Byte(scrambled[i]), Byte(c.plain[i]) ^ 0x3C);
        s.SetPosition(c.startAt);
        ScrambleStream(s);
        EXPECT_EQ(Contents(s), c.plain) << "its own inverse";
        EXPECT_EQ(s.GetPosition(), 0);
    }
}

}  // namespace
