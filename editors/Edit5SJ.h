#pragma once

#include <array>
#include <functional>

#include "editors/EditFormBase.h"

namespace dux::editors {

// The editor of duxGetTag: five fields, each with an "Insert Variable" button.
class TEditForm5SJ : public TEditFormBase {
 public:
  TEditForm5SJ();
  void LoadParameters(const Parameters& params) override;
  void StoreParameters(Parameters& params) const override;

  std::array<std::reference_wrapper<TNeoBookPanel>, 5> NeoBookPanels;  // NeoBookPanel1 .. 5
  std::array<std::reference_wrapper<TEdit>, 5> EditVars;               // EditVar1 .. 5
  std::array<std::reference_wrapper<TNeoBookButton>, 5> SpeedButtons;  // SpeedButton1 .. 5

  // SpeedButton1Click .. SpeedButton5Click, for the field of the same number (1 .. 5).
  void SpeedButtonClick(int number) {
    InsertVariable(EditVars[static_cast<std::size_t>(number) - 1]);
  }
};

}  // namespace dux::editors
