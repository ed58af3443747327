// Damaged data files in the running program. A required file that is cut
// short, has a broken header or is missing ends the program where it is
// used: the stop message, a clean end with the display restored, and nothing
// of the screen that needed it shown, painted or heard afterwards. A file
// that is loaded leniently is left out and the program goes on. A file
// replaced by one that holds no data (a FIFO, a link to a device, a folder,
// a file far too large) is one that cannot be read: the same holds, and
// nothing waits on it.
#include <optional>
#include <random>

#include "shell/UPodklad.h"
#include "town_test_support.h"

using namespace towntest;

namespace {

const String kFileError = "Nelze načíst vyžadovaný soubor. Aplikace bude ukončena.";

// The damages of the bytes, or a replacement that holds no data.
enum class Damage { Cut, BadHeader, Deleted, Fifo, DevZeroLink, Folder, HalfAGigabyte };

const char* Name(Damage d) {
    switch (d) {
        case Damage::Cut: return "Cut";
        case Damage::BadHeader: return "BadHeader";
        case Damage::Deleted: return "Deleted";
        case Damage::Fifo: return Name(Hostile::Fifo);
        case Damage::DevZeroLink: return Name(Hostile::DevZeroLink);
        case Damage::Folder: return Name(Hostile::Folder);
        case Damage::HalfAGigabyte: return Name(Hostile::HalfAGigabyte);
    }
    return "";
}

std::optional<Hostile> HostileOf(Damage d) {
    switch (d) {
        case Damage::Fifo: return Hostile::Fifo;
        case Damage::DevZeroLink: return Hostile::DevZeroLink;
        case Damage::Folder: return Hostile::Folder;
        case Damage::HalfAGigabyte: return Hostile::HalfAGigabyte;
        default: return std::nullopt;
    }
}

// The first half of the file, or its first 64 bytes replaced by noise.
std::string DamagedBytes(std::string bytes, Damage damage) {
    if (damage == Damage::Cut) return bytes.substr(0, bytes.size() / 2);
    std::mt19937 noise(2005);
    for (std::size_t i = 0; i < 64 && i < bytes.size(); ++i) bytes[i] = char(noise());
    return bytes;
}

// What the test does to reach the file's use.
enum class Reach { StartUp, Page, ExitQuestion, Credits };

class DamagedFileTest : public ProgramTest {
protected:
    void Damage(const std::string& file, Damage damage) {
        if (damage == Damage::Deleted) {
            tree_.LeaveOut(file);
        } else if (const std::optional<Hostile> hostile = HostileOf(damage)) {
            tree_.LeaveOut(file);
            MakeHostile(tree_.Folder().Path(file), *hostile, ReadFile(kAppDir + file));
        } else {
            tree_.Replace(file, DamagedBytes(ReadFile(kAppDir + file), damage));
        }
        UseAppFolder(tree_.Dir());
    }
    void Go(Reach reach) {
        switch (reach) {
            case Reach::StartUp: break;
            case Reach::Page: h().Click(kReady, kKaderX, kKaderY); break;
            case Reach::ExitQuestion: h().Click(kReady, 470, 450); break;
            case Reach::Credits:
                h().Click(kReady, 470, 450);
                h().Click(kReady + 1000, 180, 288);  // yes
                break;
        }
    }

    TreeCopy tree_{{}};
};

// ---------------------------------------------------------------------------
// Required files

struct RequiredCase {
    const char* file;
    Reach reach;
    std::vector<Damage> damages;
};

const std::vector<Damage> kEveryDamage = {Damage::Cut,  Damage::BadHeader,   Damage::Deleted,      Damage::Fifo,
                                          Damage::DevZeroLink, Damage::Folder, Damage::HalfAGigabyte};
// A text file's damaged bytes are still text: only the file's absence and
// what cannot be read stop the program.
const std::vector<Damage> kTextDamage = {Damage::Deleted, Damage::Fifo, Damage::DevZeroLink, Damage::Folder,
                                         Damage::HalfAGigabyte};

const RequiredCase kRequired[] = {
    {"hl_obr/splash.bmp", Reach::StartUp, kEveryDamage},
    {"hl_obr/ano.bmp", Reach::StartUp, kEveryDamage},
    {"hl_obr/ne.bmp", Reach::StartUp, kEveryDamage},
    {"hl_obr/pozadi.bmp", Reach::StartUp, kEveryDamage},
    {"hl_obr/posuv.bmp", Reach::StartUp, kEveryDamage},
    {"mesto.bmp", Reach::StartUp, kEveryDamage},
    {"mesto_m.bmp", Reach::StartUp, kEveryDamage},
    {"hl_obr/nazvy/kader.bmp", Reach::StartUp, kEveryDamage},
    {"profese.dat", Reach::Page, kTextDamage},
    {"detaily/lista.bmp", Reach::Page, kEveryDamage},
    {"detaily/posuv.bmp", Reach::Page, kEveryDamage},
    {"detaily/kader.bmp", Reach::Page, kEveryDamage},
    {"detaily/kader.dat", Reach::Page, kTextDamage},
    {"hl_obr/exit.bmp", Reach::ExitQuestion, kEveryDamage},
    {"hl_obr/credits.bmp", Reach::Credits, kEveryDamage},
};

struct RequiredRow {
    RequiredCase file;
    Damage damage;
};
void PrintTo(const RequiredRow& r, std::ostream* os) { *os << r.file.file << " " << Name(r.damage); }

std::vector<RequiredRow> RequiredRows() {
    std::vector<RequiredRow> rows;
    for (const RequiredCase& c : kRequired)
        for (Damage d : c.damages) rows.push_back({c, d});
    return rows;
}

String RowName(const char* file, Damage damage) {
    String name = String(file) + "_" + Name(damage);
    for (char& c : name)
        if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
    return name;
}

class RequiredFile : public DamagedFileTest, public ::testing::WithParamInterface<RequiredRow> {};

TEST_P(RequiredFile, StopsTheProgramWhereItIsUsedAndNothingRunsAfter) {
    const RequiredRow& row = GetParam();
    Damage(row.file.file, row.damage);
    Go(row.file.reach);
    // What the screen looks like and what is heard when the message comes.
    int framesAtMessage = -1;
    std::size_t noticesAtMessage = 0;
    bool pageShown = false;
    auto answer = Application->MessageBoxHook;
    Application->MessageBoxHook = [&](const String& text, const String& caption, UINT flags) {
        framesAtMessage = h().Backend().FrameCount();
        noticesAtMessage = h().Notices().size();
        pageShown = wndDetailProfese && wndDetailProfese->Visible();
        return answer(text, caption, flags);
    };

    EXPECT_EQ(VelamoMain(), 1);
    ASSERT_EQ(h().MessageBoxes().size(), 1u);
    const headless::MessageBoxRecord& box = h().MessageBoxes()[0];
    EXPECT_EQ(box.text, kFileError);
    EXPECT_EQ(box.caption, "Velamo");
    EXPECT_EQ(box.flags, UINT(MB_ICONSTOP));
    if (row.file.reach != Reach::StartUp) {
        EXPECT_GE(box.at, kReady);
    }
    // A clean end at once: the display restored, the backdrop gone.
    EXPECT_EQ(h().Now(), box.at);
    EXPECT_EQ(sys::CurrentDisplayMode(), kDesktopMode);
    EXPECT_EQ(wndPodklad, nullptr);
    // No half-built page was ever shown, and nothing was drawn or started
    // after the message.
    EXPECT_FALSE(pageShown);
    EXPECT_FALSE(wndDetailProfese && wndDetailProfese->Visible());
    EXPECT_EQ(h().Backend().FrameCount(), framesAtMessage);
    for (std::size_t i = noticesAtMessage; i < h().Notices().size(); ++i)
        EXPECT_EQ(h().Notices()[i].text.rfind("display restore", 0), 0u) << h().Notices()[i].text;
}

INSTANTIATE_TEST_SUITE_P(Files, RequiredFile, ::testing::ValuesIn(RequiredRows()),
                         [](const auto& info) { return RowName(info.param.file.file, info.param.damage); });

// ---------------------------------------------------------------------------
// Lenient files

struct LenientRow {
    const char* file;
    Damage damage;
};
void PrintTo(const LenientRow& r, std::ostream* os) { *os << r.file << " " << Name(r.damage); }

// A tour through everything that uses them: the town's help and buttons,
// a place's page with its spoken text, its animation and its arrows.
constexpr std::uint64_t kHelp = 600, kPicture = 2000, kArrow = 4000, kLooked = 5000;

const char* const kLenientFiles[] = {
    "hl_obr/konec1.bmp", "hl_obr/help1.bmp",  "hl_obr/help2.bmp",  "detaily/dolu1.bmp", "detaily/dolu3.bmp",
    "cur/hand.cur",      "cur/arrow.cur",     "sound/click.wav",   "sound/click1.wav",  "sound/help/mesto.wav",
    "detaily/zvuky/kader.wav", "detaily/kader.avi", "detaily/kader.wav", "detaily/kader.dat",
};

std::vector<LenientRow> LenientRows() {
    std::vector<LenientRow> rows;
    for (const char* f : kLenientFiles)
        for (Damage d : kEveryDamage) {
            // A text that cannot be read at all is a missing one: required
            // (above).
            const bool unreadable = d != Damage::Cut && d != Damage::BadHeader;
            if (d == Damage::Deleted || (unreadable && std::string(f).ends_with(".dat"))) continue;
            rows.push_back({f, d});
        }
    return rows;
}

class LenientFile : public DamagedFileTest, public ::testing::WithParamInterface<LenientRow> {};

TEST_P(LenientFile, IsLeftOutAndTheProgramGoesOn) {
    const LenientRow& row = GetParam();
    Damage(row.file, row.damage);
    h().Click(kHelp, 30, 445);
    h().Click(kReady, kKaderX, kKaderY);
    h().Click(kPicture, 200, 200);
    h().Click(kArrow, 395, 385);
    bool pageGoesOn = false;
    h().At(kLooked, [&] {
        pageGoesOn = wndDetailProfese && wndDetailProfese->Showing() && h().ActiveForm() == wndDetailProfese &&
                     !AviPlaying && h().PointerVisible();
        Application->Terminate();
    });
    EXPECT_EQ(VelamoMain(), 0);
    EXPECT_TRUE(h().MessageBoxes().empty());
    EXPECT_TRUE(pageGoesOn);
    // A damaged sound is not heard (the animation's own plays as its copy).
    String heard = row.file;
    if (heard == "detaily/kader.wav") heard = "wavfil.wav";
    std::replace(heard.begin(), heard.end(), '/', '\\');
    if (heard.ends_with(".wav")) {
        EXPECT_TRUE(Notices({"sound start", heard}).empty());
    }
}

INSTANTIATE_TEST_SUITE_P(Files, LenientFile, ::testing::ValuesIn(LenientRows()),
                         [](const auto& info) { return RowName(info.param.file, info.param.damage); });

}  // namespace
