#include "host/EditorHost.h"

#include "editors/EditAction.h"
#include "host/CommandTable.h"
#include "host/PlugInUtils.h"
#include "host/PluginState.h"
#include "host/UtilityCommands.h"
#include "platform/Dialog.h"

namespace dux {
namespace {

constexpr std::int32_t kTemplateCommand = 4;

// A host string that is freed whatever happens.
class OwnedHostString {
 public:
  explicit OwnedHostString(const std::string& text) { SetHostString(block_, text); }
  ~OwnedHostString() { FreeHostString(block_); }
  OwnedHostString(const OwnedHostString&) = delete;
  OwnedHostString& operator=(const OwnedHostString&) = delete;
  char** Address() { return &block_; }
  std::string Text() const { return HostStringText(block_); }

 private:
  char* block_ = nullptr;
};

// Parameter `index` of the host's array; a null array or entry counts as the empty text.
std::string ParameterText(ActionParameters params, std::size_t index) {
  return params != nullptr ? HostStringText(params[index]) : std::string();
}

}  // namespace

std::string PluginHostServices::Variable(std::string_view name) { return GetHostVariable(name); }

bool PluginHostServices::CanRequest() const { return PluginState().interfaceRequest != nullptr; }

std::optional<std::string> PluginHostServices::Request(std::int32_t code, const std::string& text) {
  const HostInterfaceRequestProc request = PluginState().interfaceRequest;
  if (request == nullptr) return std::nullopt;
  OwnedHostString block(text);
  if (request(code, block.Address()) == 0) return std::nullopt;
  return block.Text();
}

std::string PluginHostServices::ProductName() const { return std::string(kProductName); }

std::vector<std::string> PluginHostServices::GroupNames() const {
  return {kDefaultGroupDescriptions.begin(), kDefaultGroupDescriptions.end()};
}

std::vector<editors::tCommandInfo> PluginHostServices::Commands() const {
  std::vector<editors::tCommandInfo> commands;
  for (const tCommandRow& row : kCommands) {
    commands.push_back(
        {row.Number, std::string(row.Name), row.Group,
         PluginState().commandDescriptions[static_cast<std::size_t>(row.Number) - 1]});
  }
  return commands;
}

int PluginHostServices::ShowModal(controls::TForm& form) {
  return form.ShowModal(platform::ActiveWindow());
}

bool PluginHostServices::OpenInShell(const std::string& target) {
  return platform::ShellOpen(target);
}

bool EditActionForHost(std::int32_t number, ActionParameters params, editors::HostServices& host) {
  if (number == kTemplateCommand) {
    if (ParameterText(params, 0).empty() && params != nullptr)
      SetHostString(params[0], VariableTemplate());
    return true;
  }
  const auto row = CommandByNumber(number);
  if (!row) return false;
  std::vector<std::string> texts;
  for (std::size_t i = 0; i < row->Count; ++i) texts.push_back(ParameterText(params, i));
  editors::Parameters edited(std::move(texts));
  if (!editors::EditAction(number, edited, host)) return false;
  if (params != nullptr) {
    for (const auto& [index, text] : edited.Stored()) SetHostString(params[index], text);
  }
  return true;
}

}  // namespace dux
