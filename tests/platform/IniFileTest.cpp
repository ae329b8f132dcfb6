#include "platform/IniFile.h"

#include <gtest/gtest.h>

#include "tests/support/TempDir.h"

namespace dux::platform {
namespace {

TEST(IniFile, FindsKeysIgnoringCaseAndBlanks) {
  test::TempDir dir;
  const std::string ini = dir.File("x.ini");
  test::WriteFileBytes(ini,
                       "; comment\n"
                       "[First]\n"
                       "key=first section\n"
                       "  [ Second ]  \r\n"
                       "  Key  =  spaced value  \r\n"
                       "Quoted=\"  kept blanks  \"\n"
                       "Single='x'\n"
                       "Empty=\n"
                       "NoEquals\n");
  struct Case {
    const char* section;
    const char* key;
    const char* expected;
  };
  for (const Case& c :
       {Case{"first", "KEY", "first section"}, Case{"SECOND", "key", "spaced value"},
        Case{"Second", "quoted", "  kept blanks  "}, Case{"Second", "Single", "x"},
        Case{"Second", "Empty", ""}, Case{"Second", "NoEquals", "default"},
        Case{"Second", "missing", "default"}, Case{"Third", "key", "default"}}) {
    SCOPED_TRACE(std::string(c.section) + "/" + c.key);
    EXPECT_EQ(ReadIniString(ini, c.section, c.key, "default"), c.expected);
  }
}

TEST(IniFile, MissingFileGivesTheDefault) {
  test::TempDir dir;
  EXPECT_EQ(ReadIniString(dir.File("none.ini"), "A", "B", "fallback"), "fallback");
}

}  // namespace
}  // namespace dux::platform
