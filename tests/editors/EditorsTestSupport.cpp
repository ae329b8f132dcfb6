#include "tests/editors/EditorsTestSupport.h"

#include "editors/EditAction.h"
#include "host/EditorHost.h"
#include "host/PlugInUtils.h"
#include "host/PluginState.h"
#include "host/Registration.h"

namespace dux::editors::testing {
namespace {

EditorHost* active = nullptr;

void DUX_CALL AddAction(std::int32_t, const char*, const char*, const std::uint8_t*, std::int32_t, std::uint8_t) {}

void DUX_CALL GetVariable(const char* name, char** value) {
  const auto found = active->variables.find(name);
  SetHostString(*value, found != active->variables.end() ? found->second : "");
}

void DUX_CALL SetVariable(const char* name, const char* value) { active->variables[name] = value; }

HostBool DUX_CALL InterfaceRequest(std::int32_t code, char** text) {
  active->requests.emplace_back(code, HostStringText(*text));
  const auto reply = active->answer ? active->answer(code, HostStringText(*text)) : std::nullopt;
  if (!reply) return 0;
  SetHostString(*text, *reply);
  return 1;
}

}  // namespace

Params::Params(std::vector<std::string> values) {
  for (const auto& value : values) {
    char* block = nullptr;
    SetHostString(block, value);
    blocks_.push_back(block);
  }
}

Params::~Params() {
  for (char*& block : blocks_) FreeHostString(block);
}

std::string Params::operator[](int i) const { return HostStringText(blocks_[static_cast<std::size_t>(i)]); }

EditorHost::EditorHost() {
  active = this;
  ResetPluginState();
  RegisterPlugIn(&AddAction, nullptr, &GetVariable, &SetVariable);
  platform::SetStandInDialogScript([this](platform::DialogClient& dialog) {
    ++dialogsShown;
    if (user) user(dynamic_cast<controls::TForm&>(dialog.FormClient()));
  });
}

EditorHost::~EditorHost() {
  platform::SetStandInDialogScript(nullptr);
  ResetPluginState();
  active = nullptr;
}

void EditorHost::RegisterRequests() { PluginState().interfaceRequest = &InterfaceRequest; }

bool EditAction(std::int32_t number, ActionParameters params) {
  PluginHostServices host;
  return EditActionForHost(number, params, host);
}

void ShowAbout() {
  PluginHostServices host;
  editors::ShowAbout(host);
}

}  // namespace dux::editors::testing
