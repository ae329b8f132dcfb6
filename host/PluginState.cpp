#include "host/PluginState.h"

#include "host/PlugInUtils.h"

namespace dux {
namespace {

tPluginState& Instance() {
  static tPluginState state;
  return state;
}

}  // namespace

tPluginState& PluginState() { return Instance(); }

void ResetPluginState() { Instance() = tPluginState{}; }

std::string GetHostVariable(std::string_view name) {
  const auto get = Instance().getVariable;
  if (get == nullptr) return {};
  const std::string nameText(name);
  char* value = nullptr;
  get(nameText.c_str(), &value);
  std::string text = HostStringText(value);
  FreeHostString(value);
  return text;
}

void SetHostVariable(std::string_view name, std::string_view value) {
  const auto set = Instance().setVariable;
  if (set == nullptr) return;
  const std::string nameText(name), valueText(value);
  set(nameText.c_str(), valueText.c_str());
}

}  // namespace dux
