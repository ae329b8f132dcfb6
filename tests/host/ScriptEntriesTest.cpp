#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "host/HostApi.h"
#include "tests/support/PluginFixture.h"

namespace dux::test {
namespace {

using tools::PluginHost;
using CmdListProc = HostBool(DUX_CALL*)(const char*, const char*, char*);

TEST(ScriptEntries, CommandListInBothFormsByteForByte) {
  LoadedPlugin plugin;
  const auto list = reinterpret_cast<CmdListProc>(plugin.Host().Export("duxIPTCCmdList"));
  ASSERT_NE(list, nullptr);
  const std::string lisp =
      "(list (list \"duxIPTCread\" \"1\" 1)(list \"duxIPTCwrite\" \"2\" 2)(list \"duxIPTCsetVar\" "
      "\"3\" 2)"
      "(list \"duxEXIFread\" \"5\" 1)(list \"duxGetTag\" \"6\" 5))";
  const std::string lines =
      "duxIPTCread|1|1\r\nduxIPTCwrite|2|2\r\nduxIPTCsetVar|3|2\r\nduxEXIFread|5|1\r\nduxGetTag|6|"
      "5\r\n";
  ASSERT_EQ(lisp.size(), 138u);
  ASSERT_EQ(lines.size(), 86u);
  struct Case {
    const char* format;
    const std::string& expected;
  };
  for (const Case& c : {Case{"LISP", lisp}, Case{"lisp", lisp}, Case{"Lisp ", lines},
                        Case{"", lines}, Case{"list", lines}}) {
    SCOPED_TRACE(c.format);
    std::vector<char> buffer(200, 'Z');
    EXPECT_EQ(list("context", c.format, buffer.data()), 1);
    EXPECT_EQ(std::string(buffer.data()), c.expected);
    EXPECT_EQ(buffer[c.expected.size() + 1], 'Z');  // nothing written past the NUL
  }
}

TEST(ScriptEntries, ExecRoutesByTheNumberText) {
  LoadedPlugin plugin;
  PluginHost& host = plugin.Host();
  EXPECT_TRUE(host.ScriptExecute("3", {"City", "Rome"}));
  EXPECT_EQ(host.variables["[City]"], "Rome");
  EXPECT_TRUE(host.ScriptExecute("6", {"Name=Joe", "Name", "=", "2", "[who]"}));
  EXPECT_EQ(host.variables["[who]"], "Joe");
  host.setCalls.clear();
  for (const char* number : {"4", "-1", "7", "0"})
    EXPECT_FALSE(host.ScriptExecute(number, {"x", "y"})) << number;
  EXPECT_TRUE(host.setCalls.empty());
  EXPECT_FALSE(host.ScriptExecute("three", {"City", "Paris"}));
  EXPECT_EQ(host.variables["[LastError]"], "'three' ist kein g\xFCltiger Integerwert");
  EXPECT_EQ(host.variables["[City]"], "Rome");
  EXPECT_FALSE(host.ScriptExecute("1", {plugin.Folder().File("none.jpg")}));
  EXPECT_EQ(host.variables["[duxIPTC_Header]"], "0");
}

}  // namespace
}  // namespace dux::test
