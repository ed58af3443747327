// The registry reader of the class library. Linux has no registry: the one
// value the program reads, the common application-data folder, is answered
// with the user's data folder; every other key fails to open.
#pragma once

#include <cstdint>

#include "platform/core/types.h"

using HKEY = std::uintptr_t;
constexpr HKEY HKEY_CURRENT_USER = 0x80000001;
constexpr HKEY HKEY_LOCAL_MACHINE = 0x80000002;

class TRegistry : public TObject {
public:
    HKEY RootKey = HKEY_CURRENT_USER;

    // Keys are matched in any letter case, with or without the leading "\".
    bool OpenKeyReadOnly(const String& key);
    // Keys are never created: CanCreate makes no difference.
    bool OpenKey(const String& key, bool CanCreate = false);
    // The value of the open key; "" when it has no such value or no key is
    // open. "Common AppData" of the shell folders: sys::UserDataFolder().
    String ReadString(const String& name);
    void CloseKey();

private:
    bool shellFoldersOpen_ = false;
};
