#include "platform/Dialog.h"

// The posix stand-in: no windows, so every dialog closes at once with Cancel and the shell opens
// nothing. Tests play the user through the editors' host services instead.
namespace dux::platform {

void* ActiveWindow() { return nullptr; }

int RunModalDialog(DialogClient& form, void*) {
  form.SetModalResult(kModalCancel);
  return kModalCancel;
}

bool ShellOpen(const std::string&) { return false; }

}  // namespace dux::platform
