// The platform's side of the system services: the display model behind the
// display-settings calls, and the folders the services use.
#pragma once

#include <vector>

#include "platform/core/types.h"

namespace sys {

struct DisplayMode {
    int width = 0;
    int height = 0;
    int bitsPerPel = 0;
    int frequency = 60;
    bool operator==(const DisplayMode&) const = default;
};

// "640x480x16"
String DescribeMode(const DisplayMode& mode);

// One successful switch or restore, as ChangeDisplaySettingsA made it.
struct DisplayChange {
    DisplayMode mode;
    DWORD flags = 0;
};

// Replaces the display's mode list and its current mode, which becomes the
// desktop's mode (the one a restore returns to), and forgets the changes
// recorded so far. The current mode joins the end of the list when it is
// not in it: a display can always stay in the mode it is in. Without a call, the model starts at first use with the
// desktop's mode as SDL reports it (1024x768x32 when SDL's video is not
// running) and a list of 640x480 at 8, 16, 24 and 32 bits, then the
// desktop's mode.
void ConfigureDisplay(std::vector<DisplayMode> modes, DisplayMode current);
// Forgets the model: the next use starts it afresh from the real desktop
// (for a backend that starts SDL's video after the model was first read).
void ResetDisplay();

const std::vector<DisplayMode>& DisplayModes();
DisplayMode CurrentDisplayMode();
DisplayMode DesktopDisplayMode();
// Every change since the model was set up. Each is also a backend notice:
// "display switch 640x480x16", or "display restore 1024x768x32" for the
// desktop's mode.
const std::vector<DisplayChange>& DisplayChanges();

// "<folder of the platform library>/system": the video modules.
String PlatformModuleFolder();
// Tests: makes PlatformModuleFolder (and so GetSystemDirectoryA) answer
// `folder` instead; an empty folder restores the real one.
void SetModuleFolderForTests(const String& folder);
// $XDG_RUNTIME_DIR, else the private folder below.
// Empty when no usable folder exists.
String UserRuntimeFolder();
// /tmp/velamo-<uid>: made when missing, mode 0700, used only when it is a
// real folder of this user's (not a link someone planted); else empty.
String UserPrivateFolder();
// ($XDG_DATA_HOME, else ~/.local/share) + "/Velamo", made when missing.
String UserDataFolder();

}  // namespace sys
