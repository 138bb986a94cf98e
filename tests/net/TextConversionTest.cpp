#include "net/TextConversion.h"

#include <gtest/gtest.h>

#include <string>

#ifdef _WIN32
#include <windows.h>
#else
#include <iconv.h>
#endif

// The same GBK bytes are expected in both builds: the native one converts with
// iconv's GBK, the Windows one with code page 936.

TEST(DecodeUtf8Char, ConsumesOneSequenceAndStopsBeforeForeignBytes) {
  const struct {
    const char* text;
    uint32_t codePoint;
    std::ptrdiff_t consumed;
  } cases[] = {{"\xE5\xA4\xA9" "a", 0x5929, 3}, {"\xF0\x9F\x98\x80", 0x1F600, 4}, {"\xC2\x80", 0x80, 2},
               {"\x85\xA0", 0x160, 2}, {"\x80\xA0", 0x20, 2},  // a continuation byte first: read as a lead byte
               {"\xE4" "A", kUtf8Error, 1},  // the A is left for the next call
               {"\xE4\xB8", kUtf8Error, 2},  // stops on the terminator
               {"\xF8\x80", kUtf8Error, 1}};
  for (const auto& c : cases) {
    const char* cursor = c.text;
    EXPECT_EQ(DecodeUtf8Char(cursor), c.codePoint) << c.text;
    EXPECT_EQ(cursor - c.text, c.consumed) << c.text;
  }
}

TEST(Utf8ToLocal, ConvertsCharactersToGbk) {
  EXPECT_EQ(Utf8ToLocal(nullptr), "");
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

TEST(LocalToUtf8, ConvertsGbkToUtf8WithRoomForThreeBytesEach) {
  EXPECT_EQ(LocalToUtf8(nullptr), "");
  EXPECT_EQ(LocalToUtf8(""), "");
  EXPECT_EQ(LocalToUtf8("ab 1/"), "ab 1/");
  EXPECT_EQ(LocalToUtf8("\xCC\xEC"), "\xE5\xA4\xA9");
  EXPECT_EQ(LocalToUtf8("b\xCC"), "b?");  // a cut-off character
  // A byte that starts no character is one "?" and the text goes on after it;
  // the Windows code page takes it with the next byte as one unknown character.
#ifdef _WIN32
  EXPECT_EQ(LocalToUtf8("a\x81 b"), "a?b");
#else
  EXPECT_EQ(LocalToUtf8("a\x81 b"), "a? b");
#endif
  EXPECT_EQ(LocalToUtf8("\xD0\xA1\xC7\xF8" "1"), "\xE5\xB0\x8F\xE5\x8C\xBA" "1");  // 小区1
  EXPECT_EQ(Utf8ToLocal(LocalToUtf8("\xB1\xB1\xBE\xA9\xD1\xCC\xCC\xA8").c_str()), "\xB1\xB1\xBE\xA9\xD1\xCC\xCC\xA8");
  // The single byte 0x80 is the euro sign: the text grows threefold.
  std::string euros;
  for (int i = 0; i < 50; ++i) euros += "\xE2\x82\xAC";
  EXPECT_EQ(LocalToUtf8(std::string(50, '\x80').c_str()), euros);
}

namespace {

// The local bytes of one UTF-16 unit as the platform's own conversion gives them; "?" for none.
std::string SystemLocalBytes(uint32_t unit) {
  char out[4];
#ifdef _WIN32
  const wchar_t wide = static_cast<wchar_t>(unit);
  const int count = WideCharToMultiByte(936, 0, &wide, 1, out, sizeof out, nullptr, nullptr);
#else
  static const iconv_t toGbk = iconv_open("GBK", "UTF-16LE");
  char in[2] = {static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)};
  char *inCursor = in, *outCursor = out;
  std::size_t inLeft = sizeof in, outLeft = sizeof out;
  iconv(toGbk, nullptr, nullptr, nullptr, nullptr);
  const int count = iconv(toGbk, &inCursor, &inLeft, &outCursor, &outLeft) == static_cast<std::size_t>(-1)
                        ? 0 : static_cast<int>(sizeof out - outLeft);
#endif
  return count > 0 ? std::string(out, static_cast<std::size_t>(count)) : "?";
}

}  // namespace

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
    ASSERT_EQ(Utf8ToLocal(utf8.c_str()), SystemLocalBytes(unit)) << "unit " << unit;
  }
}
