#pragma once

#include <memory>
#include <string>
#include <vector>

// A test user for the real dialogs: from a second thread it waits for the next dialog of this
// program, types, chooses and clicks by window messages, takes a screenshot, and closes it.
// Windows only; elsewhere there is nothing to drive and StartDialogDriver returns null.
namespace dux::platform {

struct tDialogStep {
  enum class Kind { kType, kChoose, kClick, kScreenshot, kClose };
  Kind kind = Kind::kClose;
  std::string target;  // a control's name, a file (screenshot) or ok/cancel/escape/close
  std::string value;   // the text to type or the list index to choose
};

class DialogDriver {
 public:
  virtual ~DialogDriver() = default;  // waits for the driving thread
  // What the driver did, one line per step, and any problem it met.
  virtual std::vector<std::string> Log() = 0;
};

std::unique_ptr<DialogDriver> StartDialogDriver(std::vector<tDialogStep> steps);

}  // namespace dux::platform
