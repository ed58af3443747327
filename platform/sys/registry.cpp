#include "platform/sys/registry.h"

#include <strings.h>

#include "platform/sys/system.h"

namespace {

constexpr const char* kShellFolders = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

// Drops the separators at both ends: "\A\B\" and "A\B" name the same key.
String KeyPath(const String& key) {
    std::size_t first = key.find_first_not_of('\\');
    if (first == String::npos) return {};
    return key.substr(first, key.find_last_not_of('\\') - first + 1);
}

}  // namespace

bool TRegistry::OpenKeyReadOnly(const String& key) {
    CloseKey();
    shellFoldersOpen_ = RootKey == HKEY_LOCAL_MACHINE && strcasecmp(KeyPath(key).c_str(), kShellFolders) == 0;
    return shellFoldersOpen_;
}

bool TRegistry::OpenKey(const String& key, bool CanCreate) { return OpenKeyReadOnly(key); }

String TRegistry::ReadString(const String& name) {
    if (shellFoldersOpen_ && strcasecmp(name.c_str(), "Common AppData") == 0) return sys::UserDataFolder();
    return {};
}

void TRegistry::CloseKey() { shellFoldersOpen_ = false; }
