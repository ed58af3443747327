// Helpers for the printing tests: a temporary folder, and reading PDF files
// back with poppler's pdfinfo and pdftoppm.
#pragma once

#include <stdlib.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>

#include "platform/core/files.h"
#include "platform/gfx/graphics.h"

namespace printtest {

class TempFolder {
public:
    TempFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "velamo-print-XXXXXX").string();
        if (!::mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
        root_ = pattern;
        InvalidatePathCache();
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(root_, ignored);
        InvalidatePathCache();
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    std::string Dir() const { return root_.string(); }
    std::string Path(const std::string& relative) const { return (root_ / relative).string(); }

private:
    std::filesystem::path root_;
};

inline bool PopplerInstalled() {
    return std::system("command -v pdfinfo >/dev/null 2>&1 && command -v pdftoppm >/dev/null 2>&1") == 0;
}

inline std::string RunOutput(const std::string& command) {
    std::string out;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe) return out;
    char buf[4096];
    std::size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, pipe)) > 0) out.append(buf, n);
    ::pclose(pipe);
    return out;
}

struct PdfInfo {
    int pages = 0;
    double widthPt = 0;
    double heightPt = 0;
    std::string title;
};

// pdfinfo's "Pages:", "Page size:" and "Title:" lines.
inline PdfInfo ReadPdfInfo(const std::string& file) {
    PdfInfo info;
    std::istringstream lines(RunOutput("pdfinfo '" + file + "' 2>&1"));
    std::string line;
    while (std::getline(lines, line)) {
        if (line.rfind("Pages:", 0) == 0) info.pages = std::stoi(line.substr(6));
        if (line.rfind("Page size:", 0) == 0) std::sscanf(line.c_str() + 10, "%lf x %lf", &info.widthPt, &info.heightPt);
        if (line.rfind("Title:", 0) == 0) {
            std::size_t start = line.find_first_not_of(' ', 6);
            info.title = start == std::string::npos ? "" : line.substr(start);
        }
    }
    return info;
}

// Renders one page (1-based) at `dpi` and reads the picture back.
inline std::optional<Surface> RenderPage(const std::string& file, int page, int dpi) {
    std::string base = file + "-render";
    std::string command = "pdftoppm -r " + std::to_string(dpi) + " -f " + std::to_string(page) + " -l " +
                          std::to_string(page) + " -singlefile '" + file + "' '" + base + "' 2>&1";
    RunOutput(command);
    std::ifstream in(base + ".ppm", std::ios::binary);
    if (!in) return std::nullopt;
    std::string magic;
    int w = 0, h = 0, maxval = 0;
    in >> magic >> w >> h >> maxval;
    in.get();
    if (magic != "P6" || maxval != 255) return std::nullopt;
    Surface s;
    s.Resize(w, h);
    std::string rgb(std::size_t(w) * std::size_t(h) * 3, '\0');
    in.read(rgb.data(), std::streamsize(rgb.size()));
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const std::size_t i = (std::size_t(y) * std::size_t(w) + std::size_t(x)) * 3;
            s.Set(x, y, RGBColor(Byte(rgb[i]), Byte(rgb[i + 1]), Byte(rgb[i + 2])));
        }
    }
    std::filesystem::remove(base + ".ppm");
    return s;
}

// The first (x, y) in reading order whose colour is `colour` within
// `tolerance` per channel; (-1, -1) when there is none.
inline TPoint FindColour(const Surface& s, TColor colour, int tolerance = 8) {
    for (int y = 0; y < s.height; ++y) {
        for (int x = 0; x < s.width; ++x) {
            TColor c = s.Get(x, y);
            if (std::abs(GetRValue(c) - GetRValue(colour)) <= tolerance &&
                std::abs(GetGValue(c) - GetGValue(colour)) <= tolerance &&
                std::abs(GetBValue(c) - GetBValue(colour)) <= tolerance) {
                return TPoint{x, y};
            }
        }
    }
    return TPoint{-1, -1};
}

// The bounding box of the pixels of `colour` (within tolerance); empty
// when there is none.
inline TRect ColourBox(const Surface& s, TColor colour, int tolerance = 8) {
    TRect box{s.width, s.height, 0, 0};
    for (int y = 0; y < s.height; ++y) {
        for (int x = 0; x < s.width; ++x) {
            TColor c = s.Get(x, y);
            if (std::abs(GetRValue(c) - GetRValue(colour)) <= tolerance &&
                std::abs(GetGValue(c) - GetGValue(colour)) <= tolerance &&
                std::abs(GetBValue(c) - GetBValue(colour)) <= tolerance) {
                box.Left = std::min(box.Left, x);
                box.Top = std::min(box.Top, y);
                box.Right = std::max(box.Right, x + 1);
                box.Bottom = std::max(box.Bottom, y + 1);
            }
        }
    }
    return box.IsEmpty() ? TRect{} : box;
}

}  // namespace printtest

#define SKIP_WITHOUT_POPPLER()                                                          \
    do {                                                                                \
        if (!printtest::PopplerInstalled()) GTEST_SKIP() << "pdfinfo/pdftoppm missing"; \
    } while (0)
