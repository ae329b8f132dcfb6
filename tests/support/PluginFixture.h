#pragma once

#include <memory>
#include <string>
#include <vector>

#include "tests/support/TempDir.h"
#include "tools/nbhost/PluginHost.h"

namespace dux::test {

// Path of the plug-in built beside the test program.
std::string BuiltPluginPath();

// A private copy of the built plug-in in a fresh folder, loaded and registered by a PluginHost:
// each instance starts from a freshly loaded library. `ini`, when given, is written beside it as
// duxIPTC.ini before loading.
class LoadedPlugin {
 public:
  explicit LoadedPlugin(const std::string& ini = "");
  tools::PluginHost& Host() { return *host_; }
  const std::string& LibraryPath() const { return libraryPath_; }
  const TempDir& Folder() const { return dir_; }

  // Runs command `number`; the variables it set are in Host().setCalls.
  bool Run(int number, std::vector<std::string> params);

 private:
  TempDir dir_;
  std::string libraryPath_;
  std::unique_ptr<tools::PluginHost> host_;
};

}  // namespace dux::test
