#pragma once

#include "editors/EditFormBase.h"

namespace dux::editors {

// The editor of duxIPTCwrite: the file to read and the file to write.
class TEditForm2IW : public TEditFormBase {
 public:
  TEditForm2IW();
  void LoadParameters(const Parameters& params) override;
  void StoreParameters(Parameters& params) const override;

  TNeoBookPanel& NeoBookPanel1;
  TEdit& Edit1;
  TNeoBookButton& SpeedButton2;
  TNeoBookButton& SpeedButton1;
  TNeoBookPanel& NeoBookPanel2;
  TEdit& Edit2;
  TNeoBookButton& SpeedButton4;
  TNeoBookButton& SpeedButton3;

  void SpeedButton1Click() { InsertVariable(Edit1); }
  void SpeedButton2Click() { EditActionString(Edit1); }
  void SpeedButton3Click() { InsertVariable(Edit2); }
  void SpeedButton4Click() { EditActionString(Edit2); }
};

}  // namespace dux::editors
