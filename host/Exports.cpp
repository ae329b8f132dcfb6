// The entry points the host calls. Every body runs under Guarded: nothing may unwind into the
// host, which is not C++.
#include <cstdint>

#include "host/Dispatch.h"
#include "host/Guarded.h"
#include "host/HostApi.h"
#include "host/PluginState.h"
#include "host/Registration.h"
#include "platform/Export.h"

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
  return Guarded<HostBool>(0, [&] { return static_cast<HostBool>(dux::ExecuteCommand(number, params)); });
}

DUX_EXPORT HostBool DUX_CALL nbEditAction(std::int32_t number, ActionParameters params) {
  (void)number;
  (void)params;
  return 0;
}

DUX_EXPORT void DUX_CALL nbAbout() {}

}  // extern "C"
