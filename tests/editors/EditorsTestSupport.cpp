#include "tests/editors/EditorsTestSupport.h"

#include "editors/EditAction.h"
#include "host/EditorHost.h"
#include "host/PlugInUtils.h"
#include "host/PluginState.h"
#include "host/Registration.h"

namespace dux::editors::testing {
namespace {

EditorHost* active = nullptr;

void DUX_CALL AddAction(std::int32_t, const char*, const char*, const std::uint8_t*, std::int32_t,
                        std::uint8_t) {}

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

std::string Params::operator[](int i) const {
  return HostStringText(blocks_[static_cast<std::size_t>(i)]);
}

EditorHost::EditorHost() {
  active = this;
  ResetPluginState();
  RegisterPlugIn(&AddAction, nullptr, &GetVariable, &SetVariable);
}

EditorHost::~EditorHost() {
  ResetPluginState();
  active = nullptr;
}

void EditorHost::RegisterRequests() { PluginState().interfaceRequest = &InterfaceRequest; }

std::string ScriptedServices::Variable(std::string_view name) { return plugin_.Variable(name); }
bool ScriptedServices::CanRequest() const { return plugin_.CanRequest(); }
std::optional<std::string> ScriptedServices::Request(std::int32_t code, const std::string& text) {
  return plugin_.Request(code, text);
}
std::string ScriptedServices::ProductName() const { return plugin_.ProductName(); }
std::vector<std::string> ScriptedServices::GroupNames() const { return plugin_.GroupNames(); }
std::vector<tCommandInfo> ScriptedServices::Commands() const { return plugin_.Commands(); }

int ScriptedServices::ShowModal(controls::TForm& form) {
  form.SetModalResult(0);
  if (active != nullptr) {
    ++active->dialogsShown;
    if (active->user) active->user(form);
  }
  if (form.ModalResult() == 0) form.SetModalResult(platform::kModalCancel);
  return form.ModalResult();
}

bool ScriptedServices::OpenInShell(const std::string& target) {
  shellOpens.push_back(target);
  return shellOpenSucceeds;
}

bool EditAction(std::int32_t number, ActionParameters params) {
  ScriptedServices host;
  return EditActionForHost(number, params, host);
}

void ShowAbout() {
  ScriptedServices host;
  editors::ShowAbout(host);
}

}  // namespace dux::editors::testing
