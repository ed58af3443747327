// The best-times file: what is read from good, damaged and foreign files,
// what is written, the "m:ss" text, and the replacement of the file that
// leaves the old table or the new one whatever happens while it is written.
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <random>
#include <thread>

#include "platform/core/exceptions.h"
#include "shell/shell_test_support.h"
#include "simulations/BestTimes.h"

using namespace shelltest;

namespace {

using Rows = std::vector<TTableRow>;

std::array<TTableRow, BestTimesRows> TenRows(const Rows& rows) {
    std::array<TTableRow, BestTimesRows> ten{};
    std::copy(rows.begin(), rows.end(), ten.begin());
    return ten;
}

struct ReadCase {
    const char* name;
    std::string bytes;  // as the file holds them
    Rows rows;
};
void PrintTo(const ReadCase& c, std::ostream* os) { *os << c.name; }

std::string TenEmptyLines() {
    std::string s;
    for (int i = 0; i < 10; ++i) s += "|0\r\n";
    return s;
}

std::string TwelveRows() {
    std::string s;
    for (int i = 1; i <= 12; ++i) s += "R" + std::to_string(i) + "|" + std::to_string(100 - i) + "\r\n";
    return s;
}

Rows FirstTenOfTwelve() {
    Rows r;
    for (int i = 1; i <= 10; ++i) r.push_back({"R" + std::to_string(i), 100 - i});
    return r;
}

const ReadCase kReads[] = {
    {"TenEmptyLines", TenEmptyLines(), Rows(10, TTableRow{})},
    {"NoFileText", "", {}},
    {"LastLineWithoutBreak", "Eva|35\r\nPetr|20", {{"Eva", 35}, {"Petr", 20}}},
    {"LoneLineFeeds", "Eva|35\nPetr|20\n", {{"Eva", 35}, {"Petr", 20}}},
    {"NoBarIsAllTime", "35\r\n", {{"", 35}}},
    {"NameInCodePage1250", "\x8Eofie \xC8" "ern\xE1|61\r\n", {{"Žofie Černá", 61}}},
    {"HexTimeAsTheClassLibraryReadsIt", "Eva|$1F\r\n", {{"Eva", 31}}},
    {"EmptyNameKept", "|7\r\n", {{"", 7}}},
    // Lines that cannot be read are skipped; the rows after them still count.
    {"BadLinesSkipped", "Eva|30\r\ngarbage\r\nJan|x|10\r\nPetr|20\r\n|-5\r\nIva|99999999999\r\n\r\nOta|10\r\n",
     {{"Eva", 30}, {"Petr", 20}, {"Ota", 10}}},
    {"OnlyTheFirstTenGoodRows", TwelveRows(), FirstTenOfTwelve()},
    {"BinaryGarbage", std::string("\x00\x01\xFF\xFE|\x80\x00", 7), {}},
};

class BestTimesRead : public ::testing::TestWithParam<ReadCase> {};

TEST_P(BestTimesRead, GivesTheGoodRowsInOrder) {
    const ReadCase& c = GetParam();
    EXPECT_EQ(ParseBestTimes(c.bytes), c.rows);
    // The file read as far as its rows go gives the same.
    TempFolder folder;
    folder.Write("hasic.dat", c.bytes);
    EXPECT_EQ(ReadBestTimes(folder.Path("hasic.dat")), c.rows);
}

INSTANTIATE_TEST_SUITE_P(Files, BestTimesRead, ::testing::ValuesIn(kReads),
                         [](const auto& info) { return std::string(info.param.name); });

// The file read piece by piece: a line is taken whole wherever the pieces
// end, and nothing past the first MiB is read.
TEST(BestTimesReadFromFile, LinesAreTakenWholeWhereverTheReadingStops) {
    TempFolder folder;
    for (std::size_t filler : {4000, 4090, 4091, 4092, 4093, 4094, 4095, 4096, 4097, 8190, 8191, 8192, 65530, 65533}) {
        folder.Write("hasic.dat", std::string(filler, 'x') + "\r\nEva|1234\r\nOta|56789\r");
        EXPECT_EQ(ReadBestTimes(folder.Path("hasic.dat")), (Rows{{"Eva", 1234}, {"Ota", 56789}})) << filler;
    }
}

TEST(BestTimesReadFromFile, NothingPastTheFirstMebibyteIsRead) {
    constexpr std::size_t kMiB = 1 << 20;
    struct Case {
        const char* name;
        std::string bytes;
        Rows rows;
    };
    const std::string row = "Eva|1234";
    const Case cases[] = {
        {"RowEndingTheFileAtTheLimit", std::string(kMiB - row.size() - 2, 'x') + "\r\n" + row, {{"Eva", 1234}}},
        {"RowCutByTheLimit", std::string(kMiB - row.size() - 2, 'x') + "\r\n" + row + "5\r\n", {}},
        {"RowPastTheLimit", std::string(kMiB, 'x') + "\r\n" + row + "\r\n", {}},
    };
    TempFolder folder;
    for (const Case& c : cases) {
        folder.Write("hasic.dat", c.bytes);
        EXPECT_EQ(ReadBestTimes(folder.Path("hasic.dat")), c.rows) << c.name;
    }
}

TEST(BestTimesReadFromFile, WhatHoldsNoTableCannotBeRead) {
    for (Hostile hostile : kEveryHostile) {
        TempFolder folder;
        MakeHostile(folder.Path("hasic.dat"), hostile, "Eva|50\r\n");
        if (hostile == Hostile::HalfAGigabyte) {
            EXPECT_EQ(ReadBestTimes(folder.Path("hasic.dat")), (Rows{{"Eva", 50}}));
        } else {
            EXPECT_THROW(ReadBestTimes(folder.Path("hasic.dat")), EFOpenError) << Name(hostile);
        }
    }
}

TEST(BestTimesWrite, TenLinesInCodePage1250WithEmptyRowsAsBarZero) {
    const Rows rows = {{"Žofie Černá", 61}, {"", 7}, {"Eva", 5}};
    EXPECT_EQ(FormatBestTimes(TenRows(rows)),
              "\x8Eofie \xC8" "ern\xE1|61\r\n|7\r\nEva|5\r\n|0\r\n|0\r\n|0\r\n|0\r\n|0\r\n|0\r\n|0\r\n");
}

TEST(BestTimesWrite, NameNeverBreaksItsLineAndForeignLettersAreReplaced) {
    const Rows rows = {{"A|B\r\nC\tD", 9}, {"Ωmega", 8}};
    const std::string bytes = FormatBestTimes(TenRows(rows));
    EXPECT_EQ(bytes.substr(0, 17), "ABCD|9\r\n?mega|8\r\n");
    // What is written reads back as the same ten rows.
    const Rows back = ParseBestTimes(bytes);
    ASSERT_EQ(back.size(), 10u);
    EXPECT_EQ(back[0], (TTableRow{"ABCD", 9}));
    EXPECT_EQ(back[1], (TTableRow{"?mega", 8}));
}

TEST(BestTimesText, MinutesAndTwoDigitSeconds) {
    const std::pair<int, const char*> cases[] = {{0, "0:00"},  {5, "0:05"},   {9, "0:09"},
                                                 {60, "1:00"}, {90, "1:30"},  {720, "12:00"}};
    for (auto [seconds, text] : cases) EXPECT_EQ(FormatTime(seconds), text) << seconds;
}

TEST(BestTimesText, NameCharacters) {
    for (char32_t ch : {U'a', U'Ž', U' ', U'€', U'Ω'}) EXPECT_TRUE(IsNameCharacter(ch)) << int(ch);
    for (char32_t ch : {U'|', U'\r', U'\n', U'\t', char32_t(0), char32_t(0x7F)})
        EXPECT_FALSE(IsNameCharacter(ch)) << int(ch);
}

// ---------------------------------------------------------------------------
// Replacing the file

class BestTimesReplace : public ::testing::Test {
protected:
    BestTimesReplace() {
        old_ = FormatBestTimes(TenRows({{"Stará", 50}, {"Tabulka", 40}}));
        new_ = FormatBestTimes(TenRows({{"Nová", 70}, {"Stará", 50}, {"Tabulka", 40}}));
        folder_.Write("hasic.dat", old_);
    }
    std::string Path() const { return folder_.Path("hasic.dat"); }
    std::string File() const { return ReadFile(Path()); }
    // Anything of the writing left beside the table.
    bool NewFileLeft() const {
        for (const auto& entry : fs::directory_iterator(folder_.Dir()))
            if (entry.path().filename() != "hasic.dat") return true;
        return false;
    }

    // Runs `body` in a child process; its exit code.
    static int InChild(const std::function<int()>& body) {
        const pid_t pid = fork();
        if (pid == 0) _exit(body());
        int status = 0;
        waitpid(pid, &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }

    TempFolder folder_;
    std::string old_, new_;
};

TEST_F(BestTimesReplace, NewTableTakesThePlaceOfTheOld) {
    ReplaceFileAtomically(Path(), new_);
    EXPECT_EQ(File(), new_);
    EXPECT_FALSE(NewFileLeft());
    // A path in the program's own form, in another letter case, finds the file.
    ReplaceFileAtomically(folder_.Dir() + "HASIC.DAT", old_);
    EXPECT_EQ(File(), old_);
}

TEST_F(BestTimesReplace, FolderInThePlaceOfTheFileIsKept) {
    fs::remove(Path());
    folder_.Write("hasic.dat/inside", old_);
    EXPECT_THROW(ReplaceFileAtomically(Path(), new_), EFCreateError);
    EXPECT_EQ(ReadFile(Path() + "/inside"), old_);
    EXPECT_FALSE(NewFileLeft());
}

TEST_F(BestTimesReplace, ReadOnlyFileIsKeptAndTheNewFileHasTheOldPermissions) {
    fs::permissions(Path(), fs::perms(0600));
    ReplaceFileAtomically(Path(), new_);
    EXPECT_EQ(fs::status(Path()).permissions() & fs::perms::all, fs::perms(0600));

    fs::permissions(Path(), fs::perms(0444));
    // The replacing runs as an ordinary user, to whom read-only means it.
    if (geteuid() == 0) {
        ASSERT_EQ(chown(folder_.Dir().c_str(), 65534, 65534), 0);
        ASSERT_EQ(chown(Path().c_str(), 65534, 65534), 0);
    }
    const int code = InChild([&] {
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) return 2;
        try {
            ReplaceFileAtomically(Path(), old_);
        } catch (const EFCreateError&) {
            return 0;
        }
        return 1;
    });
    EXPECT_EQ(code, 0) << "a read-only file was replaced";
    EXPECT_EQ(File(), new_);
    EXPECT_FALSE(NewFileLeft());
}

TEST_F(BestTimesReplace, FullDiskLeavesTheOldTableAndNoNewFile) {
    // A file size limit below the new table's size: the write fails as on a
    // full disk.
    const int code = InChild([&] {
        signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{20, 20};
        setrlimit(RLIMIT_FSIZE, &limit);
        try {
            ReplaceFileAtomically(Path(), new_);
        } catch (const EFCreateError&) {
            return 0;
        }
        return 1;
    });
    EXPECT_EQ(code, 0) << "the failed write was not reported";
    EXPECT_EQ(File(), old_);
    EXPECT_FALSE(NewFileLeft());
}

TEST_F(BestTimesReplace, WriterKilledAtAnyMomentLeavesTheOldTableOrTheNew) {
    // The kills fall within the first few replacements, however long one
    // takes on this machine (the disk's flushes), counted from when the
    // writer has started.
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < 4; ++i) ReplaceFileAtomically(Path(), old_);
    const auto oneReplacement = (std::chrono::steady_clock::now() - start) / 4;
    // A loaded machine can make the writer's first replacements much slower
    // than the measured one: past 60 rounds the kills come later and later,
    // until both outcomes have been seen.
    std::mt19937 random(16);
    int sawOld = 0, sawNew = 0;
    for (int round = 0; round < 60 || ((sawOld == 0 || sawNew == 0) && round < 300); ++round) {
        std::uniform_int_distribution<int> killAfterPercent(0, 300 + std::max(0, round - 60) * 50);
        folder_.Write("hasic.dat", old_);
        int started[2];
        ASSERT_EQ(pipe(started), 0);
        const pid_t pid = fork();
        if (pid == 0) {
            if (write(started[1], "s", 1) != 1) _exit(1);
            // Writes the new table and the old one in turn until it is killed.
            for (int i = 0;; ++i) ReplaceFileAtomically(Path(), i % 2 ? old_ : new_);
        }
        char byte = 0;
        ASSERT_EQ(read(started[0], &byte, 1), 1);
        close(started[0]);
        close(started[1]);
        std::this_thread::sleep_for(oneReplacement * killAfterPercent(random) / 100);
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
        const std::string file = File();
        ASSERT_TRUE(file == old_ || file == new_) << "round " << round << ": " << file.size() << " bytes";
        (file == old_ ? sawOld : sawNew)++;
    }
    // Both outcomes happened, so kills fell on both sides of a rename.
    EXPECT_GT(sawOld, 0);
    EXPECT_GT(sawNew, 0);
}

}  // namespace
