// A host program's folder for the print library: the scrambled
// "profese_.dat", the page background "prnbckg.bmp", the profession's
// screen pictures in "detaily\" and a copy of the library itself, with the
// Application's program file set into it.
#pragma once

#include <filesystem>
#include <vector>

#include "platform/backend/headless/harness.h"
#include "platform/core/files.h"
#include "platform/core/strings.h"
#include "platform/print_test_support.h"
#include "platform/ui/ui.h"
#include "shell/UScramble.h"

namespace printtest {

// The background's colour, the screen picture's colours.
constexpr TColor kBackground = RGBColor(250, 240, 200);
constexpr TColor kOutside = RGBColor(0, 0, 200);  // around the part printed
constexpr TColor kPicture = RGBColor(0, 160, 0);
constexpr TColor kCorner = RGBColor(220, 0, 0);   // the printed part's corners

class HostFolder {
public:
    HostFolder() {
        Application->SetExeName(folder_.Path("Velamo"));
        std::filesystem::create_directories(folder_.Path("detaily"));
    }

    std::string Dir() const { return folder_.Dir() + "/"; }
    std::string Path(const std::string& relative) const { return folder_.Path(relative); }

    // The lines (UTF-8) as the print text file: code page 1250, CR LF,
    // scrambled.
    void WriteTexts(const std::vector<String>& lines) const {
        TStringList list;
        for (const String& line : lines) list.Add(line);
        TMemoryStream stream;
        list.SaveToStream(stream);
        ScrambleStream(stream);
        stream.SaveToFile(folder_.Path("profese_.dat"));
        InvalidatePathCache();
    }

    void WriteBackground() const {
        TBitmap bmp;
        bmp.SetSize(680, 1000);
        bmp.Canvas()->Brush.Color = kBackground;
        bmp.Canvas()->FillRect(Rect(0, 0, 680, 1000));
        bmp.SaveToFile(folder_.Path("prnbckg.bmp"));
        InvalidatePathCache();
    }

    // A 640x480 screen picture whose part at (16, 18) of 362x391 is kPicture
    // with kCorner in its corners, the rest kOutside.
    void WritePicture(const String& code) const {
        TBitmap bmp;
        bmp.SetSize(640, 480);
        TCanvas* c = bmp.Canvas();
        c->Brush.Color = kOutside;
        c->FillRect(Rect(0, 0, 640, 480));
        c->Brush.Color = kPicture;
        c->FillRect(Bounds(16, 18, 362, 391));
        for (TPoint p : {Point(16, 18), Point(16 + 361, 18), Point(16, 18 + 390), Point(16 + 361, 18 + 390)}) {
            c->SetPixel(p.X, p.Y, kCorner);
        }
        bmp.SaveToFile(folder_.Path("detaily/" + code + ".bmp"));
        InvalidatePathCache();
    }

    void WriteAll(const String& code, const std::vector<String>& lines) const {
        WriteTexts(lines);
        WriteBackground();
        WritePicture(code);
    }

    // The built library beside the host, as the program ships it.
    void CopyLibrary() const {
        std::filesystem::copy_file(std::string(VELAMO_APP_DIR) + "/Tisk.so", folder_.Path("Tisk.so"),
                                   std::filesystem::copy_options::overwrite_existing);
        InvalidatePathCache();
    }

    void Remove(const std::string& relative) const {
        std::filesystem::remove(folder_.Path(relative));
        InvalidatePathCache();
    }

private:
    TempFolder folder_;
};

inline ShortString MakeShortString(const String& utf8) {
    ShortString s;
    std::string bytes = Utf8ToCp1250(utf8);
    s.Length = Byte(std::min<std::size_t>(bytes.size(), 255));
    std::copy_n(bytes.data(), s.Length, s.Chars);
    return s;
}

}  // namespace printtest
