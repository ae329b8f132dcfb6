#include "platform/Dialog.h"

#include "platform/DialogScript.h"

// The scripted user of the tests, shared by both platforms' dialog layers: while a script is
// set, dialogs are handed to it instead of being shown, and the shell is not asked to open
// anything.
namespace dux::platform {
namespace {

struct tScripted {
  DialogScript script;
  std::vector<std::string> opened;
  bool openSucceeds = true;
};

tScripted& Scripted() {
  static tScripted scripted;
  return scripted;
}

}  // namespace

bool DialogScriptSet() { return static_cast<bool>(Scripted().script); }

int RunDialogScript(DialogClient& form) {
  Scripted().script(form);
  if (form.ModalResult() == 0) form.SetModalResult(kModalCancel);
  return form.ModalResult();
}

bool RecordShellOpen(const std::string& target) {
  Scripted().opened.push_back(target);
  return Scripted().openSucceeds;
}

void SetStandInDialogScript(DialogScript script) {
  Scripted().script = std::move(script);
  Scripted().opened.clear();
  Scripted().openSucceeds = true;
}

const std::vector<std::string>& StandInShellOpens() { return Scripted().opened; }

void SetStandInShellOpenResult(bool succeeds) { Scripted().openSucceeds = succeeds; }

}  // namespace dux::platform
