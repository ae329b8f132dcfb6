// The entry points the host calls. Every body runs under Guarded: nothing may unwind into the
// host, which is not C++.
#include <cstdint>
#include <cstring>
#include <string>

#include "editors/EditAction.h"
#include "host/Dispatch.h"
#include "host/DisplaySetup.h"
#include "host/EditorHost.h"
#include "host/Guarded.h"
#include "host/HostApi.h"
#include "host/PluginState.h"
#include "host/Registration.h"
#include "host/ScriptEntries.h"
#include "platform/Export.h"

namespace {
// Lives from the library's start to its unloading.
const dux::TDisplaySetup kDisplaySetup;
}  // namespace

using dux::ActionParameters;
using dux::Guarded;
using dux::HostBool;

extern "C" {

DUX_EXPORT void DUX_CALL nbRegisterPlugIn(dux::HostAddActionProc addAction, void* second,
                                          dux::HostGetVariableProc getVariable,
                                          dux::HostSetVariableProc setVariable) {
  Guarded(0, [&] {
    dux::RegisterPlugIn(addAction, second, getVariable, setVariable);
    return 0;
  });
}

DUX_EXPORT void DUX_CALL nbInitPlugIn(void* value, char** title, char** author, char** hint) {
  Guarded(0, [&] {
    dux::InitPlugIn(value, title, author, hint);
    return 0;
  });
}

DUX_EXPORT void DUX_CALL nbRegisterInterfaceAccess(dux::HostInterfaceRequestProc request) {
  dux::PluginState().interfaceRequest = request;
}

DUX_EXPORT void DUX_CALL nbRegisterScriptProcessor(void* value) {
  dux::PluginState().scriptProcessor = value;
}

DUX_EXPORT void DUX_CALL nbMessage(std::int32_t code) {
  Guarded(0, [&] {
    dux::HandleMessage(code);
    return 0;
  });
}

DUX_EXPORT HostBool DUX_CALL nbExecAction(std::int32_t number, ActionParameters params) {
  return Guarded<HostBool>(
      0, [&] { return static_cast<HostBool>(dux::ExecuteCommand(number, params)); });
}

DUX_EXPORT HostBool DUX_CALL nbEditAction(std::int32_t number, ActionParameters params) {
  return Guarded<HostBool>(0, [&] {
    dux::PluginHostServices host;
    return static_cast<HostBool>(dux::EditActionForHost(number, params, host));
  });
}

DUX_EXPORT void DUX_CALL nbAbout() {
  Guarded(0, [] {
    dux::PluginHostServices host;
    dux::editors::ShowAbout(host);
    return 0;
  });
}

// For a script processor: the command list, written into the caller's buffer with its NUL.
DUX_EXPORT HostBool DUX_CALL duxIPTCCmdList(const char* context, const char* format, char* output) {
  (void)context;
  return Guarded<HostBool>(1, [&] {
    const std::string list = dux::CommandList(format != nullptr ? format : "");
    if (output != nullptr) std::memcpy(output, list.c_str(), list.size() + 1);
    return HostBool{1};
  });
}

// For a script processor: runs a command by its number given as text.
DUX_EXPORT HostBool DUX_CALL duxIPTCExec(const char* context, const char* command, const char* arg1,
                                         const char* arg2, const char* arg3, const char* arg4,
                                         const char* arg5, void* reserved1, void* reserved2,
                                         void* reserved3, void* reserved4, void* reserved5) {
  (void)context, (void)reserved1, (void)reserved2, (void)reserved3, (void)reserved4,
      (void)reserved5;
  return Guarded<HostBool>(0, [&] {
    const auto text = [](const char* p) { return std::string(p != nullptr ? p : ""); };
    return static_cast<HostBool>(dux::ExecuteScriptCommand(
        text(command), {text(arg1), text(arg2), text(arg3), text(arg4), text(arg5)}));
  });
}

}  // extern "C"
