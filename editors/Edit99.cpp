#include "editors/Edit99.h"

#include <algorithm>

#include "metadata/iptc/IptcFields.h"

namespace dux::editors {
namespace {

constexpr char kValueCaption[] = "Value to store in variable:";
constexpr int kFieldWidth = 309;

}  // namespace

std::vector<std::string> IptcVariableItems() {
  std::vector<std::string> items;
  for (const auto& row : kIptcFields) items.emplace_back(row.Variable);
  // By character code of the names inside the brackets, so "[..._ByLine]" comes before
  // "[..._ByLineTitle]".
  const auto name = [](const std::string& item) {
    return std::string_view(item).substr(1, item.size() - 2);
  };
  std::sort(items.begin(), items.end(),
            [&](const auto& a, const auto& b) { return name(a) < name(b); });
  return items;
}

TEditForm99::TEditForm99()
    : TEditFormBase({377, 337, {8, 224, 8 + 361, 224 + 73}, 345, 231, 65, 307, 62, 304}),
      NeoBookPanelVariable(AddPanel("NeoBookPanelVariable", 8, 8, 361)),
      EditVariable(AddEdit(NeoBookPanelVariable, "EditVariable", kFieldWidth)),
      SpeedButtonObj1(AddGlyphButton(NeoBookPanelVariable, "SpeedButtonObj1", 330,
                                     kGlyphInsertVariable, "Select an Object")),
      NeoBookPanelVarList(AddPanel("NeoBookPanelVarList", 8, 80, 361)),
      ComboBoxVar1(AddComboBox(NeoBookPanelVarList)),
      NeoBookPanelValue(AddPanel("NeoBookPanelValue", 8, 152, 361)),
      EditValue(AddEdit(NeoBookPanelValue, "EditValue", kFieldWidth)),
      SpeedButtonVar2(AddGlyphButton(NeoBookPanelValue, "SpeedButtonVar2", 328,
                                     kGlyphInsertVariable, "Insert Variable")) {
  NeoBookPanelVariable.SetCaption("Variable name:");
  NeoBookPanelVarList.SetCaption("Possible duxIPTC variables");
  NeoBookPanelValue.SetCaption(kValueCaption);
  ComboBoxVar1.onChange = [this] { ComboBoxVar1Change(); };
  SpeedButtonObj1.onClick = [this] { SpeedButtonObj1Click(); };
  SpeedButtonVar2.onClick = [this] { SpeedButtonVar2Click(); };
  SetPanelTabOrder({&NeoBookPanelVariable, &NeoBookPanelValue, &NeoBookPanelVarList});
}

TComboBox& TEditForm99::AddComboBox(TNeoBookPanel& panel) {
  auto combo = std::make_unique<TComboBox>(&panel);
  combo->SetName("ComboBoxVar1");
  combo->SetBounds(12, 34, kFieldWidth, 23);
  combo->SetFont(EditFont(), controls::kClWindowText);
  combo->itemHeight = 15;
  combo->items = IptcVariableItems();
  return Adopt(std::move(combo));
}

void TEditForm99::LoadParameters(const Parameters& params) {
  NeoBookPanelVariable.SetCaption("Variable name:");
  NeoBookPanelValue.SetCaption(kValueCaption);
  EditVariable.SetText(params.Get(0));
  EditValue.SetText(params.Get(1));
  EditValue.SetBounds(EditValue.Left(), EditValue.Top(), kFieldWidth, EditValue.Height());
}

void TEditForm99::StoreParameters(Parameters& params) const {
  params.Set(0, EditVariable.Text());
  params.Set(1, EditValue.Text());
}

void TEditForm99::ComboBoxVar1Change() {
  EditVariable.SetText(ComboBoxVar1.Text());
  NeoBookPanelValue.SetCaption(kValueCaption);
  EditValue.SetText("");
  EditValue.SetBounds(EditValue.Left(), EditValue.Top(), kFieldWidth, EditValue.Height());
  EditValue.SetVisible(true);
  SpeedButtonVar2.SetVisible(true);
}

void TEditForm99::SpeedButtonObj1Click() {
  const auto object = Request(kRequestSelectObject, EditVariable.Text());
  if (!object) return;
  const std::string& listText = ComboBoxVar1.Text();
  if (listText.find("_RClickAction") != std::string::npos)
    EditVariable.SetText("[" + *object + "_RClickAction]");
  if (listText.find("_MClickAction") != std::string::npos)
    EditVariable.SetText("[" + *object + "_MClickAction]");
}

}  // namespace dux::editors
