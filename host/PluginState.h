#pragma once

#include <array>
#include <string>
#include <string_view>

#include "host/HostApi.h"
#include "metadata/ScanMemory.h"

namespace dux {

// The process-wide state of the plug-in: the host's callbacks, kept from nbRegisterPlugIn for
// the life of the library; the descriptions after the INI override; and where the last read of a
// file stopped, which only sizes the next read of that file. The host calls one action at a
// time, from its own thread.
struct tPluginState {
  HostAddActionProc addAction = nullptr;
  void* secondCallback = nullptr;  // stored, never called
  HostGetVariableProc getVariable = nullptr;
  HostSetVariableProc setVariable = nullptr;
  HostInterfaceRequestProc interfaceRequest = nullptr;  // null until nbRegisterInterfaceAccess
  void* initValue = nullptr;                            // from nbInitPlugIn, not used
  void* scriptProcessor = nullptr;                      // from nbRegisterScriptProcessor, not used
  std::array<std::string, 2> groupDescriptions;
  std::array<std::string, 6> commandDescriptions;
  // How far the last read of a file went, for the next read of the same file.
  tScanMemory lastScan;
};

// The one instance of the process.
tPluginState& PluginState();

// Back to the state of a freshly loaded library (tests).
void ResetPluginState();

// The value of a host variable ("[Name]"); empty when the host gives none or no host is
// registered. The host's string is freed here.
std::string GetHostVariable(std::string_view name);

// Hands a value to the host; does nothing before registration. A value that is a string or a
// literal already ends with its zero byte and goes to the host without a copy.
void SetHostVariable(std::string_view name, std::string_view value);
void SetHostVariable(std::string_view name, const std::string& value);
void SetHostVariable(std::string_view name, const char* value);

}  // namespace dux
