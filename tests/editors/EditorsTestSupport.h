#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "controls/StdControls.h"
#include "editors/HostServices.h"
#include "host/EditorHost.h"
#include "host/HostApi.h"

namespace dux::editors::testing {

// An action's parameters as the host hands them over: an array of host strings.
class Params {
 public:
  explicit Params(std::vector<std::string> values);
  ~Params();
  Params(const Params&) = delete;
  Params& operator=(const Params&) = delete;
  ActionParameters Get() { return blocks_.data(); }
  std::string operator[](int i) const;

 private:
  std::vector<char*> blocks_;
};

// A registered host whose interface requests and variables the test controls, and a scripted
// user for the dialogs. Everything is put back when the fixture ends.
class EditorHost {
 public:
  EditorHost();
  ~EditorHost();
  EditorHost(const EditorHost&) = delete;
  EditorHost& operator=(const EditorHost&) = delete;

  // Registers the interface-request function, which answers through `answer` (nothing = refuse).
  void RegisterRequests();
  std::function<std::optional<std::string>(std::int32_t, const std::string&)> answer;
  std::vector<std::pair<std::int32_t, std::string>> requests;
  std::map<std::string, std::string> variables;

  // The user: called with the dialog's form; the dialogs shown so far.
  std::function<void(controls::TForm&)> user;
  int dialogsShown = 0;
};

// The plug-in's host services with a scripted user in place of the system's dialogs: each dialog
// goes to the active EditorHost's `user` (Cancel when it sets no result), and the shell records
// what it was asked to open.
class ScriptedServices final : public HostServices {
 public:
  std::string Variable(std::string_view name) override;
  bool CanRequest() const override;
  std::optional<std::string> Request(std::int32_t code, const std::string& text) override;
  std::string ProductName() const override;
  std::vector<std::string> GroupNames() const override;
  std::vector<tCommandInfo> Commands() const override;
  int ShowModal(controls::TForm& form) override;
  bool OpenInShell(const std::string& target) override;

  std::vector<std::string> shellOpens;
  bool shellOpenSucceeds = true;

 private:
  PluginHostServices plugin_;
};

// nbEditAction and nbAbout as the entry points run them, with the scripted user.
bool EditAction(std::int32_t number, ActionParameters params);
void ShowAbout();

}  // namespace dux::editors::testing
