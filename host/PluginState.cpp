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

namespace {

// Names are short: one on the stack, with its zero byte.
void SetWithName(std::string_view name, const char* value) {
  char text[64];
  if (name.size() >= sizeof text) {
    Instance().setVariable(std::string(name).c_str(), value);
    return;
  }
  name.copy(text, name.size());
  text[name.size()] = '\0';
  Instance().setVariable(text, value);
}

}  // namespace

void SetHostVariable(std::string_view name, std::string_view value) {
  if (Instance().setVariable == nullptr) return;
  SetWithName(name, std::string(value).c_str());
}

void SetHostVariable(std::string_view name, const std::string& value) {
  if (Instance().setVariable == nullptr) return;
  SetWithName(name, value.c_str());
}

void SetHostVariable(std::string_view name, const char* value) {
  if (Instance().setVariable == nullptr) return;
  SetWithName(name, value == nullptr ? "" : value);
}

}  // namespace dux
