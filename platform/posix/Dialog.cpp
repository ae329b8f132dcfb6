#include "platform/Dialog.h"

// The posix stand-in: no windows, a script plays the user.
namespace dux::platform {
namespace {

struct tStandIn {
  DialogScript script;
  std::vector<std::string> opened;
  bool openSucceeds = true;
};

tStandIn& StandIn() {
  static tStandIn standIn;
  return standIn;
}

}  // namespace

void* ActiveWindow() { return nullptr; }

int RunModalDialog(DialogClient& form, void*) {
  if (!StandIn().script) {
    form.SetModalResult(kModalCancel);
    return kModalCancel;
  }
  StandIn().script(form);
  if (form.ModalResult() == 0) form.SetModalResult(kModalCancel);
  return form.ModalResult();
}

bool ShellOpen(const std::string& target) {
  StandIn().opened.push_back(target);
  return StandIn().openSucceeds;
}

void SetStandInDialogScript(DialogScript script) {
  StandIn().script = std::move(script);
  StandIn().opened.clear();
  StandIn().openSucceeds = true;
}

const std::vector<std::string>& StandInShellOpens() { return StandIn().opened; }

void SetStandInShellOpenResult(bool succeeds) { StandIn().openSucceeds = succeeds; }

}  // namespace dux::platform
