#include "metadata/Cp1252.h"

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
  for (const Case& c : {Case{"Greek letter", "a\u03B1b", "a?b"},
                        Case{"emoji (4 bytes)", "x\U0001F600y", "x?y"},
                        Case{"lone continuation byte", "a\x80z", "a?z"},
                        Case{"truncated sequence at the end", "ok\xC3", "ok?"},
                        Case{"overlong slash", "\xC0\xAF", "??"},
                        Case{"euro and umlauts", "\u20AC \u00D6", "\x80 \xD6"}}) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(Utf8ToCp1252(c.utf8), c.expected);
  }
}

}  // namespace
}  // namespace dux
