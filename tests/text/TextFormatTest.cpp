#include "text/TextFormat.h"

#include <gtest/gtest.h>

namespace dux {
namespace {

// The short date pictures of real Windows locales, and the corners of the picture language.
TEST(FormatDatePicture, WritesTheDateAsTheUsersLocaleShowsIt) {
  struct Case {
    const char* picture;
    int year, month, day;
    const char* expected;
  };
  for (const Case& c : {
           Case{"dd.MM.yyyy", 2004, 5, 6, "06.05.2004"},  // German
           Case{"M/d/yyyy", 2004, 5, 6, "5/6/2004"},      // US English
           Case{"dd/MM/yy", 2004, 12, 31, "31/12/04"},    // UK English, two-digit year
           Case{"yyyy-MM-dd", 1999, 1, 2, "1999-01-02"},  // ISO, the posix stand-in's default
           Case{"d-M-y", 2009, 3, 4, "4-3-9"},  // one y: the year in the century, unpadded
           Case{"yyyy'年'M'月'd'日'", 2004, 5, 6, "2004年5月6日"},  // quoted text copied
           Case{"dd 'de' MM", 2004, 5, 6, "06 de 05"},  // letters inside quotes are not fields
           Case{"'unclosed", 2004, 5, 6, "unclosed"},
           Case{"yyyy", 15, 1, 1, "0015"},
       }) {
    SCOPED_TRACE(c.picture);
    EXPECT_EQ(FormatDatePicture(c.picture, c.year, c.month, c.day), c.expected);
  }
}

// A measure as the EXIF and maker lines show it: its decimals, but no zeros that add nothing.
TEST(ShortFixedText, LeavesOutTheZerosThatSayNothing) {
  struct Case {
    double value;
    int precision;
    char separator;
    const char* expected;
  };
  for (const Case& c :
       {Case{2.8, 2, '.', "2.8"}, Case{70, 2, '.', "70"}, Case{100, 1, '.', "100"},
        Case{0.00464, 5, '.', "0.00464"}, Case{6.73, 5, ',', "6,73"},
        Case{1.539999962, 2, '.', "1.54"}, Case{0, 2, '.', "0"}, Case{-0.001, 2, '.', "0"}}) {
    SCOPED_TRACE(c.expected);
    EXPECT_EQ(ShortFixedText(c.value, c.precision, c.separator), c.expected);
  }
}

}  // namespace
}  // namespace dux
