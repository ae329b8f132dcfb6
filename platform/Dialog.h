#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/WindowClient.h"

// Modal dialogs: a form and its controls shown as a dialog of the system (Windows) or handed to
// a script (the posix stand-in, driven by tests).
namespace dux::platform {

// The window that is active in this program now (the host's), as an opaque handle; null when
// there is none.
void* ActiveWindow();

// Shows the form as a modal dialog owned by `owner`, centred on the screen, until its modal
// result is set; returns that result. Always returns with the dialog destroyed.
int RunModalDialog(DialogClient& form, void* owner);

// Opens a document or web address with the shell's "open" verb; false when that fails.
bool ShellOpen(const std::string& target);

// The tests' scripted user: while set, every dialog is handed to it in place of being shown
// (on both platforms); it may type, choose and click, and set the modal result. Without a
// script, Windows shows the real dialog and the posix stand-in closes it with Cancel.
using DialogScript = std::function<void(DialogClient& form)>;
void SetStandInDialogScript(DialogScript script);
// While a script is set: the targets ShellOpen was asked for instead of opening them, and
// whether it should report failure.
const std::vector<std::string>& StandInShellOpens();
void SetStandInShellOpenResult(bool succeeds);

}  // namespace dux::platform
