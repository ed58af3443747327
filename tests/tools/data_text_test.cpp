// The scrambled text files, the animation scripts with their videos, the
// sounds, the cursors and the plumber's levels.
#include <map>

#include "data_tree_support.h"

#include "games/GameCodeLists.h"
#include "platform/core/strings.h"
#include "shell/DetailCodes.h"

namespace {

std::vector<std::string> SplitCrlf(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t at = 0;
    while (at < text.size()) {
        std::size_t end = text.find("\r\n", at);
        if (end == std::string::npos) end = text.size();
        lines.push_back(text.substr(at, end - at));
        at = end + 2;
    }
    return lines;
}

// The file unscrambled and read as code page 1250 text, after checking that
// every line ends in CR LF.
std::vector<std::string> ScrambledLines(const std::string& path) {
    std::string bytes = ReadBytes(path);
    for (char& b : bytes) b = char(std::uint8_t(b) ^ 0x3C);
    for (std::size_t i = 0; i < bytes.size(); ++i)
        if (bytes[i] == '\n') {
            EXPECT_TRUE(i > 0 && bytes[i - 1] == '\r') << path << ": a line ends without CR";
        }
    return SplitCrlf(Cp1250ToUtf8(bytes));
}

std::string CzechName(int professionNumber) {
    for (int pos = 1; pos <= 43; ++pos)
        if (GameProfessionToDetail(pos) == professionNumber) return GameCodeList43[pos - 1].DisplayName;
    return "";
}

// Lines of a section after its key, up to the next section.
std::vector<std::string> SectionBody(const std::vector<std::string>& lines, const std::string& code) {
    std::vector<std::string> body;
    std::size_t at = 0;
    while (at < lines.size() && lines[at] != "[" + code + "]") ++at;
    for (++at; at < lines.size() && (lines[at].empty() || lines[at][0] != '['); ++at) body.push_back(lines[at]);
    return body;
}

struct TAvi {
    int Frames = 0, Width = 0, Height = 0, Compression = -1, Chunks = 0, IndexEntries = 0;
    bool VideoStream = false, RowsWhole = true;
};

// Walks the RIFF tree; for RLE8 frames checks that every row decodes to
// exactly the frame's width.
void WalkAvi(const std::string& b, std::size_t from, std::size_t to, TAvi& avi) {
    for (std::size_t at = from; at + 8 <= to;) {
        const std::string id = b.substr(at, 4);
        const std::size_t size = Le32(b, at + 4), body = at + 8;
        if (id == "RIFF" || id == "LIST") {
            WalkAvi(b, body + 4, body + size, avi);
        } else if (id == "avih") {
            avi.Frames = int(Le32(b, body + 16));
        } else if (id == "strh") {
            avi.VideoStream = b.compare(body, 4, "vids") == 0;
        } else if (id == "strf") {
            avi.Width = int(Le32(b, body + 4));
            avi.Height = int(Le32(b, body + 8));
            avi.Compression = int(Le32(b, body + 16));
        } else if (id == "00db") {
            ++avi.Chunks;
            if (avi.Compression == 1) {
                int x = 0, rows = 0;
                for (std::size_t p = body; p + 1 < body + size; p += 2) {
                    const int count = std::uint8_t(b[p]), value = std::uint8_t(b[p + 1]);
                    if (count > 0) {
                        x += count;
                    } else if (value <= 1) {
                        avi.RowsWhole = avi.RowsWhole && x == avi.Width;
                        x = 0;
                        ++rows;
                        if (value == 1) break;
                    } else {
                        avi.RowsWhole = false;  // only runs are written
                    }
                }
                avi.RowsWhole = avi.RowsWhole && rows == avi.Height;
            } else {
                avi.RowsWhole = avi.RowsWhole && size == std::size_t((3 * avi.Width + 3) & ~3) * std::size_t(avi.Height);
            }
        } else if (id == "idx1") {
            avi.IndexEntries = int(size / 16);
        }
        at = body + size + size % 2;
    }
}

}  // namespace

TEST(DataText, ProfessionTextHasTimedPagesForEveryProfession) {
    const auto lines = ScrambledLines("profese.dat");
    for (int n = 1; n <= ProfessionCount; ++n) {
        const std::string code = DetailCodeFor(n);
        SCOPED_TRACE(code);
        const auto body = SectionBody(lines, code);
        ASSERT_GE(body.size(), 3u);
        EXPECT_TRUE(SameText(body[0], CzechName(n))) << body[0];
        ASSERT_FALSE(body[1].empty());
        EXPECT_EQ(body[1][0], '@');
        std::vector<int> starts;
        for (std::size_t i = 1; i < body.size(); ++i) {
            ASSERT_FALSE(body[i].empty());
            if (body[i][0] == '@') starts.push_back(StrToInt(body[i].substr(1)));
        }
        EXPECT_GE(starts.size(), 2u);
        EXPECT_LE(starts.size(), 5u);
        for (std::size_t i = 1; i < starts.size(); ++i) EXPECT_GT(starts[i], starts[i - 1]);
        // The pages turn while the description is spoken, and the last one
        // starts before it ends.
        const TWav spoken = ReadWav("detaily\\zvuky\\" + code + ".wav");
        EXPECT_GT(spoken.DurationMs(), starts.back() + 500);
        EXPECT_LT(spoken.DurationMs(), starts.back() + 20000);
    }
}

TEST(DataText, PrintSheetsHaveATitleAndParagraphs) {
    const auto lines = ScrambledLines("profese_.dat");
    for (int n = 1; n <= ProfessionCount; ++n) {
        const auto body = SectionBody(lines, DetailCodeFor(n));
        ASSERT_GE(body.size(), 2u) << DetailCodeFor(n);
        EXPECT_TRUE(SameText(body[0], CzechName(n))) << body[0];
        EXPECT_FALSE(body[1].empty());
    }
}

TEST(DataMedia, AnimationScriptsNameFramesOfTheirVideos) {
    std::set<int> compressions;
    for (int n = 1; n <= ProfessionCount; ++n) {
        const std::string code = DetailCodeFor(n);
        SCOPED_TRACE(code);
        const std::string text = ReadBytes("detaily\\" + code + ".dat");
        const auto lines = SplitCrlf(text);
        ASSERT_GE(lines.size(), 4u);
        EXPECT_NE(text.substr(text.size() - 2), "\r\n") << "a trailing empty line";
        EXPECT_EQ(lines[0], code);
        const auto comma = lines[1].find(',');
        ASSERT_NE(comma, std::string::npos);
        EXPECT_NO_THROW(StrToInt(lines[1].substr(0, comma)));
        EXPECT_NO_THROW(StrToInt(lines[1].substr(comma + 1)));

        TAvi avi;
        const std::string bytes = ReadBytes("detaily\\" + lines[0] + ".avi");
        WalkAvi(bytes, 0, bytes.size(), avi);
        EXPECT_TRUE(avi.VideoStream);
        EXPECT_GT(avi.Frames, 0);
        EXPECT_EQ(avi.Chunks, avi.Frames);
        EXPECT_EQ(avi.IndexEntries, avi.Frames);
        EXPECT_TRUE(avi.RowsWhole);
        EXPECT_GT(avi.Height, 0);
        compressions.insert(avi.Compression);
        for (std::size_t i = 4; i < lines.size(); ++i) {
            const auto x = lines[i].find('x');
            ASSERT_NE(x, std::string::npos) << lines[i];
            const int frame = StrToInt(lines[i].substr(0, x));
            EXPECT_GE(frame, 0);
            EXPECT_LT(frame, avi.Frames);
            EXPECT_GT(StrToInt(lines[i].substr(x + 1)), 0);
        }
        EXPECT_TRUE(ReadWav("detaily\\" + lines[0] + ".wav").Valid);
    }
    EXPECT_EQ(compressions, (std::set<int>{0, 1})) << "both uncompressed and RLE8 videos";
}

TEST(DataMedia, SoundsArePcmMono) {
    for (const auto& f : CatalogueFiles()) {
        if (f.compare(f.size() - 4, 4, ".wav") != 0) continue;
        const TWav w = ReadWav(f);
        EXPECT_TRUE(w.Valid) << f;
        EXPECT_EQ(w.Channels, 1u) << f;
        EXPECT_TRUE(w.Bits == 8 || w.Bits == 16) << f;
        EXPECT_GT(w.DurationMs(), 20) << f;
    }
}

TEST(DataMedia, CursorsAreSmallTwoColourCursors) {
    for (const char* name : {"arrow", "hand", "help"}) {
        const std::string b = ReadBytes(std::string("cur\\") + name + ".cur");
        ASSERT_EQ(b.size(), 326u) << name;
        EXPECT_EQ(Le16(b, 2), 2u) << name;
        EXPECT_EQ(Le16(b, 4), 1u) << name;
        EXPECT_EQ(std::uint8_t(b[6]), 32u) << name;
        EXPECT_EQ(Le32(b, 18), 22u) << name;
        EXPECT_EQ(Le32(b, 22 + 8), 64u) << name;  // XOR and AND masks
    }
}
