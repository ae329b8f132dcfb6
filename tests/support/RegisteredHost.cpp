#include "tests/support/RegisteredHost.h"

#include <cstdint>
#include <cstdlib>

#include "host/PlugInUtils.h"
#include "host/PluginState.h"
#include "host/Registration.h"

namespace dux::test {
namespace {

RegisteredHost* active = nullptr;

void DUX_CALL AddAction(std::int32_t, const char*, const char*, const std::uint8_t*, std::int32_t,
                        std::uint8_t) {}

void DUX_CALL GetVariable(const char* name, char** value) {
  const auto found = active->variables.find(name);
  SetHostString(*value, found != active->variables.end() ? found->second : "");
}

void DUX_CALL SetVariable(const char* name, const char* value) { active->variables[name] = value; }

}  // namespace

RegisteredHost::RegisteredHost() {
  if (active != nullptr) std::abort();
  active = this;
  ResetPluginState();
  RegisterPlugIn(&AddAction, nullptr, &GetVariable, &SetVariable);
}

RegisteredHost::~RegisteredHost() {
  ResetPluginState();
  active = nullptr;
}

}  // namespace dux::test
