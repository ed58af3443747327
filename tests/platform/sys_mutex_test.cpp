#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>

#include "platform/sys/system.h"
#include "platform/sys/windows.h"
#include "sys_test_support.h"

namespace {

// Creates the mutex in a child process, which then waits to be killed.
pid_t HoldInChild(const char* name) {
    int ready[2];
    if (pipe(ready) != 0) return -1;
    pid_t pid = fork();
    if (pid == 0) {
        close(ready[0]);
        HANDLE h = CreateMutexA(nullptr, FALSE, name);
        char held = (h && GetLastError() == ERROR_SUCCESS) ? 'y' : 'n';
        if (write(ready[1], &held, 1) != 1) _exit(1);
        for (;;) pause();
    }
    close(ready[1]);
    char held = 'n';
    if (read(ready[0], &held, 1) != 1 || held != 'y') {
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
        pid = -1;
    }
    close(ready[0]);
    return pid;
}

}  // namespace

TEST(SysMutex, HeldByAnotherProcessUntilItEnds) {
    systest::TempFolder runtime;
    systest::ScopedEnv env("XDG_RUNTIME_DIR", runtime.Path());

    pid_t holder = HoldInChild("Velamo2005");
    ASSERT_GT(holder, 0);
    EXPECT_TRUE(std::filesystem::exists(runtime / "Velamo2005.lock"));

    SetLastError(ERROR_SUCCESS);
    EXPECT_NE(CreateMutexA(nullptr, FALSE, "Velamo2005"), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_ALREADY_EXISTS);
    // Another name is free.
    EXPECT_NE(CreateMutexA(nullptr, FALSE, "Velamo2006"), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_SUCCESS);

    // A holder that is killed, not one that ends politely, frees it too.
    kill(holder, SIGKILL);
    waitpid(holder, nullptr, 0);
    SetLastError(ERROR_ALREADY_EXISTS);
    EXPECT_NE(CreateMutexA(nullptr, FALSE, "Velamo2005"), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_SUCCESS);

    // Now this process holds it: asking again finds it taken.
    EXPECT_NE(CreateMutexA(nullptr, FALSE, "Velamo2005"), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_ALREADY_EXISTS);
}

TEST(SysMutex, NamesWithSeparatorsStayInTheRuntimeFolder) {
    systest::TempFolder runtime;
    systest::ScopedEnv env("XDG_RUNTIME_DIR", runtime.Path());
    EXPECT_NE(CreateMutexA(nullptr, FALSE, "Local\\a/b"), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_SUCCESS);
    EXPECT_TRUE(std::filesystem::exists(runtime / "Local_a_b.lock"));
}

TEST(SysMutex, RuntimeFolderFallsBackToAPrivateTmpFolder) {
    systest::TempFolder runtime;
    const std::string fallback = "/tmp/velamo-" + std::to_string(getuid());
    struct Case {
        std::optional<std::string> xdg;
        std::string expected;
    };
    const Case cases[] = {
        {runtime.Path(), runtime.Path()},
        {std::nullopt, fallback},
        {"", fallback},
        {runtime / "missing", fallback},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.xdg.value_or("(unset)"));
        systest::ScopedEnv env("XDG_RUNTIME_DIR", c.xdg);
        EXPECT_EQ(sys::UserRuntimeFolder(), c.expected);
    }
    struct stat st {};
    ASSERT_EQ(lstat(fallback.c_str(), &st), 0);
    EXPECT_TRUE(S_ISDIR(st.st_mode));
    EXPECT_EQ(st.st_mode & 0077, 0u) << "the fallback folder is private";
}

// A runtime folder that cannot hold the lock must not let two copies run:
// both meet at the same lock in the private folder.
TEST(SysMutex, WhereTheRuntimeFolderCannotHoldTheLockCopiesMeetInThePrivateFolder) {
    const std::string name = "VelamoTest" + std::to_string(getpid());
    const std::string privateLock = "/tmp/velamo-" + std::to_string(getuid()) + "/" + name + ".lock";
    struct Case {
        const char* name;
        std::function<void(const std::string& runtime)> spoil;
    };
    const Case cases[] = {
        {"its lock file's name taken by a folder",
         [&](const std::string& runtime) { std::filesystem::create_directory(runtime + "/" + name + ".lock"); }},
        {"read-only", [](const std::string& runtime) { chmod(runtime.c_str(), 0500); }},
        // A link planted at the lock's name is not followed: its target is
        // never created or locked.
        {"its lock file's name taken by a link",
         [&](const std::string& runtime) {
             std::filesystem::create_symlink(runtime + "/target", runtime + "/" + name + ".lock");
         }},
        {"its lock file's name taken by a FIFO",
         [&](const std::string& runtime) { mkfifo((runtime + "/" + name + ".lock").c_str(), 0600); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        systest::TempFolder runtime;
        systest::ScopedEnv env("XDG_RUNTIME_DIR", runtime.Path());
        c.spoil(runtime.Path());
        // A user who may write anywhere (root) has no read-only folder.
        if (std::string(c.name) == "read-only" && access(runtime.Path().c_str(), W_OK) == 0) continue;

        pid_t holder = HoldInChild(name.c_str());
        ASSERT_GT(holder, 0);
        EXPECT_TRUE(std::filesystem::exists(privateLock));
        SetLastError(ERROR_SUCCESS);
        EXPECT_NE(CreateMutexA(nullptr, FALSE, name.c_str()), nullptr);
        EXPECT_EQ(GetLastError(), ERROR_ALREADY_EXISTS);
        EXPECT_FALSE(std::filesystem::exists(runtime / "target"));
        kill(holder, SIGKILL);
        waitpid(holder, nullptr, 0);
        chmod(runtime.Path().c_str(), 0700);
        std::filesystem::remove(privateLock);
    }
}
