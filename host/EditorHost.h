#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "editors/HostServices.h"
#include "host/HostApi.h"

namespace dux {

// The host's services for the dialogs, over the callbacks it registered: variables, interface
// requests (in host strings that are freed whatever happens), the command table, the
// descriptions as announced, and the system's dialogs and shell.
class PluginHostServices final : public editors::HostServices {
 public:
  std::string Variable(std::string_view name) override;
  bool CanRequest() const override;
  std::optional<std::string> Request(std::int32_t code, const std::string& text) override;
  std::string ProductName() const override;
  std::vector<std::string> GroupNames() const override;
  std::vector<editors::tCommandInfo> Commands() const override;
  int ShowModal(controls::TForm& form) override;
  bool OpenInShell(const std::string& target) override;
};

// nbEditAction: the template command fills an empty first parameter with the variable template;
// the other commands show their editor, and on OK the texts it stored replace the host's
// parameters. True when the parameters were replaced (OK, or the template command).
bool EditActionForHost(std::int32_t number, ActionParameters params, editors::HostServices& host);

}  // namespace dux
