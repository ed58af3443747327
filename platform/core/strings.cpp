#include "platform/core/strings.h"

#include <array>
#include <cstdint>

#include "platform/core/exceptions.h"

namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Code page 1250, bytes 0x80..0xFF. The five bytes without a character
// decode to U+FFFD, and no character encodes to them.
constexpr std::array<char16_t, 128> kCp1250High = {
    0x20AC, 0xFFFD, 0x201A, 0xFFFD, 0x201E, 0x2026, 0x2020, 0x2021,  // 80
    0xFFFD, 0x2030, 0x0160, 0x2039, 0x015A, 0x0164, 0x017D, 0x0179,  // 88
    0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90
    0xFFFD, 0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A,  // 98
    0x00A0, 0x02C7, 0x02D8, 0x0141, 0x00A4, 0x0104, 0x00A6, 0x00A7,  // A0
    0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B,  // A8
    0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7,  // B0
    0x00B8, 0x0105, 0x015F, 0x00BB, 0x013D, 0x02DD, 0x013E, 0x017C,  // B8
    0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7,  // C0
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E,  // C8
    0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7,  // D0
    0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF,  // D8
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7,  // E0
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F,  // E8
    0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7,  // F0
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,  // F8
};

// Every character of the table lies below this code point.
constexpr char32_t kReverseLimit = 0x2200;

// Code point -> code page 1250 byte; 0 where the code point has no byte.
const std::array<Byte, kReverseLimit>& ReverseTable() {
    static const auto table = [] {
        std::array<Byte, kReverseLimit> t{};
        for (int i = 0; i < 0x80; ++i) t[std::size_t(i)] = Byte(i);
        for (std::size_t i = 0; i < kCp1250High.size(); ++i) {
            char32_t cp = kCp1250High[i];
            if (cp != kReplacement) t[cp] = Byte(0x80 + i);
        }
        return t;
    }();
    return table;
}

// The code page 1250 byte of a code point, or -1.
int Cp1250Byte(char32_t cp) {
    if (cp < 0x80) return int(cp);
    if (cp >= kReverseLimit) return -1;
    Byte b = ReverseTable()[cp];
    return b == 0 ? -1 : b;
}

char32_t Cp1250CodePoint(Byte b) { return b < 0x80 ? char32_t(b) : char32_t(kCp1250High[b - 0x80]); }

// Capital and small letters of code page 1250, as bytes.
Byte UpperByte(Byte b) {
    if (b >= 'a' && b <= 'z') return Byte(b - 0x20);
    switch (b) {
        case 0x9A: case 0x9C: case 0x9D: case 0x9E: case 0x9F: return Byte(b - 0x10);
        case 0xB3: return 0xA3;
        case 0xB9: return 0xA5;
        case 0xBA: return 0xAA;
        case 0xBE: return 0xBC;
        case 0xBF: return 0xAF;
        default: break;
    }
    if (b >= 0xE0 && b <= 0xFE && b != 0xF7) return Byte(b - 0x20);
    return b;
}

Byte LowerByte(Byte b) {
    if (b >= 'A' && b <= 'Z') return Byte(b + 0x20);
    switch (b) {
        case 0x8A: case 0x8C: case 0x8D: case 0x8E: case 0x8F: return Byte(b + 0x10);
        case 0xA3: return 0xB3;
        case 0xA5: return 0xB9;
        case 0xAA: return 0xBA;
        case 0xBC: return 0xBE;
        case 0xAF: return 0xBF;
        default: break;
    }
    if (b >= 0xC0 && b <= 0xDE && b != 0xD7) return Byte(b + 0x20);
    return b;
}

char32_t MapThroughCp1250(char32_t cp, Byte (*mapByte)(Byte)) {
    int b = Cp1250Byte(cp);
    return b < 0 ? cp : Cp1250CodePoint(mapByte(Byte(b)));
}

// Applies a code point mapping to UTF-8 text; malformed bytes are copied unchanged.
String MapCodePoints(const String& s, char32_t (*map)(char32_t)) {
    String out;
    out.reserve(s.size());
    std::size_t pos = 0;
    while (pos < s.size()) {
        std::size_t start = pos;
        char32_t cp = NextCodePoint(s, pos);
        if (cp == kReplacement && pos - start == 1)
            out += s[start];
        else
            AppendUtf8(out, map(cp));
    }
    return out;
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Parses as the class library's StrToInt; false on any fault.
// Hex takes the full 32 bits (so "$FFFFFFFF" is -1), decimal the int range.
bool TryStrToInt(const String& s, int& value) {
    std::size_t i = 0;
    while (i < s.size() && IsBlank(s[i])) ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        negative = s[i] == '-';
        ++i;
    }
    bool hex = false;
    if (i < s.size() && s[i] == '$') {
        hex = true;
        ++i;
    } else if (i + 1 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
        hex = true;
        i += 2;
    }
    if (i == s.size()) return false;

    std::uint64_t magnitude = 0;
    const std::uint64_t limit = hex ? 0xFFFFFFFFull : (negative ? 0x80000000ull : 0x7FFFFFFFull);
    for (; i < s.size(); ++i) {
        int digit = hex ? HexDigit(s[i]) : (s[i] >= '0' && s[i] <= '9' ? s[i] - '0' : -1);
        if (digit < 0) return false;
        magnitude = magnitude * (hex ? 16 : 10) + std::uint64_t(digit);
        if (magnitude > limit) return false;
    }
    std::uint32_t bits = std::uint32_t(magnitude);
    if (negative) bits = 0u - bits;
    value = std::int32_t(bits);
    return true;
}

}  // namespace

char32_t NextCodePoint(std::string_view text, std::size_t& pos) {
    const auto lead = Byte(text[pos]);
    if (lead < 0x80) {
        ++pos;
        return lead;
    }
    int length = 0;
    char32_t cp = 0;
    char32_t minimum = 0;
    if ((lead & 0xE0) == 0xC0) {
        length = 2, cp = lead & 0x1F, minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, cp = lead & 0x0F, minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, cp = lead & 0x07, minimum = 0x10000;
    } else {
        ++pos;
        return kReplacement;
    }
    if (pos + std::size_t(length) > text.size()) {
        ++pos;
        return kReplacement;
    }
    for (int k = 1; k < length; ++k) {
        const auto next = Byte(text[pos + std::size_t(k)]);
        if ((next & 0xC0) != 0x80) {
            ++pos;
            return kReplacement;
        }
        cp = (cp << 6) | (next & 0x3F);
    }
    if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        ++pos;
        return kReplacement;
    }
    pos += std::size_t(length);
    return cp;
}

void AppendUtf8(String& out, char32_t cp) {
    if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) cp = kReplacement;
    if (cp < 0x80) {
        out += char(cp);
    } else if (cp < 0x800) {
        out += char(0xC0 | (cp >> 6));
        out += char(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += char(0xE0 | (cp >> 12));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    } else {
        out += char(0xF0 | (cp >> 18));
        out += char(0x80 | ((cp >> 12) & 0x3F));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    }
}

String Cp1250ToUtf8(std::string_view bytes) {
    String out;
    out.reserve(bytes.size());
    for (char c : bytes) AppendUtf8(out, Cp1250CodePoint(Byte(c)));
    return out;
}

std::string Utf8ToCp1250(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    std::size_t pos = 0;
    while (pos < text.size()) {
        int b = Cp1250Byte(NextCodePoint(text, pos));
        out += b < 0 ? '?' : char(b);
    }
    return out;
}

int StrToInt(const String& s) {
    int value = 0;
    if (!TryStrToInt(s, value)) throw EConvertError("'" + s + "' is not a valid integer value");
    return value;
}

int StrToIntDef(const String& s, int def) {
    int value = 0;
    return TryStrToInt(s, value) ? value : def;
}

String IntToStr(long long value) { return std::to_string(value); }

String Trim(const String& s) {
    std::size_t first = 0;
    std::size_t last = s.size();
    while (first < last && Byte(s[first]) <= ' ') ++first;
    while (last > first && Byte(s[last - 1]) <= ' ') --last;
    return s.substr(first, last - first);
}

String UpperCase(const String& s) {
    String out = s;
    for (char& c : out)
        if (c >= 'a' && c <= 'z') c = char(c - 0x20);
    return out;
}

char32_t AnsiUpperChar(char32_t cp) { return MapThroughCp1250(cp, UpperByte); }
char32_t AnsiLowerChar(char32_t cp) { return MapThroughCp1250(cp, LowerByte); }

String AnsiUpperCase(const String& s) { return MapCodePoints(s, AnsiUpperChar); }
String AnsiLowerCase(const String& s) { return MapCodePoints(s, AnsiLowerChar); }

// The capital form of the code point at pos; a malformed byte becomes a value
// above the Unicode range of its own, so different bytes never compare equal.
static char32_t NextFoldedCodePoint(const String& s, std::size_t& pos) {
    std::size_t start = pos;
    char32_t cp = NextCodePoint(s, pos);
    if (cp == kReplacement && pos - start == 1) return 0x110000 + Byte(s[start]);
    return AnsiUpperChar(cp);
}

// Compares code point by code point after capitalising; the order is that of
// the code points, which is all the program needs (equality and a stable order).
int AnsiCompareText(const String& a, const String& b) {
    std::size_t pa = 0;
    std::size_t pb = 0;
    while (pa < a.size() && pb < b.size()) {
        char32_t ca = NextFoldedCodePoint(a, pa);
        char32_t cb = NextFoldedCodePoint(b, pb);
        if (ca != cb) return ca < cb ? -1 : 1;
    }
    if (pa < a.size()) return 1;
    if (pb < b.size()) return -1;
    return 0;
}

bool SameText(const String& a, const String& b) { return AnsiCompareText(a, b) == 0; }

int Pos(const String& sub, const String& s) {
    if (sub.empty()) return 0;
    std::size_t at = s.find(sub);
    return at == String::npos ? 0 : int(at) + 1;
}

std::vector<String> SplitLines(const String& text) {
    std::vector<String> lines(1);
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            lines.emplace_back();
        } else {
            lines.back() += c;
        }
    }
    return lines;
}
