#include "tools/nbhost/PluginHost.h"

#include "host/PlugInUtils.h"

namespace dux::tools {
namespace {

using RegisterPlugInProc = void(DUX_CALL*)(HostAddActionProc, void*, HostGetVariableProc,
                                           HostSetVariableProc);
using InitPlugInProc = void(DUX_CALL*)(void*, char**, char**, char**);
using RegisterInterfaceAccessProc = void(DUX_CALL*)(HostInterfaceRequestProc);
using MessageProc = void(DUX_CALL*)(std::int32_t);
using ActionProc = HostBool(DUX_CALL*)(std::int32_t, ActionParameters);
using AboutProc = void(DUX_CALL*)();
using CmdListProc = HostBool(DUX_CALL*)(const char*, const char*, char*);
using ExecProc = HostBool(DUX_CALL*)(const char*, const char*, const char*, const char*,
                                     const char*, const char*, const char*, void*, void*, void*,
                                     void*, void*);

constexpr const char* kExports[] = {"nbRegisterPlugIn",
                                    "nbInitPlugIn",
                                    "nbRegisterInterfaceAccess",
                                    "nbRegisterScriptProcessor",
                                    "nbMessage",
                                    "nbExecAction",
                                    "nbEditAction",
                                    "nbAbout"};

PluginHost* activeHost = nullptr;

template <class Proc>
Proc Resolve(const PluginHost& host, const char* name) {
  return reinterpret_cast<Proc>(host.Export(name));
}

}  // namespace

std::unique_ptr<PluginHost> PluginHost::Load(const std::string& path, std::string& error) {
  std::unique_ptr<PluginHost> host(new PluginHost());
  host->library_ = platform::LoadLibraryFile(path, error);
  if (!host->library_) return nullptr;
  for (const char* name : kExports) {
    void* entry = host->Export(name);
    if (entry == nullptr) {
      error = std::string("export ") + name + " not found in " + path;
      return nullptr;
    }
    host->entryPoints_.emplace_back(name, entry);
  }
  activeHost = host.get();
  return host;
}

PluginHost::~PluginHost() {
  if (activeHost == this) activeHost = nullptr;
}

void* PluginHost::Export(const char* name) const {
  for (const auto& [entryName, entry] : entryPoints_) {
    if (entryName == name) return entry;
  }
  return library_->Symbol(name);
}

void PluginHost::Register() {
  activeHost = this;
  announcements_.clear();
  Resolve<RegisterPlugInProc>(*this, "nbRegisterPlugIn")(&AddAction, nullptr, &GetVariable,
                                                         &SetVariable);
}

tInitTexts PluginHost::Init() {
  activeHost = this;
  char* texts[3] = {nullptr, nullptr, nullptr};
  Resolve<InitPlugInProc>(*this, "nbInitPlugIn")(nullptr, &texts[0], &texts[1], &texts[2]);
  tInitTexts result{HostStringText(texts[0]), HostStringText(texts[1]), HostStringText(texts[2])};
  for (char*& text : texts) FreeHostString(text);
  return result;
}

void PluginHost::RegisterInterfaceAccess() {
  activeHost = this;
  Resolve<RegisterInterfaceAccessProc>(*this, "nbRegisterInterfaceAccess")(&InterfaceRequest);
}

void PluginHost::Message(std::int32_t code) {
  activeHost = this;
  Resolve<MessageProc>(*this, "nbMessage")(code);
}

bool PluginHost::Run(ActionProc entry, std::int32_t number, std::vector<std::string>& params) {
  activeHost = this;
  std::vector<char*> blocks(params.size() + 1, nullptr);
  for (std::size_t i = 0; i < params.size(); ++i) SetHostString(blocks[i], params[i]);
  const bool result = entry(number, blocks.data()) != 0;
  for (std::size_t i = 0; i < params.size(); ++i) {
    params[i] = HostStringText(blocks[i]);
    FreeHostString(blocks[i]);
  }
  return result;
}

bool PluginHost::Execute(std::int32_t number, std::vector<std::string>& params) {
  return Run(Resolve<ActionProc>(*this, "nbExecAction"), number, params);
}

bool PluginHost::Edit(std::int32_t number, std::vector<std::string>& params) {
  return Run(Resolve<ActionProc>(*this, "nbEditAction"), number, params);
}

void PluginHost::About() {
  activeHost = this;
  Resolve<AboutProc>(*this, "nbAbout")();
}

std::string PluginHost::CommandList(const std::string& format) {
  activeHost = this;
  const auto list = Resolve<CmdListProc>(*this, "duxIPTCCmdList");
  if (list == nullptr) return {};
  std::vector<char> buffer(4096, '\0');
  list("", format.c_str(), buffer.data());
  return buffer.data();
}

bool PluginHost::ScriptExecute(const std::string& number, const std::vector<std::string>& args) {
  activeHost = this;
  const auto exec = Resolve<ExecProc>(*this, "duxIPTCExec");
  if (exec == nullptr) return false;
  std::vector<std::string> a(args);
  a.resize(5);
  return exec("", number.c_str(), a[0].c_str(), a[1].c_str(), a[2].c_str(), a[3].c_str(),
              a[4].c_str(), nullptr, nullptr, nullptr, nullptr, nullptr) != 0;
}

std::optional<std::int32_t> PluginHost::NumberOfCommand(const std::string& name) const {
  for (const tAnnouncement& a : announcements_) {
    if (a.number != 0 && a.name == name) return a.number;
  }
  return std::nullopt;
}

int PluginHost::CountOfCommand(std::int32_t number) const {
  for (const tAnnouncement& a : announcements_) {
    if (a.number == number && number != 0) return a.count;
  }
  return 0;
}

void DUX_CALL PluginHost::AddAction(std::int32_t number, const char* name, const char* description,
                                    const std::uint8_t* kinds, std::int32_t kindsHigh,
                                    std::uint8_t count) {
  if (activeHost == nullptr) return;
  tAnnouncement a{number, HostStringText(name), HostStringText(description), {}, count};
  if (kinds != nullptr && kindsHigh >= 0) a.kinds.assign(kinds, kinds + kindsHigh + 1);
  activeHost->announcements_.push_back(std::move(a));
}

void DUX_CALL PluginHost::GetVariable(const char* name, char** value) {
  if (activeHost == nullptr || value == nullptr) return;
  const auto found = activeHost->variables.find(std::string_view(name == nullptr ? "" : name));
  if (found != activeHost->variables.end()) SetHostString(*value, found->second);
}

void DUX_CALL PluginHost::SetVariable(const char* name, const char* value) {
  if (activeHost == nullptr) return;
  const std::string_view key = name == nullptr ? std::string_view() : std::string_view(name);
  auto found = activeHost->variables.find(key);
  if (found == activeHost->variables.end())
    found = activeHost->variables.emplace(key, std::string()).first;
  std::string& stored = found->second;
  stored.assign(value == nullptr ? "" : value);  // in the room the variable had: no allocation
  if (activeHost->recordSetCalls) activeHost->setCalls.emplace_back(found->first, stored);
}

HostBool DUX_CALL PluginHost::InterfaceRequest(std::int32_t code, char** text) {
  if (activeHost == nullptr || text == nullptr) return 0;
  const std::string given = HostStringText(*text);
  activeHost->requests.emplace_back(code, given);
  if (!activeHost->interfaceRequest) return 0;
  const auto answer = activeHost->interfaceRequest(code, given);
  if (!answer) return 0;
  SetHostString(*text, *answer);
  return 1;
}

}  // namespace dux::tools
