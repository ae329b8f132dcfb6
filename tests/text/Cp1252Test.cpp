#include "text/Cp1252.h"

#include <gtest/gtest.h>

#include <string>

namespace dux {
namespace {

TEST(Cp1252, EveryByteSurvivesTheTripThroughUtf8) {
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  const std::string utf8 = Cp1252ToUtf8(all);
  EXPECT_EQ(Utf8ToCp1252(utf8), all);
  EXPECT_EQ(Cp1252ToUtf8("\x80\xE4\xFC\x9F"), "\u20AC\u00E4\u00FC\u0178");
}

TEST(Cp1252, CharactersOutside1252AndBrokenUtf8BecomeQuestionMarks) {
  struct Case {
    const char* what;
    std::string utf8, expected;
  };
  for (const Case& c :
       {Case{"Greek letter", "a\u03B1b", "a?b"}, Case{"emoji (4 bytes)", "x\U0001F600y", "x?y"},
        Case{"lone continuation byte", "a\x80z", "a?z"},
        Case{"truncated sequence at the end", "ok\xC3", "ok?"},
        Case{"overlong slash", "\xC0\xAF", "??"},
        Case{"euro and umlauts", "\u20AC \u00D6", "\x80 \xD6"},
        // C1 controls are no 1252 characters, but for the five bytes 1252 leaves
        // undefined, which stand for themselves so that every byte survives.
        Case{"C1 controls", "\u0080\u0082\u009F\u0081\u009D", "???\x81\x9D"},
        Case{"a lone surrogate, byte by byte", "\xED\xA0\x80", "???"},
        Case{"above the last code point", "\xF4\x90\x80\x80", "????"}}) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(Utf8ToCp1252(c.utf8), c.expected);
  }
}

TEST(Cp1252, UpperCaseOfLettersOnly) {
  EXPECT_EQ(Cp1252Upper('a'), 'A');
  EXPECT_EQ(Cp1252Upper('\xE4'), '\xC4');  // ä
  EXPECT_EQ(Cp1252Upper('\xFE'), '\xDE');  // þ
  EXPECT_EQ(Cp1252Upper('\xFF'), '\x9F');  // ÿ
  EXPECT_EQ(Cp1252Upper('\x9A'), '\x8A');  // š
  EXPECT_EQ(Cp1252Upper('\xF7'), '\xF7');  // ÷ is no letter: it has no upper case
  EXPECT_EQ(Cp1252Upper('\xD7'), '\xD7');  // nor has ×, which stands where ÷ would map to
  EXPECT_EQ(Cp1252Upper('\xDF'), '\xDF');  // ß
  EXPECT_EQ(Cp1252Upper('{'), '{');
}

}  // namespace
}  // namespace dux
