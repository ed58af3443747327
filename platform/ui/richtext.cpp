// Rich text reader and layout for the detail page's text box.
//
// Reading: a single pass over the bytes with a stack of group states. Text is
// collected into runs of equal formatting; 8-bit bytes and \'hh escapes are
// code page 1250 whatever \fcharset says (the program's ANSI code page).
// A document must begin with "{\rtf" (blanks before it allowed); anything else
// raises ERichTextError. Everything after the header is read leniently:
// groups still open at the end are closed, a lone "}" closing the outermost
// group ends the document, truncated control words and escapes are dropped.
//
// Layout: paragraphs top to bottom inside the box less a 1-pixel margin on
// the left, right and top, word-wrapped at spaces, a word wider than the box
// broken at its edge. Runs of different sizes on one line share its bottom
// edge. Justified lines spread the spare width over their gaps, except a
// paragraph's last line and lines ended by \line.

#include "platform/ui/richtext.h"

#include <algorithm>
#include <map>
#include <optional>
#include <tuple>

#include "platform/core/strings.h"
#include "platform/gfx/graphics.h"

namespace richtext {

namespace {

// ---------------------------------------------------------------------------
// Reading

constexpr int kDefaultHalfPoints = 24;   // \plain's size: 12 points
constexpr int kMaxHalfPoints = 3276;     // 1638 points, the largest size rich text allows
constexpr int kMaxGroupDepth = 512;      // deeper groups share their parent's state
constexpr int kMaxUnicodeSkip = 16;      // \ucN beyond this is taken as malformed
constexpr long kMaxParameter = 1L << 30; // control word parameters are clamped to this
constexpr std::size_t kMaxControlWordLength = 32;

enum class Destination { Text, FontTable, ColorTable, Skip };

struct GroupState {
    Destination destination = Destination::Text;
    int font = -1;  // -1: the default font (\deff)
    int halfPoints = kDefaultHalfPoints;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    int color = 0;  // index into the colour table; 0 is the automatic colour
    int unicodeSkip = 1;
    Align align = Align::Left;
};

struct FontEntry {
    int number = 0;
    std::string nameBytes;  // code page 1250, up to the ';'
};

struct ColorEntry {
    int red = 0;
    int green = 0;
    int blue = 0;
    bool automatic = true;  // an entry without \red, \green, \blue
};

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Destinations whose contents are never shown.
bool IsSkippedDestination(std::string_view word) {
    static constexpr std::string_view kSkipped[] = {
        "stylesheet", "info", "pict", "object", "header", "headerl", "headerr", "headerf",
        "footer", "footerl", "footerr", "footerf", "footnote", "annotation", "listtable",
        "listoverridetable", "revtbl", "rsidtbl", "filetbl", "xmlnstbl", "generator",
        "themedata", "colorschememapping", "datastore", "latentstyles", "nonshppict",
    };
    return std::find(std::begin(kSkipped), std::end(kSkipped), word) != std::end(kSkipped);
}

// Control words that stand for one character.
char32_t SymbolWord(std::string_view word) {
    static constexpr std::pair<std::string_view, char32_t> kSymbols[] = {
        {"lquote", U'\u2018'},    {"rquote", U'\u2019'}, {"ldblquote", U'\u201C'},
        {"rdblquote", U'\u201D'}, {"bullet", U'\u2022'}, {"endash", U'\u2013'},
        {"emdash", U'\u2014'},    {"enspace", U' '},     {"emspace", U' '},
    };
    for (const auto& [name, cp] : kSymbols) {
        if (name == word) return cp;
    }
    return 0;
}

class Parser {
public:
    explicit Parser(std::string_view rtf) : src_(rtf) {}

    Document Read() {
        SkipLeadingBlanks();
        if (src_.substr(pos_, 5) != "{\\rtf") {
            throw ERichTextError("Not a rich text document");
        }
        while (pos_ < src_.size() && !finished_) {
            ReadToken();
        }
        if (!finished_) EndOfDocument();  // groups left open at the end
        return std::move(doc_);
    }

private:
    // -- scanning ----------------------------------------------------------

    void SkipLeadingBlanks() {
        while (pos_ < src_.size() && (src_[pos_] == ' ' || src_[pos_] == '\t' ||
                                      src_[pos_] == '\r' || src_[pos_] == '\n')) {
            ++pos_;
        }
    }

    void ReadToken() {
        char c = src_[pos_++];
        switch (c) {
            case '{': OpenGroup(); break;
            case '}': CloseGroup(); break;
            case '\\': ReadControl(); break;
            case '\r':
            case '\n': break;  // line ends in the source are not text
            default: TextByte(c); break;
        }
    }

    void ReadControl() {
        if (pos_ >= src_.size()) return;  // a lone backslash at the end
        char c = src_[pos_];
        if (!IsLetter(c)) {
            ++pos_;
            ControlSymbol(c);
            return;
        }
        std::size_t start = pos_;
        while (pos_ < src_.size() && IsLetter(src_[pos_])) ++pos_;
        std::string_view word = src_.substr(start, std::min(pos_ - start, kMaxControlWordLength));

        bool hasParameter = false;
        bool negative = false;
        long parameter = 0;
        if (pos_ < src_.size() && src_[pos_] == '-' && pos_ + 1 < src_.size() && IsDigit(src_[pos_ + 1])) {
            negative = true;
            ++pos_;
        }
        while (pos_ < src_.size() && IsDigit(src_[pos_])) {
            hasParameter = true;
            parameter = std::min(kMaxParameter, parameter * 10 + (src_[pos_] - '0'));
            ++pos_;
        }
        if (pos_ < src_.size() && src_[pos_] == ' ') ++pos_;  // the delimiting space
        if (negative) parameter = -parameter;
        ControlWord(word, hasParameter, int(parameter));
    }

    // -- groups ------------------------------------------------------------

    void OpenGroup() {
        unicodeSkipLeft_ = 0;
        if (int(stack_.size()) >= kMaxGroupDepth) {
            ++overflowDepth_;
            return;
        }
        GroupState inner = stack_.empty() ? GroupState{} : stack_.back();
        stack_.push_back(inner);
        groupStart_ = true;
    }

    void CloseGroup() {
        unicodeSkipLeft_ = 0;
        if (overflowDepth_ > 0) {
            --overflowDepth_;
            return;
        }
        groupStart_ = false;
        if (stack_.empty()) return;
        if (State().destination == Destination::FontTable) FinishFontEntry();
        if (stack_.size() == 1) {
            // The outermost group ends the document.
            EndOfDocument();
            finished_ = true;
        }
        stack_.pop_back();
    }

    GroupState& State() {
        if (stack_.empty()) stack_.emplace_back();
        return stack_.back();
    }

    // -- control words -----------------------------------------------------

    void ControlSymbol(char c) {
        bool wasGroupStart = groupStart_;
        groupStart_ = false;
        if (c != '\'' && CountSkippedCharacter()) return;  // \'hh counts as it is read
        switch (c) {
            case '\\':
            case '{':
            case '}': TextByte(c); break;
            case '\'': HexEscape(); break;
            case '~': TextCodePoint(U'\u00A0'); break;
            case '_': TextCodePoint(U'-'); break;
            case '-': break;  // optional hyphen: no hyphenation here
            case '*':
                // {\*\word ...}: a destination to ignore when not known, and
                // none of the optional ones is shown here.
                if (wasGroupStart) State().destination = Destination::Skip;
                break;
            case '\r':
            case '\n': EndParagraph(); break;  // "\" before a line end is \par
            case '\t': TextCodePoint(U'\t'); break;
            default: break;
        }
    }

    void HexEscape() {
        int high = pos_ < src_.size() ? HexValue(src_[pos_]) : -1;
        int low = pos_ + 1 < src_.size() ? HexValue(src_[pos_ + 1]) : -1;
        if (high < 0 || low < 0) {
            if (high >= 0) ++pos_;  // a lone digit: drop it with the escape
            return;
        }
        pos_ += 2;
        TextByte(char(high * 16 + low));
    }

    void ControlWord(std::string_view word, bool hasParameter, int parameter) {
        bool wasGroupStart = groupStart_;
        groupStart_ = false;
        GroupState& st = State();

        if (word == "bin") {  // raw bytes follow, in skipped groups too
            SkipBinary(hasParameter ? parameter : 0);
            return;
        }
        if (st.destination == Destination::Skip) return;
        if (unicodeSkipLeft_ > 0) {
            --unicodeSkipLeft_;
            return;
        }
        if (wasGroupStart && StartsDestination(word, st)) return;
        if (st.destination == Destination::FontTable) {
            FontTableWord(word, parameter);
            return;
        }
        if (st.destination == Destination::ColorTable) {
            ColorTableWord(word, parameter);
            return;
        }

        bool on = !hasParameter || parameter != 0;
        if (word == "par" || word == "page" || word == "sect") {
            EndParagraph();
        } else if (word == "line") {
            TextCodePoint(U'\n');
        } else if (word == "tab") {
            TextCodePoint(U'\t');
        } else if (word == "pard") {
            st.align = Align::Left;
        } else if (word == "plain") {
            GroupState reset;
            reset.destination = st.destination;
            reset.unicodeSkip = st.unicodeSkip;
            reset.align = st.align;
            st = reset;
        } else if (word == "ql") {
            st.align = Align::Left;
        } else if (word == "qr") {
            st.align = Align::Right;
        } else if (word == "qc") {
            st.align = Align::Center;
        } else if (word == "qj") {
            st.align = Align::Justify;
        } else if (word == "f") {
            st.font = hasParameter ? parameter : -1;
        } else if (word == "fs") {
            st.halfPoints = hasParameter && parameter > 0 ? std::min(parameter, kMaxHalfPoints)
                                                          : kDefaultHalfPoints;
        } else if (word == "b") {
            st.bold = on;
        } else if (word == "i") {
            st.italic = on;
        } else if (word == "ul") {
            st.underline = on;
        } else if (word == "ulnone") {
            st.underline = false;
        } else if (word == "cf") {
            st.color = std::max(0, parameter);
        } else if (word == "deff") {
            defaultFont_ = parameter;
        } else if (word == "uc") {
            st.unicodeSkip = std::clamp(parameter, 0, kMaxUnicodeSkip);
        } else if (word == "u" && hasParameter) {
            UnicodeCharacter(parameter);
        } else if (char32_t cp = SymbolWord(word)) {
            TextCodePoint(cp);
        }
        // \rtf, \ansi, \deflang, \ltrch and every unknown word change nothing here.
    }

    // A control word at the start of a group that makes the group a
    // destination; true when it did.
    bool StartsDestination(std::string_view word, GroupState& st) {
        if (word == "fonttbl") {
            st.destination = Destination::FontTable;
            fontEntry_.reset();
        } else if (word == "colortbl") {
            st.destination = Destination::ColorTable;
            colorEntry_ = ColorEntry{};
        } else if (IsSkippedDestination(word)) {
            st.destination = Destination::Skip;
        } else {
            return false;
        }
        return true;
    }

    void SkipBinary(int count) {
        std::size_t n = std::size_t(std::max(0, count));
        pos_ += std::min(n, src_.size() - pos_);
    }

    void UnicodeCharacter(int value) {
        // Parameters are signed 16-bit: negative values stand for 32768..65535.
        char32_t unit = value < 0 ? char32_t(value + 65536) : char32_t(value);
        if (unit >= 0xD800 && unit <= 0xDBFF) {
            highSurrogate_ = unit;
        } else if (unit >= 0xDC00 && unit <= 0xDFFF) {
            if (highSurrogate_ != 0) {
                TextCodePoint(0x10000 + ((highSurrogate_ - 0xD800) << 10) + (unit - 0xDC00));
            } else {
                TextCodePoint(U'\uFFFD');
            }
            highSurrogate_ = 0;
        } else if (unit <= 0x10FFFF) {
            TextCodePoint(unit == 0 ? U'\uFFFD' : unit);
            highSurrogate_ = 0;
        }
        unicodeSkipLeft_ = State().unicodeSkip;
    }

    // The characters after \uN that stand in for it in older readers.
    bool CountSkippedCharacter() {
        if (unicodeSkipLeft_ == 0) return false;
        --unicodeSkipLeft_;
        return true;
    }

    // -- font and colour tables --------------------------------------------

    void FontTableWord(std::string_view word, int parameter) {
        if (word == "f") {
            FinishFontEntry();
            fontEntry_ = FontEntry{parameter, {}};
        }
        // \fswiss, \fcharset, \fprq ...: every 8-bit byte is code page 1250 here.
    }

    void FontTableByte(char c) {
        if (!fontEntry_) return;
        if (c == ';') {
            FinishFontEntry();
        } else {
            fontEntry_->nameBytes += c;
        }
    }

    void FinishFontEntry() {
        if (!fontEntry_) return;
        String name = Trim(Cp1250ToUtf8(fontEntry_->nameBytes));
        if (!name.empty()) fonts_[fontEntry_->number] = name;
        fontEntry_.reset();
    }

    void ColorTableWord(std::string_view word, int parameter) {
        int value = std::clamp(parameter, 0, 255);
        if (word == "red") {
            colorEntry_.red = value;
        } else if (word == "green") {
            colorEntry_.green = value;
        } else if (word == "blue") {
            colorEntry_.blue = value;
        } else {
            return;
        }
        colorEntry_.automatic = false;
    }

    void ColorTableByte(char c) {
        if (c != ';') return;
        colors_.push_back(colorEntry_);
        colorEntry_ = ColorEntry{};
    }

    // -- text --------------------------------------------------------------

    void TextByte(char c) {
        groupStart_ = false;
        switch (State().destination) {
            case Destination::Skip: return;
            case Destination::FontTable: FontTableByte(c); return;
            case Destination::ColorTable: ColorTableByte(c); return;
            case Destination::Text: break;
        }
        if (CountSkippedCharacter()) return;
        unsigned char byte = static_cast<unsigned char>(c);
        if (byte == '\t') {
            TextCodePoint(U'\t');
        } else if (byte >= 0x20) {
            AppendToRun(Cp1250ToUtf8(std::string_view(&c, 1)));
        }
        // Other control bytes are not text.
    }

    void TextCodePoint(char32_t cp) {
        groupStart_ = false;
        if (stack_.empty() || State().destination != Destination::Text) return;
        String utf8;
        AppendUtf8(utf8, cp);
        AppendToRun(utf8);
    }

    Run CurrentFormat() {
        const GroupState& st = State();
        Run run;
        auto font = fonts_.find(st.font >= 0 ? st.font : defaultFont_);
        if (font == fonts_.end()) font = fonts_.find(defaultFont_);
        if (font != fonts_.end()) run.fontName = font->second;
        run.halfPoints = st.halfPoints;
        run.bold = st.bold;
        run.italic = st.italic;
        run.underline = st.underline;
        if (st.color > 0 && st.color < int(colors_.size()) && !colors_[std::size_t(st.color)].automatic) {
            const ColorEntry& c = colors_[std::size_t(st.color)];
            run.color = RGBColor(c.red, c.green, c.blue);
        }
        return run;
    }

    static bool SameFormat(const Run& a, const Run& b) {
        return std::tie(a.fontName, a.halfPoints, a.bold, a.italic, a.underline, a.color) ==
               std::tie(b.fontName, b.halfPoints, b.bold, b.italic, b.underline, b.color);
    }

    void AppendToRun(const String& utf8) {
        Run format = CurrentFormat();
        std::vector<Run>& runs = paragraph_.runs;
        if (runs.empty() || !SameFormat(runs.back(), format)) {
            runs.push_back(std::move(format));
        }
        runs.back().text += utf8;
    }

    void EndParagraph() {
        if (stack_.empty() || State().destination != Destination::Text) return;
        // An empty paragraph keeps one empty run: its font gives the line height.
        if (paragraph_.runs.empty()) paragraph_.runs.push_back(CurrentFormat());
        paragraph_.align = State().align;
        doc_.paragraphs.push_back(std::move(paragraph_));
        paragraph_ = Paragraph{};
    }

    // Text after the last \par that is not empty is a paragraph of its own.
    void EndOfDocument() {
        bool hasText = std::any_of(paragraph_.runs.begin(), paragraph_.runs.end(),
                                   [](const Run& r) { return !r.text.empty(); });
        if (!hasText) return;
        paragraph_.align = State().align;
        doc_.paragraphs.push_back(std::move(paragraph_));
        paragraph_ = Paragraph{};
    }

    std::string_view src_;
    std::size_t pos_ = 0;
    bool finished_ = false;
    bool groupStart_ = false;  // the last token opened a group
    std::vector<GroupState> stack_;
    int overflowDepth_ = 0;
    int unicodeSkipLeft_ = 0;
    char32_t highSurrogate_ = 0;

    int defaultFont_ = 0;
    std::map<int, String> fonts_;
    std::optional<FontEntry> fontEntry_;
    std::vector<ColorEntry> colors_;
    ColorEntry colorEntry_;

    Paragraph paragraph_;
    Document doc_;
};

// ---------------------------------------------------------------------------
// Layout

constexpr int kMargin = 1;     // inside the box, left, right and top
constexpr int kTabStep = 48;   // tab stops every half inch at 96 pixels per inch

// Font height in pixels for a size in half points at 96 pixels per inch,
// negative for the character height.
int FontHeight(int halfPoints) { return -((2 * std::max(1, halfPoints) + 1) / 3); }

// The font of a line in a paragraph that has no runs at all.
const Run kFallbackRun{};

// Sets the canvas font to a run's and measures with it.
class Measurer {
public:
    explicit Measurer(TCanvas& canvas) : canvas_(canvas) {}

    void Select(const Run& run) {
        canvas_.Font.Name = run.fontName;
        canvas_.Font.SetHeight(FontHeight(run.halfPoints));
        canvas_.Font.Style = TFontStyles((run.bold ? fsBold : 0) | (run.italic ? fsItalic : 0) |
                                         (run.underline ? fsUnderline : 0));
        canvas_.Font.Color = run.color;
    }

    int Width(const Run& run, const String& text) {
        Select(run);
        return canvas_.TextWidth(text);
    }

    int Height(const Run& run) {
        auto found = heights_.find(&run);
        if (found != heights_.end()) return found->second;
        Select(run);
        int h = canvas_.TextHeight("Ag");
        heights_.emplace(&run, h);
        return h;
    }

    TCanvas& Canvas() { return canvas_; }

private:
    TCanvas& canvas_;
    std::map<const Run*, int> heights_;
};

// Part of a word in one run's format.
struct Piece {
    const Run* run = nullptr;
    String text;
    int width = 0;
};

struct Word {
    std::vector<Piece> pieces;
    int width = 0;
    int gapBefore = 0;  // the spaces or tab before it on its line
};

struct Line {
    std::vector<Word> words;
    int width = 0;
    int height = 0;
    bool stretch = false;  // justified and ended by wrapping
};

// Lays one paragraph out in lines of at most `width` pixels, stopping once
// the lines fill `maxHeight`.
class ParagraphLayout {
public:
    ParagraphLayout(Measurer& measure, const Paragraph& paragraph, int width, int maxHeight)
        : measure_(measure), width_(width), maxHeight_(maxHeight),
          justify_(paragraph.align == Align::Justify) {
        heightRun_ = paragraph.runs.empty() ? &kFallbackRun : &paragraph.runs.front();
        for (const Run& run : paragraph.runs) {
            AddRun(run);
            if (Full()) break;
        }
        PlaceWord();
        FinishLine(false);
    }

    std::vector<Line>& Lines() { return lines_; }

private:
    bool Full() const { return usedHeight_ >= maxHeight_; }

    void AddRun(const Run& run) {
        std::string_view text = run.text;
        std::size_t pos = 0;
        while (pos < text.size() && !Full()) {
            std::size_t start = pos;
            char32_t cp = NextCodePoint(text, pos);
            if (cp == U' ' || cp == U'\t' || cp == U'\n') {
                PlaceWord();
                heightRun_ = &run;
                if (cp == U' ') {
                    pendingGap_ += measure_.Width(run, " ");
                } else if (cp == U'\t') {
                    int at = x_ + pendingGap_;
                    pendingGap_ += (at / kTabStep + 1) * kTabStep - at;
                } else {
                    FinishLine(false);
                }
                continue;
            }
            if (word_.pieces.empty() || word_.pieces.back().run != &run) {
                word_.pieces.push_back(Piece{&run, {}, 0});
            }
            word_.pieces.back().text.append(text.substr(start, pos - start));
        }
    }

    void PlaceWord() {
        if (word_.pieces.empty()) return;
        Word word = std::move(word_);
        word_ = Word{};
        Remeasure(word);
        if (!line_.words.empty() && x_ + pendingGap_ + word.width > width_) {
            FinishLine(justify_);
        }
        // A word wider than the box is broken at its edge.
        while (x_ + pendingGap_ + word.width > width_ && !Full()) {
            Word head = TakeFittingHead(word, width_ - x_ - pendingGap_);
            if (word.pieces.empty()) {
                word = std::move(head);
                break;
            }
            Append(std::move(head));
            FinishLine(false);
        }
        Append(std::move(word));
    }

    void Append(Word word) {
        word.gapBefore = pendingGap_;
        x_ += pendingGap_ + word.width;
        pendingGap_ = 0;
        for (const Piece& p : word.pieces) {
            line_.height = std::max(line_.height, measure_.Height(*p.run));
        }
        line_.words.push_back(std::move(word));
    }

    void FinishLine(bool stretch) {
        if (Full()) return;
        line_.width = x_;
        line_.stretch = stretch;
        if (line_.words.empty()) line_.height = measure_.Height(*heightRun_);
        usedHeight_ += line_.height;
        lines_.push_back(std::move(line_));
        line_ = Line{};
        x_ = 0;
        pendingGap_ = 0;  // spaces at a wrap are not shown
    }

    void Remeasure(Word& word) {
        word.width = 0;
        for (Piece& p : word.pieces) {
            p.width = measure_.Width(*p.run, p.text);
            word.width += p.width;
        }
    }

    // Splits off the longest head of `word` no wider than `room`, at least
    // one character; `word` keeps the rest.
    Word TakeFittingHead(Word& word, int room) {
        Word head;
        int used = 0;
        std::size_t pieceIndex = 0;
        std::size_t pos = 0;
        while (pieceIndex < word.pieces.size()) {
            Piece& piece = word.pieces[pieceIndex];
            std::string_view text = piece.text;
            std::size_t next = pos;
            NextCodePoint(text, next);
            String character(text.substr(pos, next - pos));
            int w = measure_.Width(*piece.run, character);
            if (used + w > room && !head.pieces.empty()) break;
            used += w;
            if (head.pieces.empty() || head.pieces.back().run != piece.run) {
                head.pieces.push_back(Piece{piece.run, {}, 0});
            }
            head.pieces.back().text += character;
            pos = next;
            if (pos >= text.size()) {
                ++pieceIndex;
                pos = 0;
            }
        }
        std::vector<Piece> rest;
        if (pieceIndex < word.pieces.size()) {
            Piece first = word.pieces[pieceIndex];
            first.text.erase(0, pos);
            rest.push_back(std::move(first));
            rest.insert(rest.end(), word.pieces.begin() + std::ptrdiff_t(pieceIndex) + 1,
                        word.pieces.end());
        }
        word.pieces = std::move(rest);
        Remeasure(word);
        Remeasure(head);
        return head;
    }

    Measurer& measure_;
    const int width_;
    const int maxHeight_;
    const bool justify_;
    const Run* heightRun_ = nullptr;  // the font of a line without words

    std::vector<Line> lines_;
    Line line_;
    Word word_;
    int x_ = 0;
    int pendingGap_ = 0;
    int usedHeight_ = 0;
};

void DrawLine(Measurer& measure, const Line& line, Align align, int left, int top, int width) {
    int spare = std::max(0, width - line.width);
    int x = left;
    if (align == Align::Right) x += spare;
    if (align == Align::Center) x += spare / 2;
    int gaps = int(line.words.size()) - 1;
    bool stretch = align == Align::Justify && line.stretch && gaps > 0;

    for (std::size_t i = 0; i < line.words.size(); ++i) {
        const Word& word = line.words[i];
        x += word.gapBefore;
        if (stretch && i > 0) {
            // Gap i of n takes its share of the spare width, rounding spread out.
            int n = int(i);
            x += spare * n / gaps - spare * (n - 1) / gaps;
        }
        for (const Piece& piece : word.pieces) {
            int y = top + line.height - measure.Height(*piece.run);
            measure.Select(*piece.run);
            measure.Canvas().TextOut(x, y, piece.text);
            x += piece.width;
        }
    }
}

TRect Intersection(const TRect& a, const TRect& b) {
    TRect r{std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
            std::min(a.Bottom, b.Bottom)};
    if (r.IsEmpty()) r = TRect{};
    return r;
}

// Keeps the canvas's font, brush and clip as the caller left them.
class CanvasStateKeeper {
public:
    explicit CanvasStateKeeper(TCanvas& canvas)
        : canvas_(canvas), brushColor_(canvas.Brush.Color), brushStyle_(canvas.Brush.Style),
          clip_(canvas.ClipRect()) {
        font_.Assign(canvas.Font);
    }
    ~CanvasStateKeeper() {
        canvas_.Font.Assign(font_);
        canvas_.Brush.Color = brushColor_;
        canvas_.Brush.Style = brushStyle_;
        Surface* target = canvas_.Target();
        TRect whole = target ? TRect{0, 0, target->width, target->height} : TRect{};
        if (clip_ == whole) {
            canvas_.ClearClip();
        } else {
            canvas_.SetClip(clip_);
        }
    }
    const TRect& Clip() const { return clip_; }

private:
    TCanvas& canvas_;
    TFont font_;
    TColor brushColor_;
    TBrushStyle brushStyle_;
    TRect clip_;
};

}  // namespace

Document Parse(std::string_view rtf) { return Parser(rtf).Read(); }

Document FromPlainText(const String& utf8, const String& fontName, int halfPoints) {
    Document doc;
    std::size_t start = 0;
    while (start < utf8.size()) {
        std::size_t end = utf8.find_first_of("\r\n", start);
        if (end == String::npos) end = utf8.size();
        Run run;
        run.text = utf8.substr(start, end - start);
        run.fontName = fontName;
        run.halfPoints = halfPoints;
        doc.paragraphs.push_back(Paragraph{{std::move(run)}, Align::Left});
        if (end + 1 < utf8.size() && utf8[end] == '\r' && utf8[end + 1] == '\n') ++end;
        start = end + 1;
    }
    return doc;
}

void Render(const Document& doc, TCanvas& canvas, const TRect& bounds, TColor background) {
    CanvasStateKeeper keeper(canvas);
    canvas.Brush.Color = background;
    canvas.Brush.Style = TBrushStyle::bsSolid;
    canvas.FillRect(bounds);
    if (bounds.IsEmpty()) return;

    TRect onSurface{bounds.Left + canvas.Origin.X, bounds.Top + canvas.Origin.Y,
                    bounds.Right + canvas.Origin.X, bounds.Bottom + canvas.Origin.Y};
    canvas.SetClip(Intersection(keeper.Clip(), onSurface));
    canvas.Brush.Style = TBrushStyle::bsClear;

    Measurer measure(canvas);
    int left = bounds.Left + kMargin;
    int width = std::max(1, bounds.Width() - 2 * kMargin);
    int y = bounds.Top + kMargin;
    for (const Paragraph& paragraph : doc.paragraphs) {
        if (y >= bounds.Bottom) break;
        ParagraphLayout layout(measure, paragraph, width, bounds.Bottom - y);
        for (const Line& line : layout.Lines()) {
            DrawLine(measure, line, paragraph.align, left, y, width);
            y += line.height;
        }
    }
}

}  // namespace richtext
