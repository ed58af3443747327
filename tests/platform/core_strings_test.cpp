#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/core/exceptions.h"
#include "platform/core/strings.h"

namespace {

// Every Czech letter with its code page 1250 byte.
struct Cp1250Letter {
    const char* utf8;
    unsigned char byte;
};

const std::vector<Cp1250Letter> kCzechLetters = {
    {"á", 0xE1}, {"č", 0xE8}, {"ď", 0xEF}, {"é", 0xE9}, {"ě", 0xEC}, {"í", 0xED}, {"ň", 0xF2}, {"ó", 0xF3},
    {"ř", 0xF8}, {"š", 0x9A}, {"ť", 0x9D}, {"ú", 0xFA}, {"ů", 0xF9}, {"ý", 0xFD}, {"ž", 0x9E},
    {"Á", 0xC1}, {"Č", 0xC8}, {"Ď", 0xCF}, {"É", 0xC9}, {"Ě", 0xCC}, {"Í", 0xCD}, {"Ň", 0xD2}, {"Ó", 0xD3},
    {"Ř", 0xD8}, {"Š", 0x8A}, {"Ť", 0x8D}, {"Ú", 0xDA}, {"Ů", 0xD9}, {"Ý", 0xDD}, {"Ž", 0x8E},
};

const std::string kUndefinedBytes = "\x81\x83\x88\x90\x98";

TEST(CoreCp1250, CzechLettersBothWays) {
    for (const auto& letter : kCzechLetters) {
        const std::string byte(1, char(letter.byte));
        EXPECT_EQ(Cp1250ToUtf8(byte), letter.utf8) << int(letter.byte);
        EXPECT_EQ(Utf8ToCp1250(letter.utf8), byte) << letter.utf8;
    }
    EXPECT_EQ(Utf8ToCp1250("Příliš žluťoučký kůň úpěl ďábelské ódy"),
              "P\xF8\xEDli\x9A \x9Elu\x9Dou\xE8k\xFD k\xF9\xF2 \xFAp\xECl \xEF\xE1\x62\x65lsk\xE9 \xF3\x64y");
}

TEST(CoreCp1250, EveryDefinedByteRoundTrips) {
    for (int b = 1; b < 256; ++b) {
        const std::string byte(1, char(b));
        if (kUndefinedBytes.find(char(b)) != std::string::npos) continue;
        const std::string text = Cp1250ToUtf8(byte);
        EXPECT_NE(text, "\xEF\xBF\xBD") << b;
        EXPECT_EQ(Utf8ToCp1250(text), byte) << b;
    }
}

TEST(CoreCp1250, UndefinedBytesDecodeToReplacementAndNothingEncodesToThem) {
    for (char b : kUndefinedBytes) EXPECT_EQ(Cp1250ToUtf8(std::string(1, b)), "\xEF\xBF\xBD") << int(Byte(b));

    // No code point of the Basic Multilingual Plane encodes to an undefined byte.
    for (char32_t cp = 0x80; cp < 0x10000; ++cp) {
        if (cp >= 0xD800 && cp <= 0xDFFF) continue;
        std::string text;
        AppendUtf8(text, cp);
        const std::string encoded = Utf8ToCp1250(text);
        ASSERT_EQ(encoded.size(), 1u);
        ASSERT_EQ(kUndefinedBytes.find(encoded[0]), std::string::npos) << std::hex << unsigned(cp);
    }
}

TEST(CoreCp1250, UnencodableAndMalformedBecomeQuestionMarks) {
    EXPECT_EQ(Utf8ToCp1250("a€b"), "a\x80" "b");
    EXPECT_EQ(Utf8ToCp1250("a\xE2\x82"), "a??");            // a sequence cut short
    EXPECT_EQ(Utf8ToCp1250("\xC0\xAF"), "??");               // an overlong slash
    EXPECT_EQ(Utf8ToCp1250("\xED\xA0\x80"), "???");          // a surrogate
    EXPECT_EQ(Utf8ToCp1250("日本 \xF0\x9F\x98\x80"), "?? ?");  // no place in the code page
    EXPECT_EQ(Utf8ToCp1250("\xEF\xBF\xBD"), "?");
}

TEST(CoreUtf8, DecodeAdvancesPastEachCodePoint) {
    const std::string text = "a\xC3\xA1\xE2\x82\xAC\xF0\x9F\x98\x80\xFF";
    std::vector<std::pair<char32_t, std::size_t>> seen;
    std::size_t pos = 0;
    while (pos < text.size()) {
        char32_t cp = NextCodePoint(text, pos);
        seen.emplace_back(cp, pos);
    }
    const std::vector<std::pair<char32_t, std::size_t>> expected = {
        {U'a', 1}, {0xE1, 3}, {0x20AC, 6}, {0x1F600, 10}, {0xFFFD, 11}};
    EXPECT_EQ(seen, expected);
}

TEST(CoreStrToInt, ValidAndInvalidText) {
    struct Case {
        const char* text;
        bool valid;
        int value;
    };
    const Case cases[] = {
        {"0", true, 0},
        {"42", true, 42},
        {"-17", true, -17},
        {"+5", true, 5},
        {"   12", true, 12},
        {"\t7", true, 7},
        {"007", true, 7},
        {"$1F", true, 31},
        {"$ff", true, 255},
        {"0x10", true, 16},
        {"0XaB", true, 171},
        {"-$10", true, -16},
        {"$FFFFFFFF", true, -1},
        {"2147483647", true, 2147483647},
        {"-2147483648", true, -2147483647 - 1},
        {"", false, 0},
        {"   ", false, 0},
        {"-", false, 0},
        {"$", false, 0},
        {"0x", false, 0},
        {"abc", false, 0},
        {"12 ", false, 0},
        {"12a", false, 0},
        {"1 2", false, 0},
        {"1.5", false, 0},
        {"--1", false, 0},
        {"2147483648", false, 0},
        {"-2147483649", false, 0},
        {"99999999999999999999", false, 0},
        {"$100000000", false, 0},
        {"$G", false, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        if (c.valid) {
            EXPECT_EQ(StrToInt(c.text), c.value);
            EXPECT_EQ(StrToIntDef(c.text, 99), c.value);
        } else {
            EXPECT_THROW(StrToInt(c.text), EConvertError);
            EXPECT_EQ(StrToIntDef(c.text, 99), 99);
        }
    }
}

TEST(CoreStrToInt, ErrorMessageQuotesTheText) {
    try {
        StrToInt("abc");
        FAIL() << "no exception";
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message, "'abc' is not a valid integer value");
    }
}

TEST(CoreText, IntToStrAndTrim) {
    EXPECT_EQ(IntToStr(0), "0");
    EXPECT_EQ(IntToStr(-2147483648LL), "-2147483648");
    EXPECT_EQ(IntToStr(1234567890123LL), "1234567890123");

    EXPECT_EQ(Trim("  a b \t\r\n"), "a b");
    EXPECT_EQ(Trim(std::string("\x01 x\x1F", 4)), "x");
    EXPECT_EQ(Trim(" \t "), "");
    EXPECT_EQ(Trim("žluť "), "žluť");  // bytes of letters are not blanks
}

TEST(CoreText, UpperCaseAsciiOnlyAnsiUpperCaseEveryLetter) {
    EXPECT_EQ(UpperCase("abc čř xyz"), "ABC čř XYZ");
    EXPECT_EQ(AnsiUpperCase("příliš žluťoučký kůň ďábel ňó ěé"), "PŘÍLIŠ ŽLUŤOUČKÝ KŮŇ ĎÁBEL ŇÓ ĚÉ");
    EXPECT_EQ(AnsiLowerCase("PŘÍLIŠ ŽLUŤOUČKÝ KŮŇ ĎÁBEL ŇÓ ĚÉ"), "příliš žluťoučký kůň ďábel ňó ěé");
    // Other letters of the code page, and characters without a case.
    EXPECT_EQ(AnsiUpperCase("łąşľżźśćęńőűţŕĺăîâôöüäçë"), "ŁĄŞĽŻŹŚĆĘŃŐŰŢŔĹĂÎÂÔÖÜÄÇË");
    EXPECT_EQ(AnsiUpperCase("ß µ ÷ 1 € \xFF"), "ß µ ÷ 1 € \xFF");
}

TEST(CoreText, CompareIgnoresCaseOfEveryLetter) {
    for (const auto& letter : kCzechLetters) {
        const String lower = AnsiLowerCase(letter.utf8);
        const String upper = AnsiUpperCase(letter.utf8);
        EXPECT_NE(lower, upper) << letter.utf8;
        EXPECT_TRUE(SameText(lower, upper)) << letter.utf8;
    }
    EXPECT_TRUE(SameText("[Hasič]", "[HASIČ]"));
    EXPECT_EQ(AnsiCompareText("Žába", "žÁBA"), 0);
    EXPECT_LT(AnsiCompareText("abc", "ABD"), 0);
    EXPECT_GT(AnsiCompareText("abcd", "ABC"), 0);
    EXPECT_LT(AnsiCompareText("", "a"), 0);
    EXPECT_FALSE(SameText("hasic", "hasič"));
    EXPECT_FALSE(SameText("e", "é"));
    EXPECT_FALSE(SameText("\xFE", "\xFF"));  // different malformed bytes stay different
}

TEST(CoreText, PosIsOneBasedAndZeroWhenAbsent) {
    EXPECT_EQ(Pos("b", "abc"), 2);
    EXPECT_EQ(Pos("abc", "abc"), 1);
    EXPECT_EQ(Pos("c", "abcabc"), 3);
    EXPECT_EQ(Pos("x", "abc"), 0);
    EXPECT_EQ(Pos("", "abc"), 0);
    EXPECT_EQ(Pos("abcd", "abc"), 0);
}

}  // namespace
