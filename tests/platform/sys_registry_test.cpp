#include <gtest/gtest.h>

#include <filesystem>

#include "platform/sys/registry.h"
#include "sys_test_support.h"

namespace fs = std::filesystem;

namespace {

const char* const kShellFolders = "\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

}  // namespace

TEST(SysRegistry, OnlyTheShellFoldersKeyOpens) {
    systest::TempFolder home;
    systest::ScopedEnv xdg("XDG_DATA_HOME", home / "data");
    struct Case {
        HKEY root;
        std::string key;
        bool opens;
    };
    const Case cases[] = {
        {HKEY_LOCAL_MACHINE, kShellFolders, true},
        {HKEY_LOCAL_MACHINE, "software\\microsoft\\windows\\currentversion\\explorer\\SHELL FOLDERS\\", true},
        {HKEY_CURRENT_USER, kShellFolders, false},
        {HKEY_LOCAL_MACHINE, std::string(kShellFolders) + "\\Extra", false},
        {HKEY_LOCAL_MACHINE, "\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer", false},
        {HKEY_LOCAL_MACHINE, "", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        for (bool readOnly : {true, false}) {
            TRegistry reg;
            reg.RootKey = c.root;
            EXPECT_EQ(readOnly ? reg.OpenKeyReadOnly(c.key) : reg.OpenKey(c.key, true), c.opens);
            EXPECT_EQ(reg.ReadString("Common AppData"), c.opens ? home / "data/Velamo" : "");
        }
    }
}

TEST(SysRegistry, CommonAppDataIsTheUserDataFolderMadeWhenMissing) {
    systest::TempFolder home;
    struct Case {
        std::optional<std::string> xdg;
        std::string expected;
    };
    const Case cases[] = {
        {home / "xdg", home / "xdg/Velamo"},
        {home / "xdg/", home / "xdg/Velamo"},
        {std::nullopt, home / ".local/share/Velamo"},
        {"", home / ".local/share/Velamo"},
        {"relative/folder", home / ".local/share/Velamo"},
    };
    systest::ScopedEnv homeEnv("HOME", home.Path());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.xdg.value_or("(unset)"));
        systest::ScopedEnv xdg("XDG_DATA_HOME", c.xdg);
        fs::remove_all(c.expected);
        TRegistry reg;
        reg.RootKey = HKEY_LOCAL_MACHINE;
        ASSERT_TRUE(reg.OpenKeyReadOnly(kShellFolders));
        EXPECT_EQ(reg.ReadString("Common AppData"), c.expected);
        EXPECT_TRUE(fs::is_directory(c.expected));
        EXPECT_EQ(reg.ReadString("Personal"), "") << "no other value";
        reg.CloseKey();
        EXPECT_EQ(reg.ReadString("Common AppData"), "") << "a closed key has no values";
    }
}
