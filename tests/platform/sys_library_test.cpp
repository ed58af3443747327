#include <dlfcn.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/sys/windows.h"
#include "sys_test_support.h"

namespace {

const std::string kDir = VELAMO_SYS_TESTLIB_DIR;
const std::string kRealPath = kDir + "/SysTestLib.so";

bool StillLoaded(const std::string& path) {
    void* h = dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD);
    if (h) dlclose(h);
    return h != nullptr;
}

}  // namespace

// The library under its own name and under the names the program uses for
// its libraries ("Tisk.dll" is "Tisk.so").
TEST(SysLibrary, LoadsFindsExportsAndUnloads) {
    const std::string names[] = {kRealPath, kDir + "\\SysTestLib.dll", kDir + "\\SYSTESTLIB.DLL", kDir + "/systestlib.so"};
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        HMODULE module = LoadLibraryA(name.c_str());
        ASSERT_NE(module, nullptr);
        EXPECT_EQ(GetLastError(), ERROR_SUCCESS);
        EXPECT_TRUE(StillLoaded(kRealPath));

        auto answer = reinterpret_cast<int (*)()>(GetProcAddress(module, "SysTestLibAnswer"));
        ASSERT_NE(answer, nullptr);
        EXPECT_EQ(answer(), 42);

        EXPECT_EQ(GetProcAddress(module, "Profese"), nullptr);
        EXPECT_EQ(GetLastError(), ERROR_PROC_NOT_FOUND);

        EXPECT_EQ(FreeLibrary(module), TRUE);
        EXPECT_FALSE(StillLoaded(kRealPath));
    }
}

TEST(SysLibrary, MissingOrBrokenLibraryDoesNotLoad) {
    systest::TempFolder dir;
    systest::WriteFile(dir / "Broken.so", "not a library");
    const std::pair<std::string, DWORD> cases[] = {
        {dir.Path() + "\\Tisk.dll", ERROR_MOD_NOT_FOUND},
        {dir / "Broken.so", ERROR_MOD_NOT_FOUND},
        {dir.Path() + "\\BROKEN.DLL", ERROR_MOD_NOT_FOUND},
        {"", ERROR_INVALID_PARAMETER},
    };
    for (const auto& [name, error] : cases) {
        SCOPED_TRACE(name);
        SetLastError(ERROR_SUCCESS);
        EXPECT_EQ(LoadLibraryA(name.c_str()), nullptr);
        EXPECT_EQ(GetLastError(), error);
    }
    EXPECT_EQ(GetProcAddress(nullptr, "Profese"), nullptr);
    EXPECT_EQ(FreeLibrary(nullptr), FALSE);
}
