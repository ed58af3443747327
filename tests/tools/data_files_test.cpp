// Every file of the catalogue is in the generated tree, and nothing else.
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <sys/wait.h>
#include <unistd.h>

#include "data_tree_support.h"

namespace fs = std::filesystem;

namespace {

bool IsDataFile(const fs::path& p) {
    static const std::set<std::string> data = {".bmp", ".wav", ".dat", ".avi", ".cur"};
    return data.count(p.extension().string()) > 0;
}

std::string Slashed(std::string s) {
    std::replace(s.begin(), s.end(), '\\', '/');
    return s;
}

std::set<std::string> FilesUnder(const fs::path& root) {
    std::set<std::string> files;
    for (const auto& e : fs::recursive_directory_iterator(root))
        if (e.is_regular_file() && IsDataFile(e.path())) files.insert(fs::relative(e.path(), root).string());
    return files;
}

int CountUnder(const std::set<std::string>& files, const std::string& folder) {
    int n = 0;
    for (const auto& f : files) {
        if (folder.empty() ? f.find('/') == std::string::npos : f.rfind(folder + "/", 0) == 0) ++n;
    }
    return n;
}

}  // namespace

TEST(DataTreeFiles, CatalogueListsEachFileOnceWhateverTheLetterCase) {
    const auto files = CatalogueFiles();
    EXPECT_EQ(files.size(), 2163u);
    std::set<std::string> folded;
    for (std::string f : files) {
        std::transform(f.begin(), f.end(), f.begin(), [](unsigned char c) { return char(std::tolower(c)); });
        EXPECT_TRUE(folded.insert(f).second) << "listed twice: " << f;
    }
}

TEST(DataTreeFiles, TreeHoldsExactlyTheCatalogueFiles) {
    std::set<std::string> expected;
    for (const auto& f : CatalogueFiles()) expected.insert(Slashed(f));
    const std::set<std::string> actual = FilesUnder(VELAMO_APP_DIR);
    for (const auto& f : expected) EXPECT_TRUE(actual.count(f)) << "missing: " << f;
    // The program's own temporary copy of an animation's sound may be left by a screen test.
    for (const auto& f : actual) EXPECT_TRUE(expected.count(f) || f == "wavfil.wav") << "not in the catalogue: " << f;
}

TEST(DataTreeFiles, FolderAndExtensionCountsMatchTheCatalogue) {
    std::set<std::string> files = FilesUnder(VELAMO_APP_DIR);
    files.erase("wavfil.wav");
    const std::map<std::string, int> folders = {
        {"", 6},           {"cur", 3},          {"sound", 26},        {"hl_obr", 77},           {"detaily", 225},
        {"hry", 1354},     {"hry/hl_obr", 21},  {"hry/kdopatri", 191}, {"hry/reseni", 222},     {"hry/kdotoje", 307},
        {"hry/dvojice", 79}, {"hry/poradek", 224}, {"hry/pexeso", 113}, {"simul", 472},         {"simul/vyber", 11},
        {"simul/hasic", 38}, {"simul/modelka", 142}, {"simul/vizaz", 121}, {"simul/malpok", 62}, {"simul/instal", 98},
        {"simul/instal/A_verze", 38}, {"simul/instal/B_verze", 48}};
    for (const auto& [folder, count] : folders) EXPECT_EQ(CountUnder(files, folder), count) << "folder " << folder;
    int citoje = 0;
    for (const auto& f : files) citoje += f.rfind("hry/citoje/", 0) == 0;
    EXPECT_EQ(citoje, 197);

    std::map<std::string, int> extensions;
    for (const auto& f : files) ++extensions[fs::path(f).extension().string()];
    EXPECT_EQ(extensions, (std::map<std::string, int>{{".avi", 43}, {".bmp", 1742}, {".cur", 3}, {".dat", 46}, {".wav", 329}}));
}

// A second run writes the same bytes as the build's run.
TEST(DataTreeFiles, GeneratorWritesTheSameBytesEveryRun) {
    const fs::path again = fs::temp_directory_path() / ("velamo-datagen-" + std::to_string(::getpid()));
    fs::remove_all(again);
    const std::string command = std::string(VELAMO_BINARY_DIR) + "/bin/velamo-datagen --output " + again.string() + " >/dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0);
    int compared = 0;
    for (const auto& f : CatalogueFiles()) {
        const std::string relative = Slashed(f);
        std::ifstream a(again / relative, std::ios::binary);
        std::ostringstream bytes;
        bytes << a.rdbuf();
        EXPECT_TRUE(bytes.str() == ReadBytes(f)) << "differs: " << relative;
        ++compared;
    }
    EXPECT_EQ(compared, 2163);
    fs::remove_all(again);
}

// The generator writes only where --output says: help, unknown options and
// stray arguments write nothing (refusals exit 2 with the usage).
TEST(DataTreeFiles, GeneratorCommandLineWritesOnlyIntoTheNamedFolder) {
    const fs::path work = fs::temp_directory_path() / ("velamo-datagen-args-" + std::to_string(::getpid()));
    fs::remove_all(work);
    fs::create_directories(work);
    const struct {
        const char* args;
        int exitCode;
        const char* usageOn;  // "out" or "err"
    } cases[] = {
        {"--help", 0, "out"}, {"-h", 0, "out"},        {"", 2, "err"},         {"--bogus", 2, "err"},
        {"tree", 2, "err"},   {"--output", 2, "err"}, {"-o tree --x", 2, "err"},
    };
    for (const auto& c : cases) {
        const std::string command = "cd " + work.string() + " && " + VELAMO_BINARY_DIR + "/bin/velamo-datagen " +
                                    c.args + " >out.txt 2>err.txt";
        const int status = std::system(command.c_str());
        ASSERT_TRUE(WIFEXITED(status)) << c.args;
        EXPECT_EQ(WEXITSTATUS(status), c.exitCode) << c.args;
        std::ifstream usage(work / (std::string(c.usageOn) + ".txt"));
        std::ostringstream text;
        text << usage.rdbuf();
        EXPECT_NE(text.str().find("usage: velamo-datagen --output FOLDER"), std::string::npos) << c.args;
        std::set<std::string> left;
        for (const auto& e : fs::directory_iterator(work)) left.insert(e.path().filename().string());
        EXPECT_EQ(left, (std::set<std::string>{"err.txt", "out.txt"})) << c.args;
    }
    fs::remove_all(work);
}
