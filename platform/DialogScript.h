#pragma once

#include <string>

#include "platform/WindowClient.h"

// For the dialog layers: the tests' scripted user (see SetStandInDialogScript).
namespace dux::platform {

bool DialogScriptSet();
// Hands the form to the script; returns its modal result (Cancel when the script set none).
int RunDialogScript(DialogClient& form);
// Notes a target the shell was asked to open; returns the result the test chose.
bool RecordShellOpen(const std::string& target);

}  // namespace dux::platform
