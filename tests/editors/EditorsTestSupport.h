#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "controls/StdControls.h"
#include "host/HostApi.h"
#include "platform/Dialog.h"

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
// user for the stand-in dialogs. Everything is put back when the fixture ends.
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

// nbEditAction and nbAbout as the entry points run them: over the registered host's services.
bool EditAction(std::int32_t number, ActionParameters params);
void ShowAbout();

}  // namespace dux::editors::testing
