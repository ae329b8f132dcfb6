#include "host/Registration.h"

#include <array>
#include <string_view>

#include "host/CommandTable.h"
#include "host/PlugInUtils.h"
#include "host/PluginState.h"
#include "platform/Files.h"
#include "platform/IniFile.h"
#include "platform/Module.h"

namespace dux {
namespace {

std::string PipesToLineBreaks(std::string_view text) {
  std::string result;
  result.reserve(text.size());
  for (const char c : text) {
    if (c == '|') {
      result += "\r\n";
    } else {
      result += c;
    }
  }
  return result;
}

void ReadDescriptions(tPluginState& state) {
  for (std::size_t g = 0; g < state.groupDescriptions.size(); ++g) {
    state.groupDescriptions[g] = std::string(kDefaultGroupDescriptions[g]);
  }
  for (std::size_t c = 0; c < kCommands.size(); ++c) {
    state.commandDescriptions[c] = std::string(kCommands[c].DefaultDescription);
  }
  const std::string ini = IniFileName();
  if (!platform::FileExists(ini)) return;
  // Group descriptions are taken as they stand; only command descriptions turn "|" into lines.
  for (std::size_t g = 0; g < state.groupDescriptions.size(); ++g) {
    state.groupDescriptions[g] = platform::ReadIniString(
        ini, "GroupDescription", std::to_string(g + 1), kDefaultGroupDescriptions[g]);
  }
  for (std::size_t c = 0; c < kCommands.size(); ++c) {
    state.commandDescriptions[c] = PipesToLineBreaks(platform::ReadIniString(
        ini, "CommandDescription", kCommands[c].Name, kCommands[c].DefaultDescription));
  }
}

void AnnounceGroup(const tPluginState& state, int group) {
  static constexpr std::uint8_t kNoKinds[] = {0};
  const std::string& name = state.groupDescriptions[static_cast<std::size_t>(group) - 1];
  state.addAction(0, name.c_str(), "", kNoKinds, 0, 0);
}

void AnnounceCommand(const tPluginState& state, const tCommandRow& row) {
  std::array<std::uint8_t, 5> kinds{};
  for (std::size_t k = 0; k < kinds.size(); ++k) kinds[k] = static_cast<std::uint8_t>(row.Kinds[k]);
  const std::string name(row.Name);
  const std::string& description =
      state.commandDescriptions[static_cast<std::size_t>(row.Number) - 1];
  state.addAction(row.Number, name.c_str(), description.c_str(), kinds.data(), row.Count - 1,
                  row.Count);
}

}  // namespace

std::string IniFileName() {
  std::string name = platform::ModuleFileName();
  const auto dot = name.find_last_of('.');
  const auto separator = name.find_last_of("\\/:");
  if (dot != std::string::npos && (separator == std::string::npos || dot > separator)) {
    name.resize(dot);
  }
  return name + ".ini";
}

void RegisterPlugIn(HostAddActionProc addAction, void* second, HostGetVariableProc getVariable,
                    HostSetVariableProc setVariable) {
  tPluginState& state = PluginState();
  state.addAction = addAction;
  state.secondCallback = second;
  state.getVariable = getVariable;
  state.setVariable = setVariable;
  ReadDescriptions(state);
  if (state.addAction == nullptr) return;
  for (int group = 1; group <= 2; ++group) {
    AnnounceGroup(state, group);
    for (const tCommandRow& row : kCommands) {
      if (row.Group == group) AnnounceCommand(state, row);
    }
  }
}

void InitPlugIn(void* value, char** title, char** author, char** hint) {
  PluginState().initValue = value;
  std::string hintText(kDefaultHint);
  const std::string ini = IniFileName();
  if (platform::FileExists(ini)) {
    hintText =
        PipesToLineBreaks(platform::ReadIniString(ini, "PlugInHeader", "PlugInHint", kDefaultHint));
  }
  if (title != nullptr) SetHostString(*title, kPlugInTitle);
  if (author != nullptr) SetHostString(*author, kPlugInAuthor);
  if (hint != nullptr) SetHostString(*hint, hintText);
}

void HandleMessage(std::int32_t code) {
  if (code == 1) SetHostVariable("[*/*duxIPTCDllName]", platform::ModuleFileName());
}

}  // namespace dux
