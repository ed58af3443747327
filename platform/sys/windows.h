// The system calls the program makes, under the names it uses, carried out
// on Linux: a named mutex as a file lock, display settings over the
// platform's display model, file calls through the platform's path
// resolution, shared libraries through dlopen, and the system folder as the
// platform's module folder.
#pragma once

#include "platform/core/types.h"
#include "platform/sys/clock.h"
#include "platform/sys/wintypes.h"

// ---------------------------------------------------------------------------
// Named mutex: an exclusive lock on "<runtime folder>/<name>.lock", held
// until the process ends; where the runtime folder cannot hold it, on the
// same file in the user's private folder. When another process (or an
// earlier call of this one) holds it, the call still returns a handle and
// the last error is ERROR_ALREADY_EXISTS; otherwise the last error is
// ERROR_SUCCESS. Returns nullptr when neither folder can hold the lock.
// Handles are never closed.
HANDLE CreateMutexA(const void* securityAttributes, BOOL initialOwner, const char* name);

// ---------------------------------------------------------------------------
// Display settings, answered from the platform's display model (see
// platform/sys/system.h). Switching never changes the physical resolution:
// any mode other than the desktop's puts the 640x480 picture full screen,
// scaled over the desktop; the desktop's mode gives the window back.

constexpr int CCHDEVICENAME = 32;

struct DEVMODEA {
    char dmDeviceName[CCHDEVICENAME] = {};
    Word dmSize = 0;
    DWORD dmFields = 0;
    DWORD dmBitsPerPel = 0;
    DWORD dmPelsWidth = 0;
    DWORD dmPelsHeight = 0;
    DWORD dmDisplayFrequency = 0;
};
using DEVMODE = DEVMODEA;

constexpr DWORD DM_BITSPERPEL = 0x40000;
constexpr DWORD DM_PELSWIDTH = 0x80000;
constexpr DWORD DM_PELSHEIGHT = 0x100000;
constexpr DWORD DM_DISPLAYFREQUENCY = 0x400000;

constexpr DWORD CDS_UPDATEREGISTRY = 1;
constexpr DWORD CDS_TEST = 2;
constexpr DWORD CDS_FULLSCREEN = 4;

constexpr LONG DISP_CHANGE_SUCCESSFUL = 0;
constexpr LONG DISP_CHANGE_FAILED = -1;
constexpr LONG DISP_CHANGE_BADMODE = -2;

constexpr DWORD ENUM_CURRENT_SETTINGS = DWORD(-1);
constexpr DWORD ENUM_REGISTRY_SETTINGS = DWORD(-2);

// Fills mode with entry modeNum of the display's mode list (0 is the first
// entry, not the current mode), the current mode (ENUM_CURRENT_SETTINGS) or
// the desktop's (ENUM_REGISTRY_SETTINGS). FALSE past the end of the list or
// for a device other than the display (nullptr or "DISPLAY").
BOOL EnumDisplaySettingsA(const char* deviceName, DWORD modeNum, DEVMODEA* mode);

// The fields named in mode->dmFields (width, height, bits, frequency) select
// the first mode of the list that has them, preferring the current mode.
// CDS_TEST only checks; otherwise the display switches to that mode. A mode
// not in the list gives DISP_CHANGE_BADMODE. mode == nullptr restores the
// desktop's mode.
LONG ChangeDisplaySettingsA(DEVMODEA* mode, DWORD flags);

// A device context of the display, for reading its capabilities. Apart from
// the canvases' HDC: it draws nothing.
struct DisplayDC;
using HDISPLAYDC = DisplayDC*;

constexpr int HORZRES = 8;
constexpr int VERTRES = 10;
constexpr int BITSPIXEL = 12;
constexpr int PLANES = 14;
constexpr int VREFRESH = 116;

// driver "DISPLAY" (any letter case); other drivers give nullptr.
HDISPLAYDC CreateDCA(const char* driver, const char* device, const char* output, const void* initData);
// HORZRES, VERTRES, BITSPIXEL, VREFRESH of the current mode; PLANES 1;
// 0 for anything else.
int GetDeviceCaps(HDISPLAYDC dc, int index);
BOOL DeleteDC(HDISPLAYDC dc);

// ---------------------------------------------------------------------------
// Files. Every name goes through ResolvePath (both separators, any letter
// case). The read-only attribute is the owner's write permission: a file
// without it is neither overwritten nor deleted (ERROR_ACCESS_DENIED).

constexpr DWORD FILE_ATTRIBUTE_READONLY = 0x1;
constexpr DWORD FILE_ATTRIBUTE_NORMAL = 0x80;

// Copies the contents and the permissions (so the read-only attribute goes
// with the copy). failIfExists and an existing target: ERROR_FILE_EXISTS.
BOOL CopyFileA(const char* existingFileName, const char* newFileName, BOOL failIfExists);
BOOL DeleteFileA(const char* fileName);
// FILE_ATTRIBUTE_READONLY clears every write permission; without it the
// owner may write again. Other attributes have no meaning here.
BOOL SetFileAttributesA(const char* fileName, DWORD attributes);

// The platform's module folder, where the video modules live under the names
// the program looks for ("AVIFIL32.DLL" resolves to "avifil32.so"). Copies
// the folder without a final separator into buffer and returns its length;
// when it does not fit, leaves the buffer alone and returns the size needed
// with the terminating zero.
UINT GetSystemDirectoryA(char* buffer, UINT size);

// ---------------------------------------------------------------------------
// Shared libraries: "Tisk.dll" resolves to "Tisk.so" beside it.

struct LoadedModule;
using HMODULE = LoadedModule*;
using FARPROC = void (*)();

// dlopen of the resolved name, symbols bound at once and kept local.
// nullptr and ERROR_MOD_NOT_FOUND when it cannot be loaded.
HMODULE LoadLibraryA(const char* fileName);
// nullptr and ERROR_PROC_NOT_FOUND for a name the module does not export.
FARPROC GetProcAddress(HMODULE module, const char* procName);
BOOL FreeLibrary(HMODULE module);
