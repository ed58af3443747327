#include <dlfcn.h>
#include <unistd.h>

#include <cstdio>

#include "platform/core/files.h"
#include "platform/sys/last_error.h"
#include "platform/sys/windows.h"

namespace {

// dlopen searches the library path for a bare name; a file of that name in
// the working folder is meant, as the program's own folder is searched first.
String LoadablePath(const String& resolved) {
    if (resolved.find('/') == String::npos && access(resolved.c_str(), F_OK) == 0) return "./" + resolved;
    return resolved;
}

}  // namespace

HMODULE LoadLibraryA(const char* fileName) {
    if (!fileName || !*fileName) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    String path = LoadablePath(ResolvePath(fileName));
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        // A library that is there but does not load (a missing symbol or
        // dependency) is a fault of the installation worth a line.
        if (access(path.c_str(), F_OK) == 0) std::fprintf(stderr, "velamo: %s\n", dlerror());
        SetLastError(ERROR_MOD_NOT_FOUND);
        return nullptr;
    }
    SetLastError(ERROR_SUCCESS);
    return static_cast<HMODULE>(handle);
}

FARPROC GetProcAddress(HMODULE module, const char* procName) {
    if (!module || !procName) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    dlerror();
    void* symbol = dlsym(module, procName);
    if (!symbol) {
        SetLastError(ERROR_PROC_NOT_FOUND);
        return nullptr;
    }
    SetLastError(ERROR_SUCCESS);
    return reinterpret_cast<FARPROC>(symbol);
}

BOOL FreeLibrary(HMODULE module) {
    if (!module) return sys::Fail(ERROR_INVALID_HANDLE);
    if (dlclose(module) != 0) return sys::Fail(ERROR_INVALID_HANDLE);
    return sys::Succeed();
}
