#pragma once

#include "editors/EditFormBase.h"

namespace dux::editors {

// The editor of duxIPTCread and duxEXIFread: one file field.
class TEditForm1IR : public TEditFormBase {
 public:
  TEditForm1IR();
  void LoadParameters(const Parameters& params) override;
  void StoreParameters(Parameters& params) const override;

  TNeoBookPanel& NeoBookPanel1;
  TEdit& Edit1;
  TNeoBookButton& SpeedButton2;
  TNeoBookButton& SpeedButton1;

  void SpeedButton1Click() { InsertVariable(Edit1); }
  void SpeedButton2Click() { EditActionString(Edit1); }
};

}  // namespace dux::editors
