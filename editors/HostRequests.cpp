#include "editors/HostRequests.h"

#include "host/PlugInUtils.h"
#include "host/PluginState.h"

namespace dux::editors {
namespace {

// A host string that is freed whatever happens.
class OwnedHostString {
 public:
  explicit OwnedHostString(const std::string& text) { SetHostString(block_, text); }
  ~OwnedHostString() { FreeHostString(block_); }
  OwnedHostString(const OwnedHostString&) = delete;
  OwnedHostString& operator=(const OwnedHostString&) = delete;
  char** Address() { return &block_; }
  std::string Text() const { return HostStringText(block_); }

 private:
  char* block_ = nullptr;
};

}  // namespace

bool HostRequestsAvailable() { return PluginState().interfaceRequest != nullptr; }

std::optional<std::string> RequestFromHost(std::int32_t code, const std::string& text) {
  const HostInterfaceRequestProc request = PluginState().interfaceRequest;
  if (request == nullptr) return std::nullopt;
  OwnedHostString block(text);
  if (request(code, block.Address()) == 0) return std::nullopt;
  return block.Text();
}

}  // namespace dux::editors
