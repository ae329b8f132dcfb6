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

// EXIF texts: whatever a camera or a program wrote, as the host's 1252.
TEST(Cp1252, TextOfUnknownEncodingTakesUtf8WhereItIsValid) {
  struct Case {
    const char* what;
    std::string text, expected;
  };
  for (const Case& c : {
           Case{"ASCII", "Canon EOS 6D", "Canon EOS 6D"},
           Case{"UTF-8", "Portr\xC3\xA4tt p\xC3\xA5 Eva", "Portr\xE4tt p\xE5 Eva"},
           Case{"1252 already", "Navy\xEDs newest", "Navy\xEDs newest"},
           Case{"both in one text", "Photographer\xC3\xADs Mate. The Navy\xEDs",
                "Photographer\xEDs Mate. The Navy\xEDs"},
           Case{"beyond 1252", "\xE4\xB8\xAD\xE2\x82\xAC", "?\x80"},
           Case{"a lead byte at the end", "caf\xC3", "caf\xC3"},
       }) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(TextAsCp1252(c.text), c.expected);
  }
  // UTF-16 in either byte order; a pair (beyond 1252) is one "?".
  EXPECT_EQ(Utf16ToCp1252(std::string("\0H\0\xE9\x20\xAC", 6), true), "H\xE9\x80");
  EXPECT_EQ(Utf16ToCp1252(std::string("H\0\xE9\0\x3D\xD8\x00\xDE!\0x", 11), false), "H\xE9?!");
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
