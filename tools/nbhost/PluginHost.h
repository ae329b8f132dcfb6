#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "host/HostApi.h"
#include "platform/Library.h"

namespace dux::tools {

// One HostAddAction call as the plug-in made it.
struct tAnnouncement {
  std::int32_t number = 0;
  std::string name;
  std::string description;
  std::vector<std::uint8_t> kinds;
  int count = 0;
};

// The three texts of nbInitPlugIn.
struct tInitTexts {
  std::string title, author, hint;
};

// Hashes a variable's name as a string or as the plug-in's text, so that a lookup makes no copy.
struct tTextHash {
  using is_transparent = void;
  std::size_t operator()(std::string_view text) const noexcept {
    return std::hash<std::string_view>{}(text);
  }
};

// Plays the authoring host: loads the plug-in, hands it callbacks, keeps host variables and runs
// actions through the real exports. Texts are code page 1252, as the host's. Only one host is
// active at a time (the callbacks carry no context).
class PluginHost {
 public:
  // Loads `path` and resolves the eight exports; null with `error` set when that fails.
  static std::unique_ptr<PluginHost> Load(const std::string& path, std::string& error);
  ~PluginHost();
  PluginHost(const PluginHost&) = delete;
  PluginHost& operator=(const PluginHost&) = delete;

  // nbRegisterPlugIn with this host's callbacks; the announcements are recorded.
  void Register();
  // nbInitPlugIn; the three host strings are freed after copying.
  tInitTexts Init();
  // nbRegisterInterfaceAccess with this host's request callback.
  void RegisterInterfaceAccess();
  void Message(std::int32_t code);
  // nbExecAction / nbEditAction with the parameters as host strings; `params` receives the
  // parameters as they are after the call.
  bool Execute(std::int32_t number, std::vector<std::string>& params);
  bool Edit(std::int32_t number, std::vector<std::string>& params);
  void About();
  // The script-processor exports: duxIPTCCmdList into a buffer of 4096 bytes, and duxIPTCExec
  // with a command number text and up to five arguments.
  std::string CommandList(const std::string& format);
  bool ScriptExecute(const std::string& number, const std::vector<std::string>& args);

  // The number of a command announced under `name`.
  std::optional<std::int32_t> NumberOfCommand(const std::string& name) const;
  // The declared parameter count of an announced command (0 when unknown).
  int CountOfCommand(std::int32_t number) const;
  // Any export by name (null when absent).
  void* Export(const char* name) const;

  const std::vector<tAnnouncement>& Announcements() const { return announcements_; }

  // Host variables by their bracketed name, and every HostSetVariable call in order.
  std::unordered_map<std::string, std::string, tTextHash, std::equal_to<>> variables;
  std::vector<std::pair<std::string, std::string>> setCalls;
  // Whether setCalls records; a host keeps the variables only (the benchmark measures that).
  bool recordSetCalls = true;
  // Answers interface requests: given the code and the plug-in's text, nothing (refuse) or the
  // replacement text. Refuses when empty.
  std::function<std::optional<std::string>(std::int32_t, const std::string&)> interfaceRequest;
  // Every interface request in order: code and the plug-in's text.
  std::vector<std::pair<std::int32_t, std::string>> requests;

 private:
  PluginHost() = default;
  bool Run(HostBool(DUX_CALL* entry)(std::int32_t, ActionParameters), std::int32_t number,
           std::vector<std::string>& params);

  static void DUX_CALL AddAction(std::int32_t number, const char* name, const char* description,
                                 const std::uint8_t* kinds, std::int32_t kindsHigh,
                                 std::uint8_t count);
  static void DUX_CALL GetVariable(const char* name, char** value);
  static void DUX_CALL SetVariable(const char* name, const char* value);
  static HostBool DUX_CALL InterfaceRequest(std::int32_t code, char** text);

  std::unique_ptr<platform::LoadedLibrary> library_;
  // The entry points, looked up once when the library loads, as a host keeps them.
  std::vector<std::pair<std::string, void*>> entryPoints_;
  std::vector<tAnnouncement> announcements_;
};

}  // namespace dux::tools
