#pragma once

#include <string>

#include "platform/WindowClient.h"

// Modal dialogs: a form and its controls shown as a dialog of the system (Windows); the posix
// stand-in has no windows and closes every dialog with Cancel.
namespace dux::platform {

// The window that is active in this program now (the host's), as an opaque handle; null when
// there is none.
void* ActiveWindow();

// Shows the form as a modal dialog owned by `owner`, centred on the screen, until its modal
// result is set; returns that result. Always returns with the dialog destroyed.
int RunModalDialog(DialogClient& form, void* owner);

// Opens a document or web address with the shell's "open" verb; false when that fails.
bool ShellOpen(const std::string& target);

}  // namespace dux::platform
