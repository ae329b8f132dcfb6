#include "platform/FileFaults.h"

namespace dux::platform {
namespace {

tFileFaults& State() {
  static tFileFaults faults;
  return faults;
}

}  // namespace

void SetFileFaultsForTests(const tFileFaults& faults) { State() = faults; }

const tFileFaults& FileFaults() { return State(); }

}  // namespace dux::platform
