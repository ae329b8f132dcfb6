#include "platform/Dialog.h"

#include "platform/DialogScript.h"

// The posix stand-in: no windows; a test's script plays the user, and without one every
// dialog closes at once with Cancel.
namespace dux::platform {

void* ActiveWindow() { return nullptr; }

int RunModalDialog(DialogClient& form, void*) {
  if (DialogScriptSet()) return RunDialogScript(form);
  form.SetModalResult(kModalCancel);
  return kModalCancel;
}

bool ShellOpen(const std::string& target) { return RecordShellOpen(target); }

}  // namespace dux::platform
