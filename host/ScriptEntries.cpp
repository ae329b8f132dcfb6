#include "host/ScriptEntries.h"

#include <stdexcept>

#include "host/CommandTable.h"
#include "host/Commands.h"
#include "text/AsciiText.h"
#include "text/TextFormat.h"

namespace dux {
namespace {

constexpr std::array<int, 5> kScriptCommands = {1, 2, 3, 5, 6};

}  // namespace

std::string CommandList(std::string_view format) {
  const bool lisp = AsciiUpperCase(format) == "LISP";
  std::string text = lisp ? "(list " : "";
  for (const int number : kScriptCommands) {
    const tCommandRow& row = kCommands[static_cast<std::size_t>(number) - 1];
    const std::string count = std::to_string(row.Count);
    if (lisp) {
      text.append("(list \"")
          .append(row.Name)
          .append("\" \"")
          .append(std::to_string(number))
          .append("\" ")
          .append(count)
          .append(")");
    } else {
      text.append(row.Name)
          .append("|")
          .append(std::to_string(number))
          .append("|")
          .append(count)
          .append("\r\n");
    }
  }
  return lisp ? text + ")" : text;
}

bool ExecuteScriptCommand(std::string_view numberText, const std::array<std::string, 5>& args) {
  const auto number = ParseInteger(numberText);
  if (!number)
    throw std::runtime_error(FormatText("'%s' ist kein g\xFCltiger Integerwert", {numberText}));
  if (*number == 4) return false;  // the template has no body
  return RunCommand(*number, std::vector<std::string>(args.begin(), args.end()));
}

}  // namespace dux
