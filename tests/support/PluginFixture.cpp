#include "tests/support/PluginFixture.h"

#include <filesystem>
#include <stdexcept>

#include "platform/Module.h"

namespace dux::test {

std::string BuiltPluginPath() {
  const std::filesystem::path exe(platform::ExecutableFileName());
  return (exe.parent_path() / "duxIPTC.nbp").string();
}

LoadedPlugin::LoadedPlugin(const std::string& ini) {
  libraryPath_ = dir_.File("duxIPTC.nbp");
  std::filesystem::copy_file(BuiltPluginPath(), libraryPath_);
  if (!ini.empty()) WriteFileBytes(dir_.File("duxIPTC.ini"), ini);
  std::string error;
  host_ = tools::PluginHost::Load(libraryPath_, error);
  if (!host_) throw std::runtime_error("cannot load the plug-in: " + error);
  host_->Register();
}

bool LoadedPlugin::Run(int number, std::vector<std::string> params) {
  return host_->Execute(number, params);
}

}  // namespace dux::test
