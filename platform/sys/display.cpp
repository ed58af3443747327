#include <strings.h>

#include <algorithm>
#include <cstring>
#include <optional>

#include "platform/backend/backend.h"
#include "platform/sys/last_error.h"
#include "platform/sys/system.h"
#include "platform/sys/windows.h"

struct DisplayDC {};

namespace sys {

namespace {

struct DisplayModel {
    std::vector<DisplayMode> modes;
    DisplayMode current;
    DisplayMode desktop;
    std::vector<DisplayChange> changes;
};

void AddMode(std::vector<DisplayMode>& modes, const DisplayMode& mode) {
    if (std::find(modes.begin(), modes.end(), mode) == modes.end()) modes.push_back(mode);
}

DisplayMode RealDesktopMode() {
    const backend::DesktopMode m =
        backend::Installed() ? backend::Current().DesktopDisplayMode() : backend::DesktopMode{};
    return {m.width, m.height, m.bitsPerPixel, m.frequency};
}

DisplayModel DefaultModel() {
    DisplayModel model;
    model.desktop = model.current = RealDesktopMode();
    for (int bits : {8, 16, 24, 32}) model.modes.push_back({640, 480, bits, model.desktop.frequency});
    AddMode(model.modes, model.desktop);
    return model;
}

std::optional<DisplayModel>& ModelSlot() {
    static std::optional<DisplayModel> model;
    return model;
}

DisplayModel& Model() {
    if (!ModelSlot()) ModelSlot() = DefaultModel();
    return *ModelSlot();
}

bool SameModeAsideFromFrequency(const DisplayMode& a, const DisplayMode& b) {
    return a.width == b.width && a.height == b.height && a.bitsPerPel == b.bitsPerPel;
}

bool HasRequestedFields(const DisplayMode& m, const DEVMODEA& request) {
    auto same = [&](DWORD field, int value, DWORD wanted) {
        return !(request.dmFields & field) || DWORD(value) == wanted;
    };
    return same(DM_PELSWIDTH, m.width, request.dmPelsWidth) &&
           same(DM_PELSHEIGHT, m.height, request.dmPelsHeight) &&
           same(DM_BITSPERPEL, m.bitsPerPel, request.dmBitsPerPel) &&
           same(DM_DISPLAYFREQUENCY, m.frequency, request.dmDisplayFrequency);
}

// The mode a request selects: the current mode when it has every requested
// field, else the first such mode of the list.
std::optional<DisplayMode> SelectMode(const DEVMODEA& request) {
    const DisplayModel& model = Model();
    std::optional<DisplayMode> first;
    for (const DisplayMode& m : model.modes) {
        if (!HasRequestedFields(m, request)) continue;
        if (m == model.current) return m;
        if (!first) first = m;
    }
    return first;
}

// The picture goes full screen for any mode but the desktop's; the
// physical resolution stays as it is.
void SwitchTo(const DisplayMode& mode, DWORD flags) {
    DisplayModel& model = Model();
    model.current = mode;
    model.changes.push_back({mode, flags});
    if (!backend::Installed()) return;
    bool restore = SameModeAsideFromFrequency(mode, model.desktop);
    backend::Current().SetFullscreen(!restore);
    backend::Current().Notice(String(restore ? "display restore " : "display switch ") + DescribeMode(mode));
}

bool IsDisplayName(const char* name) { return name && strcasecmp(name, "DISPLAY") == 0; }

void FillDevMode(const DisplayMode& m, DEVMODEA& out) {
    std::memset(out.dmDeviceName, 0, sizeof out.dmDeviceName);
    std::strncpy(out.dmDeviceName, "DISPLAY", sizeof out.dmDeviceName - 1);
    out.dmSize = sizeof(DEVMODEA);
    out.dmFields = DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT | DM_DISPLAYFREQUENCY;
    out.dmBitsPerPel = DWORD(m.bitsPerPel);
    out.dmPelsWidth = DWORD(m.width);
    out.dmPelsHeight = DWORD(m.height);
    out.dmDisplayFrequency = DWORD(m.frequency);
}

}  // namespace

String DescribeMode(const DisplayMode& mode) {
    return std::to_string(mode.width) + "x" + std::to_string(mode.height) + "x" + std::to_string(mode.bitsPerPel);
}

void ConfigureDisplay(std::vector<DisplayMode> modes, DisplayMode current) {
    AddMode(modes, current);
    ModelSlot() = DisplayModel{std::move(modes), current, current, {}};
}

void ResetDisplay() { ModelSlot().reset(); }

const std::vector<DisplayMode>& DisplayModes() { return Model().modes; }
DisplayMode CurrentDisplayMode() { return Model().current; }
DisplayMode DesktopDisplayMode() { return Model().desktop; }
const std::vector<DisplayChange>& DisplayChanges() { return Model().changes; }

}  // namespace sys

BOOL EnumDisplaySettingsA(const char* deviceName, DWORD modeNum, DEVMODEA* mode) {
    if (!mode || (deviceName && !sys::IsDisplayName(deviceName))) return sys::Fail(ERROR_INVALID_PARAMETER);
    const sys::DisplayModel& model = sys::Model();
    if (modeNum == ENUM_CURRENT_SETTINGS) {
        sys::FillDevMode(model.current, *mode);
    } else if (modeNum == ENUM_REGISTRY_SETTINGS) {
        sys::FillDevMode(model.desktop, *mode);
    } else if (modeNum < model.modes.size()) {
        sys::FillDevMode(model.modes[modeNum], *mode);
    } else {
        return sys::Fail(ERROR_INVALID_PARAMETER);
    }
    return sys::Succeed();
}

LONG ChangeDisplaySettingsA(DEVMODEA* mode, DWORD flags) {
    std::optional<sys::DisplayMode> target = mode ? sys::SelectMode(*mode) : sys::Model().desktop;
    if (!target) return DISP_CHANGE_BADMODE;
    if (!(flags & CDS_TEST)) sys::SwitchTo(*target, flags);
    return DISP_CHANGE_SUCCESSFUL;
}

HDISPLAYDC CreateDCA(const char* driver, const char* device, const char* output, const void* initData) {
    if (!sys::IsDisplayName(driver)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return new DisplayDC;
}

int GetDeviceCaps(HDISPLAYDC dc, int index) {
    if (!dc) return 0;
    const sys::DisplayMode mode = sys::Model().current;
    switch (index) {
    case HORZRES: return mode.width;
    case VERTRES: return mode.height;
    case BITSPIXEL: return mode.bitsPerPel;
    case PLANES: return 1;
    case VREFRESH: return mode.frequency;
    default: return 0;
    }
}

BOOL DeleteDC(HDISPLAYDC dc) {
    if (!dc) return sys::Fail(ERROR_INVALID_HANDLE);
    delete dc;
    return sys::Succeed();
}
