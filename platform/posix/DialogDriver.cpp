#include "platform/DialogDriver.h"

namespace dux::platform {

// The posix stand-in dialogs have no windows to drive.
std::unique_ptr<DialogDriver> StartDialogDriver(std::vector<tDialogStep>) { return nullptr; }

}  // namespace dux::platform
