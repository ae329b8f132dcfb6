#include "host/Dispatch.h"

#include "host/CommandTable.h"
#include "host/Commands.h"
#include "host/PlugInUtils.h"

namespace dux {

std::vector<std::string> ParameterTexts(ActionParameters params, int count) {
  std::vector<std::string> texts(static_cast<std::size_t>(count > 0 ? count : 0));
  if (params == nullptr) return texts;
  for (std::size_t i = 0; i < texts.size(); ++i) texts[i] = HostStringText(params[i]);
  return texts;
}

bool ExecuteCommand(std::int32_t number, ActionParameters params) {
  const auto command = CommandByNumber(number);
  if (!command) return false;
  const std::vector<std::string> p = ParameterTexts(params, command->Count);
  return RunCommand(number, p);
}

}  // namespace dux
