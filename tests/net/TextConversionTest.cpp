#include "net/LocalCodePage.h"
#include "net/TextConversion.h"

#include <gtest/gtest.h>

#include <string>

// The same GBK bytes are expected in both builds: the native one converts with
// iconv's GBK, the Windows one with code page 936.

TEST(DecodeUtf8Char, ConsumesOneSequenceAndStopsBeforeForeignBytes) {
  const char* text = "\xE5\xA4\xA9" "a";
  const char* cursor = text;
  EXPECT_EQ(DecodeUtf8Char(cursor), 0x5929u);
  EXPECT_EQ(cursor, text + 3);

  const char* stray = "\x85\xA0";  // a continuation byte first: read as a lead byte
  cursor = stray;
  EXPECT_EQ(DecodeUtf8Char(cursor), 0x160u);
  EXPECT_EQ(cursor, stray + 2);

  const char* cut = "\xE4" "A";
  cursor = cut;
  EXPECT_EQ(DecodeUtf8Char(cursor), kUtf8Error);
  EXPECT_EQ(cursor, cut + 1);  // the A is left for the next call

  const char* atEnd = "\xE4\xB8";
  cursor = atEnd;
  EXPECT_EQ(DecodeUtf8Char(cursor), kUtf8Error);
  EXPECT_EQ(cursor, atEnd + 2);  // stops on the terminator

  const char* invalid = "\xF8\x80";
  cursor = invalid;
  EXPECT_EQ(DecodeUtf8Char(cursor), kUtf8Error);
  EXPECT_EQ(cursor, invalid + 1);

  const char* four = "\xF0\x9F\x98\x80";
  cursor = four;
  EXPECT_EQ(DecodeUtf8Char(cursor), 0x1F600u);
  EXPECT_EQ(cursor, four + 4);
}

TEST(Utf8ToLocal, ConvertsCharactersToGbk) {
  EXPECT_EQ(Utf8ToLocal(""), "");
  std::string ascii;
  for (int c = 1; c < 0x80; ++c) ascii += static_cast<char>(c);
  EXPECT_EQ(Utf8ToLocal(ascii.c_str()), ascii);
  EXPECT_EQ(Utf8ToLocal("\xE5\xA4\xA9"), "\xCC\xEC");                                  // 天
  EXPECT_EQ(Utf8ToLocal("<b>\xE6\x95\xB4\xE7\xA7\x9F</b>"), "<b>\xD5\xFB\xD7\xE2</b>");  // 整租
  EXPECT_EQ(Utf8ToLocal("\xC2\xB7"), "\xA1\xA4");                                       // middle dot
}

TEST(Utf8ToLocal, EachUnusableSequenceBecomesOneQuestionMark) {
  EXPECT_EQ(Utf8ToLocal("a\xF0\x9F\x98\x80z"), "a?z");  // above U+FFFF
  EXPECT_EQ(Utf8ToLocal("\xFF" "A"), "?A");
  EXPECT_EQ(Utf8ToLocal("\xE4" "A"), "?A");
  EXPECT_EQ(Utf8ToLocal("x\xE4"), "x?");
  EXPECT_EQ(Utf8ToLocal("\xE0\xB8\x81"), "?");  // Thai ko kai: not in GBK
  EXPECT_EQ(Utf8ToLocal("\xED\xA0\x80"), "?");  // a lone surrogate
  EXPECT_EQ(Utf8ToLocal("\x85\xA0"), Utf8ToLocal("\xC5\xA0"));
}

TEST(LocalToUtf8, ConvertsGbkToUtf8) {
  EXPECT_EQ(LocalToUtf8(""), "");
  EXPECT_EQ(LocalToUtf8("ab 1/"), "ab 1/");
  EXPECT_EQ(LocalToUtf8("\xCC\xEC"), "\xE5\xA4\xA9");
  EXPECT_EQ(LocalToUtf8("\xD0\xA1\xC7\xF8" "1"), "\xE5\xB0\x8F\xE5\x8C\xBA" "1");  // 小区1
  EXPECT_EQ(Utf8ToLocal(LocalToUtf8("\xB1\xB1\xBE\xA9\xD1\xCC\xCC\xA8").c_str()), "\xB1\xB1\xBE\xA9\xD1\xCC\xCC\xA8");
}

TEST(LocalToUtf8, SingleByteEuroSignsGrowThreefold) {
  EXPECT_EQ(LocalToUtf8("\x80"), "\xE2\x82\xAC");
  EXPECT_EQ(Utf8ToLocal("\xE2\x82\xAC"), "\x80");
  std::string euros;
  for (int i = 0; i < 50; ++i) euros += "\xE2\x82\xAC";
  EXPECT_EQ(LocalToUtf8(std::string(50, '\x80').c_str()), euros);
}

// Utf8ToLocal answers from a table made once; for every unit it must give
// what asking the system for that one unit gives.
TEST(Utf8ToLocal, EveryUnitConvertsAsTheSystemConvertsIt) {
  for (uint32_t unit = 0x80; unit <= 0xFFFF; ++unit) {
    std::string utf8;
    if (unit < 0x800) {
      utf8 += static_cast<char>(0xC0 | (unit >> 6));
    } else {
      utf8 += static_cast<char>(0xE0 | (unit >> 12));
      utf8 += static_cast<char>(0x80 | ((unit >> 6) & 0x3F));
    }
    utf8 += static_cast<char>(0x80 | (unit & 0x3F));
    char bytes[2];
    int count = ConvertUnitToLocal(static_cast<char16_t>(unit), bytes);
    std::string expected = count > 0 ? std::string(bytes, static_cast<std::size_t>(count)) : "?";
    ASSERT_EQ(Utf8ToLocal(utf8.c_str()), expected) << "unit " << unit;
  }
}
