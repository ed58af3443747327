#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <vector>

#include "platform/backend/backend.h"
#include "platform/sys/system.h"
#include "platform/sys/windows.h"

namespace {

// Records what the display calls ask of the backend.
class RecordingBackend : public backend::Backend {
public:
    std::vector<bool> fullscreen;
    std::vector<String> notices;
    std::optional<backend::DesktopMode> desktop;  // the display's; none: the backend's default

    std::uint32_t Ticks() override { return 0; }
    void Sleep(std::uint32_t) override {}
    bool PollEvent(backend::Event&) override { return false; }
    bool WaitEvent(backend::Event&, std::int64_t) override { return false; }
    void Present(const Surface&, const TRect&) override {}
    TPoint PointerPos() override { return {}; }
    void SetCursor(const backend::CursorData&) override {}
    void ShowPointer(bool) override {}
    void SetFullscreen(bool on) override { fullscreen.push_back(on); }
    backend::DesktopMode DesktopDisplayMode() override {
        return desktop ? *desktop : Backend::DesktopDisplayMode();
    }
    void PlaySound(int, std::shared_ptr<const backend::SoundBuffer>, bool) override {}
    void StopSound(int) override {}
    void Notice(const String& what) override { notices.push_back(what); }
};

using sys::DisplayMode;

const DisplayMode kDesktop{1280, 1024, 32, 60};

std::vector<DisplayMode> Modes640(std::initializer_list<int> depths) {
    std::vector<DisplayMode> modes;
    for (int bits : depths) modes.push_back({640, 480, bits, 60});
    return modes;
}

DEVMODEA Request(DWORD fields, int width, int height, int bits, int frequency = 0) {
    DEVMODEA m;
    m.dmFields = fields;
    m.dmPelsWidth = DWORD(width);
    m.dmPelsHeight = DWORD(height);
    m.dmBitsPerPel = DWORD(bits);
    m.dmDisplayFrequency = DWORD(frequency);
    return m;
}

constexpr DWORD kModeFields = DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT;

class SysDisplay : public ::testing::Test {
protected:
    void SetUp() override {
        auto b = std::make_unique<RecordingBackend>();
        backend_ = b.get();
        backend::Install(std::move(b));
    }
    void TearDown() override { backend::Install(nullptr); }

    struct Caps {
        int width, height, bits;
        bool operator==(const Caps&) const = default;
    };
    static Caps ReadCaps() {
        HDISPLAYDC dc = CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
        EXPECT_NE(dc, nullptr);
        Caps caps{GetDeviceCaps(dc, HORZRES), GetDeviceCaps(dc, VERTRES), GetDeviceCaps(dc, BITSPIXEL)};
        EXPECT_EQ(DeleteDC(dc), TRUE);
        return caps;
    }

    RecordingBackend* backend_ = nullptr;
};

}  // namespace

// The program's own sequence: save the mode, test and make the switch,
// restore on leaving.
TEST_F(SysDisplay, SwitchAndRestoreScaleThePictureWithoutChangingTheDesktop) {
    sys::ConfigureDisplay(Modes640({8, 16, 24, 32}), kDesktop);
    EXPECT_EQ(ReadCaps(), (Caps{1280, 1024, 32}));

    DEVMODEA record;
    ASSERT_EQ(EnumDisplaySettingsA(nullptr, 0, &record), TRUE);
    record.dmFields = kModeFields;
    record.dmBitsPerPel = 16;
    record.dmPelsWidth = 640;
    record.dmPelsHeight = 480;

    EXPECT_EQ(ChangeDisplaySettingsA(&record, CDS_TEST), DISP_CHANGE_SUCCESSFUL);
    EXPECT_TRUE(sys::DisplayChanges().empty()) << "a test changes nothing";
    EXPECT_TRUE(backend_->fullscreen.empty());

    EXPECT_EQ(ChangeDisplaySettingsA(&record, CDS_FULLSCREEN), DISP_CHANGE_SUCCESSFUL);
    EXPECT_EQ(ReadCaps(), (Caps{640, 480, 16}));

    record.dmBitsPerPel = 32;
    record.dmPelsWidth = 1280;
    record.dmPelsHeight = 1024;
    EXPECT_EQ(ChangeDisplaySettingsA(&record, CDS_FULLSCREEN), DISP_CHANGE_SUCCESSFUL);
    EXPECT_EQ(ReadCaps(), (Caps{1280, 1024, 32}));
    // A null record restores the desktop's mode as well.
    EXPECT_EQ(ChangeDisplaySettingsA(nullptr, 0), DISP_CHANGE_SUCCESSFUL);

    const auto& changes = sys::DisplayChanges();
    ASSERT_EQ(changes.size(), 3u);
    EXPECT_EQ(changes[0].mode, (DisplayMode{640, 480, 16, 60}));
    EXPECT_EQ(changes[0].flags, CDS_FULLSCREEN);
    EXPECT_EQ(changes[1].mode, kDesktop);
    EXPECT_EQ(changes[1].flags, CDS_FULLSCREEN);
    EXPECT_EQ(changes[2].mode, kDesktop);
    EXPECT_EQ(changes[2].flags, 0u);
    EXPECT_EQ(backend_->fullscreen, (std::vector<bool>{true, false, false}));
    EXPECT_EQ(backend_->notices, (std::vector<String>{"display switch 640x480x16", "display restore 1280x1024x32",
                                                      "display restore 1280x1024x32"}));
}

TEST_F(SysDisplay, ModeMissingFromTheListIsRefused) {
    const std::vector<DisplayMode> lists[] = {
        Modes640({8, 24, 32}),
        {{800, 600, 16, 60}, {640, 400, 16, 60}},
        {},
    };
    for (const auto& list : lists) {
        SCOPED_TRACE(list.size());
        sys::ConfigureDisplay(list, kDesktop);
        DEVMODEA request = Request(kModeFields, 640, 480, 16);
        EXPECT_EQ(ChangeDisplaySettingsA(&request, CDS_TEST), DISP_CHANGE_BADMODE);
        EXPECT_EQ(ChangeDisplaySettingsA(&request, CDS_FULLSCREEN), DISP_CHANGE_BADMODE);
        EXPECT_EQ(sys::CurrentDisplayMode(), kDesktop);
        EXPECT_TRUE(sys::DisplayChanges().empty());
    }
    EXPECT_TRUE(backend_->fullscreen.empty());
    EXPECT_TRUE(backend_->notices.empty());
}

// Only the fields a request names count; among the modes that have them the
// current one is kept, else the list's first is taken.
TEST_F(SysDisplay, RequestedFieldsSelectTheMode) {
    const std::vector<DisplayMode> list = {
        {640, 480, 8, 60}, {640, 480, 16, 60}, {640, 480, 16, 75}, {800, 600, 32, 60}};
    struct Case {
        const char* what;
        DEVMODEA request;
        std::optional<DisplayMode> chosen;
    };
    const Case cases[] = {
        {"all three", Request(kModeFields, 640, 480, 16), DisplayMode{640, 480, 16, 60}},
        {"with frequency", Request(kModeFields | DM_DISPLAYFREQUENCY, 640, 480, 16, 75), DisplayMode{640, 480, 16, 75}},
        {"size only", Request(DM_PELSWIDTH | DM_PELSHEIGHT, 640, 480, 0), DisplayMode{640, 480, 8, 60}},
        {"depth of the current", Request(DM_BITSPERPEL, 0, 0, 32), kDesktop},
        {"depth of another", Request(DM_BITSPERPEL, 0, 0, 16), DisplayMode{640, 480, 16, 60}},
        {"no fields", Request(0, 0, 0, 0), kDesktop},
        {"unknown frequency", Request(DM_DISPLAYFREQUENCY, 0, 0, 0, 85), std::nullopt},
        {"unknown width", Request(DM_PELSWIDTH, 1024, 0, 0), std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        sys::ConfigureDisplay(list, kDesktop);
        DEVMODEA request = c.request;
        LONG result = ChangeDisplaySettingsA(&request, CDS_FULLSCREEN);
        if (c.chosen) {
            EXPECT_EQ(result, DISP_CHANGE_SUCCESSFUL);
            EXPECT_EQ(sys::CurrentDisplayMode(), *c.chosen);
        } else {
            EXPECT_EQ(result, DISP_CHANGE_BADMODE);
            EXPECT_EQ(sys::CurrentDisplayMode(), kDesktop);
        }
    }
}

TEST_F(SysDisplay, EnumeratesTheListTheCurrentAndTheDesktopMode) {
    // The desktop's mode joins the end of a list that lacks it.
    sys::ConfigureDisplay(Modes640({8, 16}), kDesktop);
    DEVMODEA toSwitch = Request(kModeFields, 640, 480, 16);
    ASSERT_EQ(ChangeDisplaySettingsA(&toSwitch, CDS_FULLSCREEN), DISP_CHANGE_SUCCESSFUL);

    struct Case {
        const char* device;
        DWORD modeNum;
        std::optional<DisplayMode> mode;
    };
    const Case cases[] = {
        {nullptr, 0, DisplayMode{640, 480, 8, 60}},
        {nullptr, 1, DisplayMode{640, 480, 16, 60}},
        {"display", 2, kDesktop},
        {nullptr, 3, std::nullopt},
        {nullptr, 1000, std::nullopt},
        {nullptr, ENUM_CURRENT_SETTINGS, DisplayMode{640, 480, 16, 60}},
        {nullptr, ENUM_REGISTRY_SETTINGS, kDesktop},
        {"PRINTER", 0, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.modeNum);
        DEVMODEA m;
        m.dmPelsWidth = 12345;
        BOOL found = EnumDisplaySettingsA(c.device, c.modeNum, &m);
        ASSERT_EQ(found, c.mode ? TRUE : FALSE);
        if (!c.mode) {
            EXPECT_EQ(m.dmPelsWidth, 12345u) << "a failed call leaves the record alone";
            continue;
        }
        EXPECT_EQ((DisplayMode{int(m.dmPelsWidth), int(m.dmPelsHeight), int(m.dmBitsPerPel), int(m.dmDisplayFrequency)}),
                  *c.mode);
        EXPECT_EQ(m.dmFields, kModeFields | DM_DISPLAYFREQUENCY);
        EXPECT_EQ(m.dmSize, sizeof(DEVMODEA));
        EXPECT_STREQ(m.dmDeviceName, "DISPLAY");
    }
}

TEST_F(SysDisplay, DeviceContextAnswersOnlyForTheDisplay) {
    sys::ConfigureDisplay(Modes640({16}), {1920, 1080, 24, 50});
    HDISPLAYDC dc = CreateDCA("Display", nullptr, nullptr, nullptr);
    ASSERT_NE(dc, nullptr);
    const std::pair<int, int> caps[] = {
        {HORZRES, 1920}, {VERTRES, 1080}, {BITSPIXEL, 24}, {PLANES, 1}, {VREFRESH, 50}, {88 /* pixels per inch */, 0}};
    for (auto [index, value] : caps) EXPECT_EQ(GetDeviceCaps(dc, index), value) << index;
    EXPECT_EQ(DeleteDC(dc), TRUE);
    EXPECT_EQ(CreateDCA("WINSPOOL", nullptr, nullptr, nullptr), nullptr);
    EXPECT_EQ(DeleteDC(nullptr), FALSE);
}

// The desktop is the mode the backend reports, 1024x768x32 at 60 Hz where
// there is no display; the list starts with the 640x480 modes at the
// desktop's frequency, so mode 0 is not the current mode.
TEST_F(SysDisplay, DefaultModelIsTheDesktopTheBackendReports) {
    struct Case {
        const char* name;
        bool installed;
        std::optional<backend::DesktopMode> reported;
        DisplayMode desktop;
    };
    const Case cases[] = {
        {"a display's desktop", true, backend::DesktopMode{1920, 1080, 24, 75}, {1920, 1080, 24, 75}},
        {"a backend without a display", true, std::nullopt, {1024, 768, 32, 60}},
        {"no backend", false, std::nullopt, {1024, 768, 32, 60}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (backend_) backend_->desktop = c.reported;
        if (!c.installed) {
            backend::Install(nullptr);
            backend_ = nullptr;
        }
        sys::ResetDisplay();
        EXPECT_EQ(sys::CurrentDisplayMode(), c.desktop);
        EXPECT_EQ(sys::DesktopDisplayMode(), c.desktop);
        std::vector<DisplayMode> expected;
        for (int bits : {8, 16, 24, 32}) expected.push_back({640, 480, bits, c.desktop.frequency});
        expected.push_back(c.desktop);
        EXPECT_EQ(sys::DisplayModes(), expected);
        EXPECT_EQ(sys::DescribeMode(sys::DisplayModes()[0]), "640x480x8");
    }
}
