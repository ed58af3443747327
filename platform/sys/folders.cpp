#include <dlfcn.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "platform/sys/system.h"

namespace fs = std::filesystem;

namespace sys {

namespace {

String Environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? String(value) : String();
}

String HomeFolder() {
    String home = Environment("HOME");
    if (!home.empty()) return home;
    if (const passwd* pw = getpwuid(getuid()); pw && pw->pw_dir) return pw->pw_dir;
    return "/";
}

bool IsDirectory(const String& path) {
    std::error_code ec;
    return !path.empty() && fs::is_directory(path, ec);
}

// A folder in /tmp is only trusted when it is a real directory (not a link
// someone planted) owned by this user.
bool IsOwnFolder(const String& path) {
    struct stat st {};
    return lstat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == getuid();
}

String& ModuleFolderOverride() {
    static String folder;
    return folder;
}

}  // namespace

void SetModuleFolderForTests(const String& folder) { ModuleFolderOverride() = folder; }

String PlatformModuleFolder() {
    if (!ModuleFolderOverride().empty()) return ModuleFolderOverride();
    Dl_info info{};
    if (!dladdr(reinterpret_cast<void*>(&PlatformModuleFolder), &info) || !info.dli_fname) return "system";
    return (fs::absolute(info.dli_fname).lexically_normal().parent_path() / "system").string();
}

String UserPrivateFolder() {
    String folder = "/tmp/velamo-" + std::to_string(getuid());
    mkdir(folder.c_str(), 0700);
    if (!IsOwnFolder(folder) || chmod(folder.c_str(), 0700) != 0) return {};
    return folder;
}

String UserRuntimeFolder() {
    String runtime = Environment("XDG_RUNTIME_DIR");
    if (IsDirectory(runtime)) return runtime;
    return UserPrivateFolder();
}

String UserDataFolder() {
    String base = Environment("XDG_DATA_HOME");
    if (base.empty() || base.front() != '/') base = HomeFolder() + "/.local/share";
    String folder = (fs::path(base) / "Velamo").lexically_normal().string();
    std::error_code ec;
    fs::create_directories(folder, ec);
    return folder;
}

}  // namespace sys
