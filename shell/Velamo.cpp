#include "shell/Velamo.h"

#include <memory>

#include "games/UHry.h"
#include "platform/backend/backend.h"
#include "platform/core/files.h"
#include "platform/default_backend.h"
#include "platform/sys/termination.h"
#include "shell/UHlaska.h"
#include "shell/UKonec.h"
#include "shell/UMisc.h"
#include "shell/ScreenFrame.h"
#include "shell/UPodklad.h"
#include "shell/UVelamo.h"
#include "simulations/USimulace.h"

Word SavedWidth = 0;
Word SavedHeight = 0;
Word SavedBitsPerPel = 0;
DEVMODEA ModeRecord;

namespace {

const char* const ProductName = "Velamo";

// Lives as long as the process; never released or closed.
HANDLE SingleInstanceMutex = nullptr;

const char* const FileErrorText = "Nelze načíst vyžadovaný soubor. Aplikace bude ukončena.";

}  // namespace

// ---------------------------------------------------------------------------

void TScrResChanger::SetDisplayMode(TObject* Sender) {
    ModeRecord.dmFields = DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT;
    ModeRecord.dmBitsPerPel = 16;
    ModeRecord.dmPelsWidth = 640;
    ModeRecord.dmPelsHeight = 480;
    if (ChangeDisplaySettingsA(&ModeRecord, CDS_TEST) == DISP_CHANGE_SUCCESSFUL) {
        ChangeDisplaySettingsA(&ModeRecord, CDS_FULLSCREEN);
    } else if (ReportFailure) {
        ReportFailure = false;
        Application->MessageBox(
            "Grafická karta neumožňuje okamžité přepnutí rozlišení monitoru.\n\rBude uchováno aktuální rozlišení",
            ProductName, MB_ICONINFORMATION);
    }
    ReportFailure = false;
}

void TScrResChanger::RestoreDisplayMode(TObject* Sender) {
    if (AviPlaying) AviStopRequested = true;
    ModeRecord.dmBitsPerPel = SavedBitsPerPel;
    ModeRecord.dmPelsWidth = SavedWidth;
    ModeRecord.dmPelsHeight = SavedHeight;
    ChangeDisplaySettingsA(&ModeRecord, CDS_FULLSCREEN);
}

void TExceptionHandler::HandleAppException(TObject* Sender, Exception& E) {
    if (E.Message.find("Cannot open file") == String::npos) return;
    Application->MessageBox(FileErrorText, ProductName, MB_ICONSTOP);
    Application->Terminate();
    // Nothing more of the failing handler, nor of a screen it was building,
    // runs: the program unwinds to its main block, which restores the
    // display on the way.
    Halt(1);
}

// ---------------------------------------------------------------------------

namespace {

bool VideoModulesPresent() {
    char folder[MAX_PATH] = {};
    GetSystemDirectoryA(folder, MAX_PATH);
    const String systemDir = folder;
    return FileAge(systemDir + "\\AVIFIL32.DLL") != -1 && FileAge(systemDir + "\\MSVFW32.DLL") != -1;
}

void SaveDisplayMode() {
    HDISPLAYDC dc = CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
    SavedWidth = Word(GetDeviceCaps(dc, HORZRES));
    SavedHeight = Word(GetDeviceCaps(dc, VERTRES));
    SavedBitsPerPel = Word(GetDeviceCaps(dc, BITSPIXEL));
    DeleteDC(dc);
    EnumDisplaySettingsA(nullptr, 0, &ModeRecord);
}

void ShowSplash() {
    wndKonec = new TwndKonec(nullptr);
    wndKonec->BindGlobal(wndKonec);
    wndKonec->Buffer->LoadFromFile(AppDir + "hl_obr\\splash.bmp");
    wndKonec->YesButton->Hide();
    wndKonec->NoButton->SetBounds(0, 0, 640, 480);
    wndKonec->NoButton->Show();
    wndKonec->SetFormStyle(fsStayOnTop);
    wndKonec->Show();
    wndKonec->Update();
}

void CreateScreens() {
    // The first form made: the application's main form.
    Application->CreateForm(wndVelamo);
    Application->CreateForm(wndSimulace);
    Application->CreateForm(wndHry);
    Application->CreateForm(wndHlaska);
    TScreenFrame::SetMenus({.Games = []() -> TForm* { return wndHry; },
                            .Simulations = []() -> TForm* { return wndSimulace; }});
}

// The display switch and the backdrop, from start-up step 6 until the end.
class TDisplaySession {
public:
    TDisplaySession() {
        wndPodklad = new TwndPodklad(nullptr);
        wndPodklad->BindGlobal(wndPodklad);
        wndPodklad->Show();
        wndPodklad->Update();

        changer_ = std::make_unique<TScrResChanger>();
        changer_->ReportFailure = true;
        Application->OnActivate = [c = changer_.get()](TObject* s) { c->SetDisplayMode(s); };
        Application->OnDeactivate = [c = changer_.get()](TObject* s) { c->RestoreDisplayMode(s); };
        changer_->SetDisplayMode(nullptr);
    }
    // Also when start-up failed: the display comes back and the backdrop goes.
    ~TDisplaySession() {
        changer_->RestoreDisplayMode(nullptr);
        Application->OnActivate = nullptr;
        Application->OnDeactivate = nullptr;
        changer_.reset();
        // The loop has ended, so nothing of the backdrop runs any more.
        FreeAndNil(wndPodklad);
    }
    TDisplaySession(const TDisplaySession&) = delete;
    TDisplaySession& operator=(const TDisplaySession&) = delete;

private:
    std::unique_ptr<TScrResChanger> changer_;
};

// Start-up step 1, done once in the process: false when another copy holds
// the named mutex.
bool ClaimSingleInstance() {
    static const bool claimed = [] {
        SingleInstanceMutex = CreateMutexA(nullptr, FALSE, "Velamo2005");
        return GetLastError() != ERROR_ALREADY_EXISTS;
    }();
    return claimed;
}

void RunProgram(TExceptionHandler& handler) {
    if (!ClaimSingleInstance()) return;
    // From here on a kill asks the program to end as it ends by itself.
    sys::TerminationSignals signals([] { backend::Current().RequestQuit(); });

    Application->OnException = [&handler](TObject* s, Exception& e) { handler.HandleAppException(s, e); };
    Application->SetTitle(ProductName);
    InitSoundsAndCursors();

    if (!VideoModulesPresent()) {
        Application->MessageBox("Aplikace vyžaduje přítomnost knihoven \"AVIFIL32.DLL\" a \"MSVFW32.DLL\".",
                                ProductName, MB_ICONSTOP);
        Halt(1);
    }

    SaveDisplayMode();
    TDisplaySession display;
    try {
        ShowSplash();
        CreateScreens();
        // A click during the pauses of start-up may have closed the splash.
        if (wndKonec && wndKonec->Showing()) wndKonec->SetFocus();
    } catch (Exception& e) {
        // Outside any handler: treated as a handler's failure would be
        // (unless a handler's failure already ended the program), and the
        // program ends in every case.
        if (!Application->Terminated()) handler.HandleAppException(nullptr, e);
        return;
    } catch (std::exception& e) {
        Exception copy(e.what());
        if (!Application->Terminated()) handler.HandleAppException(nullptr, copy);
        return;
    }
    Application->Run();
}

}  // namespace

int RunVelamo() {
    // A second copy ends before it opens a window, the sound device or
    // anything else.
    if (!ClaimSingleInstance()) return 0;
    backend::InstallDefault();
    TApplication app;
    return VelamoMain();
}

int VelamoMain() {
    InitPaths();
    TExceptionHandler handler;
    int exitCode = 0;
    try {
        RunProgram(handler);
    } catch (const TProgramHalt& halt) {
        exitCode = halt.ExitCode;
    }
    Application->OnException = nullptr;
    return exitCode;
}
