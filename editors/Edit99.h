#pragma once

#include "editors/EditFormBase.h"

namespace dux::editors {

// The editor of duxIPTCsetVar: a variable name, a list of the plug-in's variables, a value.
class TEditForm99 : public TEditFormBase {
 public:
  TEditForm99();
  void LoadParameters(const Parameters& params) override;
  void StoreParameters(Parameters& params) const override;

  TNeoBookPanel& NeoBookPanelVariable;
  TEdit& EditVariable;
  TNeoBookButton& SpeedButtonObj1;
  TNeoBookPanel& NeoBookPanelVarList;
  TComboBox& ComboBoxVar1;
  TNeoBookPanel& NeoBookPanelValue;
  TEdit& EditValue;
  TNeoBookButton& SpeedButtonVar2;

  void ComboBoxVar1Change();
  void SpeedButtonObj1Click();
  void SpeedButtonVar2Click() { InsertVariable(EditValue); }

 private:
  TComboBox& AddComboBox(TNeoBookPanel& panel);
};

// The entries of the variable list: the IPTC variables sorted by the character codes of their
// names.
std::vector<std::string> IptcVariableItems();

}  // namespace dux::editors
