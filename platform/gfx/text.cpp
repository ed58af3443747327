#include "platform/gfx/text.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SYNTHESIS_H
#include FT_TRUETYPE_TABLES_H
#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <map>
#include <memory>
#include <tuple>
#include <unordered_map>
#include <vector>

#include "platform/core/strings.h"
#include "platform/gfx/pixels.h"

namespace text {
namespace {

constexpr int kMaxPixelHeight = 1000;
constexpr int kDefaultHeight = -11;  // a height of 0 asks for the default font size

String Lower(const String& s) {
    String out = s;
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z') {
            c = char(c - 'A' + 'a');
        }
    }
    return out;
}

struct Glyph {
    int advance = 0;
    int left = 0;  // from the pen position to the first column
    int top = 0;   // from the baseline up to the first row
    int width = 0;
    int rows = 0;
    std::vector<Byte> coverage;  // width * rows, 0..255
};

struct FaceSource {
    String file;
    int index = 0;
    bool embolden = false;  // bold wanted, the family has none
    bool slant = false;     // italic wanted, the family has none
};

// A face at one pixel size, with its glyphs as they are first used.
class SizedFont {
public:
    SizedFont(FT_Library library, const FaceSource& source, int height) : source_(source) {
        if (source.file.empty() || FT_New_Face(library, source.file.c_str(), source.index, &face_) != 0) {
            face_ = nullptr;
            const int cell = std::abs(height);
            metrics_ = FontMetrics{cell, 0};
            return;
        }
        SetHeight(height);
    }
    ~SizedFont() {
        if (face_ != nullptr) {
            FT_Done_Face(face_);
        }
    }
    SizedFont(const SizedFont&) = delete;
    SizedFont& operator=(const SizedFont&) = delete;

    const FontMetrics& Metrics() const { return metrics_; }
    const FaceSource& Source() const { return source_; }
    int UnderlineTop() const { return underlineTop_; }
    int StrikeTop() const { return strikeTop_; }
    int LineThickness() const { return lineThickness_; }

    const Glyph& GlyphFor(char32_t cp) {
        auto found = glyphs_.find(cp);
        if (found != glyphs_.end()) {
            return found->second;
        }
        return glyphs_.emplace(cp, Load(cp)).first->second;
    }

private:
    void SetHeight(int height) {
        const int units = std::max<int>(face_->units_per_EM, 1);
        double winAscent = face_->ascender;
        double winDescent = -face_->descender;
        double strikePos = units * 0.26;
        double strikeSize = face_->underline_thickness;
        if (auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(face_, FT_SFNT_OS2));
            os2 != nullptr && os2->usWinAscent + os2->usWinDescent > 0) {
            winAscent = os2->usWinAscent;
            winDescent = os2->usWinDescent;
            strikePos = os2->yStrikeoutPosition;
            strikeSize = os2->yStrikeoutSize;
        }
        const double cellUnits = std::max(winAscent + winDescent, 1.0);
        double pixelsPerEm;
        if (height < 0) {
            pixelsPerEm = -height;
            metrics_.ascent = int(std::lround(winAscent * pixelsPerEm / units));
            metrics_.descent = int(std::lround(winDescent * pixelsPerEm / units));
        } else {
            pixelsPerEm = height * units / cellUnits;
            metrics_.ascent = int(std::lround(height * winAscent / cellUnits));
            metrics_.descent = height - metrics_.ascent;
        }
        scale_ = pixelsPerEm / units;
        FT_Set_Char_Size(face_, 0, FT_F26Dot6(std::lround(pixelsPerEm * 64)), 72, 72);
        lineThickness_ = std::max(1, int(std::lround(face_->underline_thickness * scale_)));
        underlineTop_ = std::max(1, int(std::lround(-face_->underline_position * scale_)) - lineThickness_ / 2);
        strikeTop_ = -int(std::lround(strikePos * scale_)) - std::max(1, int(std::lround(strikeSize * scale_))) / 2;
    }

    Glyph Load(char32_t cp) {
        Glyph glyph;
        if (face_ == nullptr || cp < 0x20 || cp == 0x7F) {
            return glyph;
        }
        const FT_UInt index = FT_Get_Char_Index(face_, FT_ULong(cp));
        if (FT_Load_Glyph(face_, index, FT_LOAD_TARGET_LIGHT | FT_LOAD_NO_BITMAP) != 0) {
            return glyph;
        }
        FT_GlyphSlot slot = face_->glyph;
        if (source_.slant) {
            FT_GlyphSlot_Oblique(slot);
        }
        if (source_.embolden) {
            FT_GlyphSlot_Embolden(slot);
        }
        glyph.advance = int((slot->advance.x + 32) >> 6);
        if (FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) != 0 || slot->bitmap.pixel_mode != FT_PIXEL_MODE_GRAY) {
            return glyph;
        }
        const FT_Bitmap& bitmap = slot->bitmap;
        glyph.left = slot->bitmap_left;
        glyph.top = slot->bitmap_top;
        glyph.width = int(bitmap.width);
        glyph.rows = int(bitmap.rows);
        glyph.coverage.resize(std::size_t(glyph.width) * std::size_t(glyph.rows));
        const int stride = std::abs(bitmap.pitch);
        for (int r = 0; r < glyph.rows; ++r) {
            const int sourceRow = bitmap.pitch >= 0 ? r : glyph.rows - 1 - r;
            std::copy_n(bitmap.buffer + std::size_t(sourceRow) * std::size_t(stride), glyph.width,
                        glyph.coverage.begin() + std::ptrdiff_t(r) * glyph.width);
        }
        return glyph;
    }

    FaceSource source_;
    FT_Face face_ = nullptr;
    FontMetrics metrics_;
    double scale_ = 0;
    int underlineTop_ = 1;
    int strikeTop_ = 0;
    int lineThickness_ = 1;
    std::unordered_map<char32_t, Glyph> glyphs_;
};

class Engine {
public:
    static Engine& Get() {
        static Engine engine;
        return engine;
    }

    ~Engine() {
        fonts_.clear();
        if (library_ != nullptr) {
            FT_Done_FreeType(library_);
        }
        FcFini();
    }

    SizedFont& FontFor(const TFont& font) {
        int height = font.GetHeight();
        if (height == 0) {
            height = kDefaultHeight;
        }
        height = std::clamp(height, -kMaxPixelHeight, kMaxPixelHeight);
        const bool bold = (font.Style & fsBold) != 0;
        const bool italic = (font.Style & fsItalic) != 0;
        // Keyed by the family actually used, so that any number of unknown
        // names share one face; the cache is bounded, since every size opens
        // a face of its own. A reference handed out is used before the next
        // lookup, so emptying the cache here is safe.
        String family = SubstituteFamily(font.Name);
        auto key = std::make_tuple(family, bold, italic, height);
        auto found = fonts_.find(key);
        if (found != fonts_.end()) {
            return *found->second;
        }
        if (fonts_.size() >= kMaxCachedFonts) {
            fonts_.clear();
        }
        const FaceSource& source = SourceFor(family, bold, italic);
        auto sized = std::make_unique<SizedFont>(library_, source, height);
        return *fonts_.emplace(std::move(key), std::move(sized)).first->second;
    }

private:
    Engine() {
        if (FT_Init_FreeType(&library_) != 0) {
            library_ = nullptr;
        }
        FcInit();
    }

    const FaceSource& SourceFor(const String& family, bool bold, bool italic) {
        auto key = std::make_tuple(family, bold, italic);
        auto found = sources_.find(key);
        if (found == sources_.end()) {
            found = sources_.emplace(key, Match(family, bold, italic)).first;
        }
        return found->second;
    }

    FaceSource Match(const String& family, bool bold, bool italic) const {
        FaceSource source;
        if (library_ == nullptr) {
            return source;
        }
        FcPattern* pattern = FcPatternCreate();
        FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
        FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
        FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
        FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
        FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
        FcDefaultSubstitute(pattern);
        FcResult result = FcResultNoMatch;
        FcPattern* match = FcFontMatch(nullptr, pattern, &result);
        FcPatternDestroy(pattern);
        if (match == nullptr) {
            return source;
        }
        FcChar8* file = nullptr;
        int index = 0;
        int weight = FC_WEIGHT_REGULAR;
        int slant = FC_SLANT_ROMAN;
        if (FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch && file != nullptr) {
            source.file = reinterpret_cast<const char*>(file);
        }
        FcPatternGetInteger(match, FC_INDEX, 0, &index);
        FcPatternGetInteger(match, FC_WEIGHT, 0, &weight);
        FcPatternGetInteger(match, FC_SLANT, 0, &slant);
        FcPatternDestroy(match);
        source.index = index;
        source.embolden = bold && weight < FC_WEIGHT_DEMIBOLD;
        source.slant = italic && slant == FC_SLANT_ROMAN;
        return source;
    }

    static constexpr std::size_t kMaxCachedFonts = 64;

    FT_Library library_ = nullptr;
    std::map<std::tuple<String, bool, bool>, FaceSource> sources_;
    std::map<std::tuple<String, bool, bool, int>, std::unique_ptr<SizedFont>> fonts_;
};

void DrawGlyph(Surface& surface, const TRect& clip, int left, int top, const Glyph& glyph, TColor colour,
               TRect& touched) {
    const TRect box = gfx::Intersect(TRect{left, top, left + glyph.width, top + glyph.rows}, clip);
    if (box.IsEmpty()) {
        return;
    }
    for (int y = box.Top; y < box.Bottom; ++y) {
        const Byte* coverage = glyph.coverage.data() + std::size_t(y - top) * std::size_t(glyph.width);
        Byte* out = surface.Row(y);
        for (int x = box.Left; x < box.Right; ++x) {
            const unsigned a = coverage[x - left];
            if (a != 0) {
                gfx::BlendPixel(out + std::size_t(x) * 3, colour, a);
            }
        }
    }
    touched = gfx::Union(touched, box);
}

}  // namespace

String SubstituteFamily(const String& name) {
    static const std::map<String, String> substitutes = {
        {"arial", "Liberation Sans"},          {"times new roman", "Liberation Serif"},
        {"courier new", "Liberation Mono"},    {"verdana", "DejaVu Sans"},
        {"tahoma", "DejaVu Sans Condensed"},
    };
    const String lower = Lower(name);
    if (auto found = substitutes.find(lower); found != substitutes.end()) {
        return found->second;
    }
    // The free families themselves are taken as named.
    if (lower.rfind("dejavu ", 0) == 0 || lower.rfind("liberation ", 0) == 0) {
        return name;
    }
    return "DejaVu Sans";
}

FontMetrics Metrics(const TFont& font) { return Engine::Get().FontFor(font).Metrics(); }

int Width(const TFont& font, std::string_view utf8) {
    SizedFont& sized = Engine::Get().FontFor(font);
    long long width = 0;
    for (std::size_t pos = 0; pos < utf8.size();) {
        width += sized.GlyphFor(NextCodePoint(utf8, pos)).advance;
    }
    return int(std::min<long long>(width, INT_MAX));
}

TRect Draw(Surface& surface, const TRect& clipIn, int x, int y, const TFont& font, std::string_view utf8) {
    // Text this far out cannot reach any surface; leaving it here keeps the
    // arithmetic below within range.
    constexpr int kFar = 1 << 30;
    if (x < -kFar || x > kFar || y < -kFar || y > kFar) {
        return {};
    }
    SizedFont& sized = Engine::Get().FontFor(font);
    const TRect clip = gfx::Intersect(clipIn, gfx::SurfaceRect(surface));
    const TColor colour = font.Color & 0xFFFFFF;
    const int baseline = y + sized.Metrics().ascent;
    TRect touched{};
    long long pen = x;
    for (std::size_t pos = 0; pos < utf8.size() && pen < kFar;) {
        const Glyph& glyph = sized.GlyphFor(NextCodePoint(utf8, pos));
        if (glyph.width > 0 && !clip.IsEmpty()) {
            DrawGlyph(surface, clip, int(pen) + glyph.left, baseline - glyph.top, glyph, colour, touched);
        }
        pen += glyph.advance;
    }
    const int end = int(pen);
    const int thickness = sized.LineThickness();
    if ((font.Style & fsUnderline) != 0) {
        const int top = baseline + sized.UnderlineTop();
        touched = gfx::Union(touched, gfx::FillArea(surface, clip, TRect{x, top, end, top + thickness}, colour));
    }
    if ((font.Style & fsStrikeOut) != 0) {
        const int top = baseline + sized.StrikeTop();
        touched = gfx::Union(touched, gfx::FillArea(surface, clip, TRect{x, top, end, top + thickness}, colour));
    }
    return touched;
}

FaceChoice FaceFor(const TFont& font) {
    const FaceSource& source = Engine::Get().FontFor(font).Source();
    return FaceChoice{source.file, source.embolden, source.slant};
}

}  // namespace text
