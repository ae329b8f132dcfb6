#include "text/CommaList.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace dux {
namespace {

using Items = std::vector<std::string>;

TEST(CommaList, SplitsOnlyAtCommasAndTrimsBlanksAroundItems) {
  struct Case {
    const char* text;
    Items items;
  };
  for (const Case& c : {
           Case{"a, b,c", {"a", "b", "c"}},
           Case{"New York", {"New York"}},
           Case{"  New York ,  Rome  ", {"New York", "Rome"}},
           Case{"\"Smith, John\",x", {"Smith, John", "x"}},
           Case{"\"say \"\"hi\"\"\"", {"say \"hi\""}},
           Case{"a,,b", {"a", "", "b"}},
           Case{",a", {"", "a"}},
           Case{"a,", {"a", ""}},  // a comma that is the very last character adds an empty item
           Case{"a, ", {"a"}},     // ... but not when blanks follow it
           Case{"", {}},
           Case{" \t ", {}},
           Case{"\"unclosed, quote", {"unclosed, quote"}},
           Case{"tab\tinside", {"tab\tinside"}},
       }) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(SplitCommaList(c.text), c.items);
  }
}

TEST(CommaList, JoinQuotesOnlyWhatSplitWouldOtherwiseChange) {
  EXPECT_EQ(JoinCommaList({"New York", "red"}), "New York,red");
  EXPECT_EQ(JoinCommaList({"Smith, John"}), "\"Smith, John\"");
  EXPECT_EQ(JoinCommaList({"5\" disk"}), "\"5\"\" disk\"");
  EXPECT_EQ(JoinCommaList({""}), "\"\"");
  EXPECT_EQ(JoinCommaList({"a", ""}), "a,");
  EXPECT_EQ(JoinCommaList({}), "");
}

TEST(CommaList, SplitGivesBackWhatJoinWrote) {
  for (const Items& items :
       {Items{"New York", "Smith, John", "a\"b", "x"}, Items{""}, Items{"a", "", "b"},
        Items{" padded "}, Items{",", "\"\""}, Items{"trailing "}, Items{"a", "b "}}) {
    SCOPED_TRACE(JoinCommaList(items));
    EXPECT_EQ(SplitCommaList(JoinCommaList(items)), items);
  }
}

}  // namespace
}  // namespace dux
