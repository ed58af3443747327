// The best-times table on the screen: a record sorted into the rows, the
// name typed into its edit, the rows frozen into the question, the file
// written on leaving (or kept when it cannot be), damaged files, and the
// records kept from one run of the program to the next.
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <optional>

#include "firefighter_test_support.h"

using namespace firetest;

namespace {

constexpr TColor kNameMissing = RGBColor(255, 235, 234);  // light red
constexpr TColor kNameGiven = RGBColor(227, 254, 226);    // light green

class Table : public FirefighterTest {};

std::vector<std::string> TenRowsDownTo50() {
    std::vector<std::string> rows;
    for (int i = 0; i < 10; ++i) rows.push_back("Hráč " + std::to_string(i + 1) + "|" + std::to_string(95 - 5 * i));
    return rows;
}

struct RecordCase {
    const char* name;
    std::string file;  // "" for no file
    int seconds;
    std::vector<std::pair<String, bool>> typed;  // text, then Enter or not
    int newRow;
    std::vector<std::string> saved;  // the rows written (the rest "|0")
};
void PrintTo(const RecordCase& c, std::ostream* os) { *os << c.name; }

std::vector<std::string> SavedAfterEleven() {
    std::vector<std::string> rows = TenRowsDownTo50();
    rows[9] = "Jan|55";  // after Hráč 9's equal time; Hráč 10 drops out
    return rows;
}

const RecordCase kRecords[] = {
    {"TenEmptyLinesAndAnEmptyName", TableFileOf({}), 5, {}, 1, {"|5"}},
    {"EqualTimeFromRow11ComesAfter", TableFileOf({"Eva|50", "Ota|40", "Iva|30"}), 40, {{"Jan", true}}, 3,
     {"Eva|50", "Ota|40", "Jan|40", "Iva|30"}},
    {"EleventhRowIsNotSaved", TableFileOf(TenRowsDownTo50()), 55, {{"Jan", false}}, 10, SavedAfterEleven()},
    {"DamagedFileKeepsItsGoodRows", "Eva|30\r\ngarbage\r\nPetr|20\r\n", 25, {{"Jan", true}}, 2,
     {"Eva|30", "Jan|25", "Petr|20"}},
    {"CzechNameInCodePage1250", "", 65, {{"Žofie Černá", false}}, 1, {"Žofie Černá|65"}},
    {"BarRefusedForeignLetterReplaced", "", 5, {{"A|BΩ", false}}, 1, {"AB?|5"}},
    {"TypingAfterEnterGoesNowhere", "", 5, {{"Eva", true}, {"X", true}}, 1, {"Eva|5"}},
};

class Record : public FirefighterTest, public ::testing::WithParamInterface<RecordCase> {};

TEST_P(Record, SortedIntoTheRowsNamedAndSavedOnBack) {
    const RecordCase& c = GetParam();
    if (!c.file.empty()) WriteTableFile(c.file);
    const std::uint64_t up = OpenFirefighter();
    EndGameAt(up, c.seconds);
    h().At(up + 200, [&] {
        ASSERT_TRUE(T().Showing());
        EXPECT_EQ(T().NewRow, c.newRow);
        for (int r = 1; r <= 10; ++r) {
            const bool filled = T().TableRow[r].Time != 0;
            for (TLabel* l : {T().Rows[r].Cislo, T().Rows[r].Jmeno, T().Rows[r].Cas}) {
                EXPECT_EQ(l->Visible(), filled);
            }
            if (filled) {
                EXPECT_EQ(T().Rows[r].Cislo->Caption(), std::to_string(r) + ".");
            }
        }
        EXPECT_EQ(T().Rows[c.newRow].Jmeno->Caption(), "");
        EXPECT_EQ(T().Rows[c.newRow].Cas->Caption(), FormatTime(c.seconds));
    });
    std::uint64_t t = up + 300;
    for (const auto& [text, enter] : c.typed) {
        h().Type(t, text);
        if (enter) h().Key(t + 10, VK_RETURN);
        t += 100;
    }
    h().Click(t, kBackX, kBarY);
    h().At(t + 300, [&] {
        EXPECT_FALSE(T().Showing());
        EXPECT_TRUE(MessageShown("Tabulka"));
    });
    EndAt(t + 400);
    RunProgram();
    EXPECT_EQ(TableFile(), TableFileOf(c.saved));
    EXPECT_EQ(TableFolderNames(), std::set<std::string>{"hasic.dat"});
}

INSTANTIATE_TEST_SUITE_P(Tables, Record, ::testing::ValuesIn(kRecords),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Table, NameEditColoursEnterAndTheNextRecordOnTheSameScreen) {
    const std::uint64_t up = OpenFirefighter();
    EndGameAt(up, 20);
    h().At(up + 200, [] {
        EXPECT_EQ(T().Jmeno->Color(), kNameMissing);
        EXPECT_EQ(T().ActiveControl(), T().Jmeno);
    });
    h().Type(up + 300, "  ");
    h().At(up + 350, [] { EXPECT_EQ(T().Jmeno->Color(), kNameMissing); });
    h().Type(up + 400, "Eva");
    h().At(up + 450, [] {
        EXPECT_EQ(T().Jmeno->Color(), kNameGiven);
        EXPECT_EQ(T().TableRow[1].Name, "  Eva");
    });
    h().Key(up + 500, VK_RETURN);
    h().At(up + 550, [] {
        EXPECT_FALSE(T().Jmeno->Visible());
        EXPECT_TRUE(T().Rows[1].Jmeno->Visible());
        EXPECT_EQ(T().Rows[1].Jmeno->Caption(), "  Eva");
    });
    // Back, yes: a new game on the same screen, and a longer time.
    h().Click(up + 600, kBackX, kBarY);
    h().Click(up + 900, kYes.X, kYes.Y);
    EndGameAt(up + 1400, 30);
    h().At(up + 1600, [] {
        ASSERT_TRUE(T().Showing());
        EXPECT_EQ(T().NewRow, 1);
        EXPECT_TRUE(T().Jmeno->Visible());
        EXPECT_EQ(T().Jmeno->Text(), "");
        EXPECT_EQ(T().Jmeno->Color(), kNameMissing);
        EXPECT_EQ(T().Rows[2].Jmeno->Caption(), "  Eva");
        EXPECT_EQ(T().Rows[2].Cas->Caption(), "0:20");
    });
    h().Type(up + 1700, "Jan");
    h().Click(up + 1800, kBackX, kBarY);
    EndAt(up + 2100);
    RunProgram();
    EXPECT_EQ(TableFile(), TableFileOf({"Jan|30", "  Eva|20"}));
}

TEST_F(Table, BackFreezesTheRowsAsShownIntoTheQuestionsPicture) {
    WriteTableFile(TableFileOf({"Eva|50", "Ota|40"}));
    const std::uint64_t up = OpenFirefighter();
    EndGameAt(up, 45);
    h().Type(up + 300, "Jan");  // not committed: the edit stands over row 2
    std::vector<std::pair<TRect, Surface>> shown;
    h().At(up + 400, [&] {
        for (int r = 1; r <= 3; ++r)
            for (TLabel* l : {T().Rows[r].Cislo, T().Rows[r].Jmeno, T().Rows[r].Cas}) {
                Surface s;
                s.Resize(l->Width(), l->Height());
                for (int y = 0; y < l->Height(); ++y)
                    for (int x = 0; x < l->Width(); ++x)
                        s.Set(x, y, h().ScreenSurface().Get(l->Left() + x, l->Top() + y));
                shown.push_back({l->BoundsRect(), s});
            }
    });
    h().Click(up + 500, kBackX, kBarY);
    h().At(up + 800, [&] {
        ASSERT_TRUE(MessageShown("Tabulka"));
        const Surface& picture = wndHlaska->Buffer->Pixels();
        for (const auto& [r, s] : shown)
            for (int y = 0; y < r.Height(); ++y)
                for (int x = 0; x < r.Width(); ++x)
                    ASSERT_EQ(picture.Get(r.Left + x, r.Top + y), Dimmed(s.Get(x, y)))
                        << "at (" << r.Left + x << ", " << r.Top + y << ")";
        // Below the rows: the table's own background, dimmed.
        EXPECT_EQ(picture.Get(300, 400), Dimmed(T().Buffer->Pixels().Get(300, 400)));
    });
    EndAt(up + 900);
    RunProgram();
}

TEST_F(Table, BackLitUnderThePointerNeverStandsOverTheQuestion) {
    // The pointer rests on the lit back button as it is clicked: from the
    // first frame that shows the question on, the button's place shows the
    // question's dimmed picture, not the table's lit button.
    const std::uint64_t up = OpenFirefighter();
    EndGameAt(up, 20);
    h().MoveTo(up + 300, kBackX, kBarY);
    int questionFrames = 0;
    int wrongFrames = 0;
    h().At(up + 400, [&] {
        h().Backend().SetPresentObserver([&](const Surface& s) {
            if (!wndHlaska || !wndHlaska->Showing()) return;
            ++questionFrames;
            if (s.Get(kBackX, kBarY) != wndHlaska->Buffer->Pixels().Get(kBackX, kBarY)) ++wrongFrames;
        });
    });
    h().Click(up + 500, kBackX, kBarY);
    h().At(up + 2500, [&] {
        ASSERT_TRUE(MessageShown("Tabulka"));
        EXPECT_EQ(h().Pixel(kBackX, kBarY), wndHlaska->Buffer->Pixels().Get(kBackX, kBarY));
        h().Backend().SetPresentObserver({});
    });
    EndAt(up + 2600);
    RunProgram();
    EXPECT_GT(questionFrames, 0);
    EXPECT_EQ(wrongFrames, 0);
}

TEST_F(Table, FailedWriteKeepsTheOldFileAndTheTableOnScreen) {
    const std::string old = TableFileOf({"Eva|50"});
    WriteTableFile(old);
    const std::uint64_t up = OpenFirefighter();
    EndGameAt(up, 60);
    h().Type(up + 300, "Jan");
    // A file size limit below the table's size: the write fails as on a
    // full disk.
    rlimit unlimited{};
    getrlimit(RLIMIT_FSIZE, &unlimited);
    const auto oldAction = signal(SIGXFSZ, SIG_IGN);
    h().At(up + 350, [] {
        const rlimit limit{20, RLIM_INFINITY};
        setrlimit(RLIMIT_FSIZE, &limit);
    });
    h().Click(up + 400, kBackX, kBarY);
    h().At(up + 700, [&] {
        EXPECT_TRUE(MessageShown("Tabulka"));
        EXPECT_TRUE(T().Showing());
        EXPECT_EQ(TableFile(), old);
        EXPECT_EQ(T().TableRow[1], (TTableRow{"Jan", 60}));
    });
    // Yes: the table is seen again with the record; back tries again.
    h().Click(up + 800, kYes.X, kYes.Y);
    h().At(up + 1200, [&] {
        EXPECT_EQ(h().ActiveForm(), wndTabulka);
        EXPECT_EQ(TableFolderNames(), std::set<std::string>{"hasic.dat"}) << "the torn temporary was removed";
        setrlimit(RLIMIT_FSIZE, &unlimited);
        signal(SIGXFSZ, oldAction);
    });
    h().Click(up + 1300, kBackX, kBarY);
    h().At(up + 1600, [] { EXPECT_FALSE(T().Showing()); });
    EndAt(up + 1700);
    RunProgram();
    EXPECT_EQ(TableFile(), TableFileOf({"Jan|60", "Eva|50"}));
}

TEST_F(Table, UnreadableFileIsKeptUntilARecordIsMade) {
    const std::string unreadable("\x00\x01\x02 no table \xFF|\xFE", 17);
    WriteTableFile(unreadable);
    const std::uint64_t up = OpenFirefighter();
    h().At(up, [] {
        for (int r = 1; r <= 11; ++r) EXPECT_EQ(T().TableRow[r], TTableRow{}) << r;
    });
    EndGameAt(up + 100, 0);  // no record: the question
    h().Click(up + 400, kYes.X, kYes.Y);
    h().At(up + 800, [&] {
        ASSERT_FALSE(MessageShown("Hasic"));
        EXPECT_EQ(TableFile(), unreadable);
    });
    EndGameAt(up + 900, 3);
    h().Click(up + 1200, kBackX, kBarY);
    EndAt(up + 1500);
    RunProgram();
    EXPECT_EQ(TableFile(), TableFileOf({"|3"}));
}

TEST_F(Table, RecordsAreKeptFromOneRunOfTheProgramToTheNext) {
    // The first run, a program of its own: a record named Eva, then no more
    // play, and the program ends.
    const bool firstRun = RunInChildProcess([this] {
        const std::uint64_t up = OpenFirefighter();
        EndGameAt(up, 7);
        h().Type(up + 300, "Eva");
        h().Click(up + 400, kBackX, kBarY);
        h().Click(up + 700, kNo.X, kNo.Y);
        EndAt(up + 1100);
        RunProgram();
    });
    ASSERT_TRUE(firstRun);
    ASSERT_EQ(TableFile(), TableFileOf({"Eva|7"}));

    const std::uint64_t up = OpenFirefighter();
    h().At(up, [] { EXPECT_EQ(T().TableRow[1], (TTableRow{"Eva", 7})); });
    EndGameAt(up, 9);
    h().At(up + 200, [] {
        EXPECT_EQ(T().NewRow, 1);
        EXPECT_EQ(T().Rows[2].Jmeno->Caption(), "Eva");
        EXPECT_EQ(T().Rows[2].Cas->Caption(), "0:07");
    });
    h().Type(up + 300, "Jan");
    h().Click(up + 400, kBackX, kBarY);
    EndAt(up + 700);
    RunProgram();
    EXPECT_EQ(TableFile(), TableFileOf({"Jan|9", "Eva|7"}));
}

}  // namespace

namespace {

// The table's file and folder in trouble: made before the firefighter is
// opened, or while it is open; the record then made, named and left with
// the back button.
struct FileTroubleCase {
    const char* name;
    std::function<void(const TempFolder&)> before;  // the data folder
    std::function<void(const TempFolder&)> during;
    std::vector<std::string> loaded;  // the table's rows when opened
    bool saved;                       // the record reached the file
};
void PrintTo(const FileTroubleCase& c, std::ostream* os) { *os << c.name; }

// Ten good rows, then garbage up to 10 MB.
std::string TenMegabytes() {
    std::string bytes = TableFileOf(TenRowsDownTo50());
    std::string line(99, 'x');
    line += "\n";
    while (bytes.size() < 10u << 20) bytes += line;
    return bytes;
}

const FileTroubleCase kFileTroubles[] = {
    {"FolderRemovedWhileOpen",
     [](const TempFolder& d) { d.Write("Velamo/hasic.dat", TableFileOf({"Eva|50"})); },
     [](const TempFolder& d) {
         fs::remove_all(d.Path("Velamo"));
         InvalidatePathCache();
     },
     {"Eva|50"}, true},
    {"TenMegabytesOfWhichTenRowsAreGood",
     [](const TempFolder& d) { d.Write("Velamo/hasic.dat", TenMegabytes()); }, nullptr, TenRowsDownTo50(), true},
    {"FolderCannotBeMade", [](const TempFolder& d) { d.Write("Velamo", std::string("not a folder")); }, nullptr, {},
     false},
};

class FileTrouble : public FirefighterTest, public ::testing::WithParamInterface<FileTroubleCase> {};

TEST_P(FileTrouble, NeverLosesTheRowsAndKeepsTheTableWhenTheRecordCannotBeSaved) {
    const FileTroubleCase& c = GetParam();
    c.before(data_);
    const std::uint64_t up = OpenFirefighter();
    h().At(up, [&] {
        for (std::size_t r = 0; r < c.loaded.size(); ++r) {
            const std::string& line = c.loaded[r];
            const std::size_t bar = line.find('|');
            EXPECT_EQ(T().TableRow[r + 1], (TTableRow{line.substr(0, bar), std::stoi(line.substr(bar + 1))})) << r;
        }
        EXPECT_EQ(T().TableRow[c.loaded.size() + 1].Time, 0);
        if (c.during) c.during(data_);
    });
    EndGameAt(up + 100, 500);
    h().Type(up + 300, "Jan");
    h().Click(up + 400, kBackX, kBarY);
    h().At(up + 700, [&] {
        EXPECT_TRUE(MessageShown("Tabulka"));
        EXPECT_EQ(T().Showing(), !c.saved) << "the table stays when its record could not be saved";
    });
    // No: the firefighter closes with its table.
    h().Click(up + 800, kNo.X, kNo.Y);
    h().At(up + 1200, [&] {
        EXPECT_EQ(wndTabulka, nullptr);
        EXPECT_EQ(h().ActiveForm(), wndSimulace);
    });
    EndAt(up + 1300);
    RunProgram();
    if (c.saved) {
        std::vector<std::string> rows = {"Jan|500"};
        rows.insert(rows.end(), c.loaded.begin(), c.loaded.end());
        rows.resize(std::min<std::size_t>(rows.size(), 10));
        EXPECT_EQ(TableFile(), TableFileOf(rows));
    }
}

INSTANTIATE_TEST_SUITE_P(Files, FileTrouble, ::testing::ValuesIn(kFileTroubles),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Table, TwoRecordsInOneRunOnTwoFirefighterScreens) {
    const std::uint64_t first = OpenFirefighter();
    EndGameAt(first, 20);
    h().Type(first + 300, "Eva");
    h().Click(first + 400, kBackX, kBarY);
    h().Click(first + 700, kNo.X, kNo.Y);  // the simulations menu
    const std::uint64_t second = OpenFirefighter(first + 1200);
    h().At(second, [] { EXPECT_EQ(T().TableRow[1], (TTableRow{"Eva", 20})) << "read again from the file"; });
    EndGameAt(second, 10);
    h().At(second + 200, [] { EXPECT_EQ(T().NewRow, 2); });
    h().Type(second + 300, "Jan");
    h().Click(second + 400, kBackX, kBarY);
    EndAt(second + 700);
    RunProgram();
    EXPECT_EQ(TableFile(), TableFileOf({"Eva|20", "Jan|10"}));
}

// What a child may type or paste into the name: what reaches the row on the
// screen, and what the file keeps.
struct NameCase {
    const char* name;
    String typed;
    String shown;
    std::string saved;  // the row in the file
};
void PrintTo(const NameCase& c, std::ostream* os) { *os << c.name; }

const NameCase kNames[] = {
    {"OnlySpaces", "   ", "   ", "   |9"},
    {"ControlCharactersLeftOut", "A\tB\r\nC\x01\x7F" "D", "ABCD", "ABCD|9"},
    {"LineSeparatorsAndBarsLeftOutOrReplaced", "E\u2028v|a\u0085", "E?va?", "E?va?|9"},
    {"CzechLetters", "Řehoř Ťukálek", "Řehoř Ťukálek", "Řehoř Ťukálek|9"},
    {"VeryLong", String(300, 'W'), String(300, 'W'), std::string(300, 'W') + "|9"},
};

class TypedName : public FirefighterTest, public ::testing::WithParamInterface<NameCase> {};

TEST_P(TypedName, ReachesTheRowAndTheFileWithoutBreakingIt) {
    const NameCase& c = GetParam();
    WriteTableFile(TableFileOf({"Eva|50"}));
    const std::uint64_t up = OpenFirefighter();
    EndGameAt(up, 9);
    h().Type(up + 300, c.typed);
    h().Key(up + 400, VK_RETURN);
    h().At(up + 500, [&] {
        EXPECT_EQ(T().Rows[2].Jmeno->Caption(), c.shown);
        EXPECT_EQ(T().Rows[1].Jmeno->Caption(), "Eva") << "the row above untouched";
    });
    h().Click(up + 600, kBackX, kBarY);
    EndAt(up + 900);
    RunProgram();
    EXPECT_EQ(TableFile(), TableFileOf({"Eva|50", c.saved}));
    // The next run reads the same rows.
    std::vector<TTableRow> read = ParseBestTimes(TableFile());
    ASSERT_GE(read.size(), 2u);
    EXPECT_EQ(read[1], (TTableRow{c.shown, 9}));
}

INSTANTIATE_TEST_SUITE_P(Names, TypedName, ::testing::ValuesIn(kNames),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace

namespace {

struct ProgramEndCase {
    const char* name;
    String typed;
    bool enter;
    std::string saved;
};
void PrintTo(const ProgramEndCase& c, std::ostream* os) { *os << c.name; }

const ProgramEndCase kProgramEnds[] = {
    {"NameTyped", "Jan", false, "Jan|60"},
    {"NameCommitted", "Jan", true, "Jan|60"},
    {"NoNameYet", "", false, "|60"},
};

class ProgramEndsOnTheTable : public FirefighterTest, public ::testing::WithParamInterface<ProgramEndCase> {};

TEST_P(ProgramEndsOnTheTable, TheRecordShownIsSaved) {
    const ProgramEndCase& c = GetParam();
    WriteTableFile(TableFileOf({"Eva|50"}));
    const std::uint64_t up = OpenFirefighter();
    EndGameAt(up, 60);
    if (!c.typed.empty()) h().Type(up + 300, c.typed);
    if (c.enter) h().Key(up + 350, VK_RETURN);
    // The program is closed (from the window's frame) with the table shown.
    EndAt(up + 400);
    RunProgram();
    ASSERT_TRUE(T().Showing());
    EXPECT_EQ(TableFile(), TableFileOf({"Eva|50"}));
    // The application frees its forms at its end, the table among them.
    wndTabulka->Free();
    EXPECT_EQ(TableFile(), TableFileOf({c.saved, "Eva|50"}));
}

INSTANTIATE_TEST_SUITE_P(Names, ProgramEndsOnTheTable, ::testing::ValuesIn(kProgramEnds),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace

namespace {

// The table's file replaced by one that holds no table: what can be read is
// shown (only a file far too large holds rows: its first ten lines), the
// replacement stays while no record is made, and a record then puts a
// regular file of the table's own permissions in its place (a folder in the
// way keeps the record on the screen).
class HostileTable : public FirefighterTest, public ::testing::WithParamInterface<Hostile> {};

TEST_P(HostileTable, ShowsWhatCanBeReadAndIsReplacedOnlyByARecord) {
    const Hostile hostile = GetParam();
    const bool holdsRows = hostile == Hostile::HalfAGigabyte;
    const bool saved = hostile != Hostile::Folder;
    MakeHostile(TablePath(), hostile, TableFileOf(TenRowsDownTo50()));
    const fs::file_type replacement = fs::symlink_status(TablePath()).type();
    const mode_t oldMask = umask(022);
    const std::uint64_t up = OpenFirefighter();
    h().At(up, [&] {
        EXPECT_EQ(T().TableRow[1], (holdsRows ? TTableRow{"Hráč 1", 95} : TTableRow{}));
        EXPECT_EQ(T().TableRow[10], (holdsRows ? TTableRow{"Hráč 10", 50} : TTableRow{}));
    });
    EndGameAt(up + 100, 0);  // no record: the question
    h().Click(up + 400, kYes.X, kYes.Y);
    h().At(up + 800, [&] { EXPECT_EQ(fs::symlink_status(TablePath()).type(), replacement); });
    EndGameAt(up + 900, 500);
    h().Type(up + 1100, "Jan");
    h().Click(up + 1200, kBackX, kBarY);
    h().At(up + 1500, [&] { EXPECT_EQ(T().Showing(), !saved); });
    EndAt(up + 1600);
    RunProgram();
    umask(oldMask);
    EXPECT_EQ(fs::symlink_status(TablePath()).type(), saved ? fs::file_type::regular : replacement);
    if (!saved) return;
    EXPECT_EQ(fs::status(TablePath()).permissions() & fs::perms::all, fs::perms(0644));
    std::vector<std::string> rows = {"Jan|500"};
    const std::vector<std::string> loaded = TenRowsDownTo50();
    if (holdsRows) rows.insert(rows.end(), loaded.begin(), loaded.begin() + 9);
    EXPECT_EQ(TableFile(), TableFileOf(rows));
    EXPECT_EQ(TableFolderNames(), std::set<std::string>{"hasic.dat"});
}

INSTANTIATE_TEST_SUITE_P(Replacements, HostileTable, ::testing::ValuesIn(kEveryHostile),
                         [](const auto& info) { return std::string(Name(info.param)); });

// A file or link planted at a name the save writes: the table's temporary
// names or the table's own. Nothing planted is written through or removed,
// and the record is saved.
enum class Plant { HardLinkToVictim, LinkToVictim, DanglingLink, StaleTemporary };

struct PlantedCase {
    const char* name;
    std::vector<Plant> atTemporaries;  // at the first names tried, in turn
    std::optional<Plant> atTable;      // else the table "Eva|50"
};
void PrintTo(const PlantedCase& c, std::ostream* os) { *os << c.name; }

const PlantedCase kPlanted[] = {
    {"HardLinkAtTheTemporaryName", {Plant::HardLinkToVictim}, std::nullopt},
    {"SymbolicLinkAtTheTemporaryName", {Plant::LinkToVictim}, std::nullopt},
    {"DanglingLinkAtTheTemporaryName", {Plant::DanglingLink}, std::nullopt},
    {"StaleTemporaryThenBothLinks", {Plant::StaleTemporary, Plant::HardLinkToVictim, Plant::LinkToVictim},
     std::nullopt},
    {"SymbolicLinkAtTheTable", {}, Plant::LinkToVictim},
    {"HardLinkAtTheTable", {}, Plant::HardLinkToVictim},
};

class Planted : public FirefighterTest, public ::testing::WithParamInterface<PlantedCase> {
protected:
    std::string Victim() const { return data_.Path("victim.dat"); }
    void PlantAt(const std::string& path, Plant plant) const {
        fs::create_directories(fs::path(path).parent_path());
        switch (plant) {
            case Plant::HardLinkToVictim: fs::create_hard_link(Victim(), path); break;
            case Plant::LinkToVictim: fs::create_symlink(Victim(), path); break;
            case Plant::DanglingLink: fs::create_symlink(Victim() + ".elsewhere", path); break;
            case Plant::StaleTemporary: std::ofstream(path, std::ios::binary) << kStale; break;
        }
    }
    static constexpr const char* kStale = "Star\xE1|1\r\n";
};

TEST_P(Planted, IsNeverWrittenThroughAndTheRecordIsSaved) {
    const PlantedCase& c = GetParam();
    const std::string victim = TableFileOf({"Ota|40"});
    data_.Write("victim.dat", victim);
    if (c.atTable) PlantAt(TablePath(), *c.atTable);
    else WriteTableFile(TableFileOf({"Eva|50"}));
    std::set<std::string> left = {"hasic.dat"};
    for (std::size_t n = 0; n < c.atTemporaries.size(); ++n) {
        PlantAt(TemporaryPath(int(n) + 1), c.atTemporaries[n]);
        left.insert(fs::path(TemporaryPath(int(n) + 1)).filename());
    }
    InvalidatePathCache();
    const TTableRow loaded = c.atTable ? TTableRow{"Ota", 40} : TTableRow{"Eva", 50};
    const std::uint64_t up = OpenFirefighter();
    h().At(up, [&] { EXPECT_EQ(T().TableRow[1], loaded); });
    EndGameAt(up, 60);
    h().Type(up + 300, "Jan");
    h().Click(up + 400, kBackX, kBarY);
    h().At(up + 700, [] { EXPECT_FALSE(T().Showing()) << "the record was saved"; });
    EndAt(up + 800);
    RunProgram();
    EXPECT_EQ(fs::symlink_status(TablePath()).type(), fs::file_type::regular);
    EXPECT_EQ(TableFile(), TableFileOf({"Jan|60", loaded.Name + "|" + std::to_string(loaded.Time)}));
    EXPECT_EQ(ReadFile(Victim()), victim) << "written through";
    EXPECT_FALSE(fs::exists(Victim() + ".elsewhere")) << "made through a link";
    for (std::size_t n = 0; n < c.atTemporaries.size(); ++n)
        if (c.atTemporaries[n] == Plant::StaleTemporary) {
            EXPECT_EQ(ReadFile(TemporaryPath(int(n) + 1)), kStale);
        }
    EXPECT_EQ(TableFolderNames(), left);
}

INSTANTIATE_TEST_SUITE_P(Names, Planted, ::testing::ValuesIn(kPlanted),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
