#include "editors/Edit5SJ.h"

namespace dux::editors {
namespace {

constexpr std::array<const char*, 5> kCaptions = {
    "Line-list or variable with line-list", "Tag-string to search in line-list",
    "Delimiter (=) of line-string ", "Index of position (2) to get from line-string",
    "Variable for result-string"};

}  // namespace

TEditForm5SJ::TEditForm5SJ()
    : TEditFormBase({376, 480, {7, 368, 7 + 362, 368 + 73}, 345, 232, 65, 304, 65, 448}),
      NeoBookPanels{AddPanel("NeoBookPanel1", 8, 8, 361), AddPanel("NeoBookPanel2", 8, 80, 361),
                    AddPanel("NeoBookPanel3", 8, 152, 361), AddPanel("NeoBookPanel4", 8, 224, 361),
                    AddPanel("NeoBookPanel5", 7, 296, 361)},
      EditVars{
          AddEdit(NeoBookPanels[0], "EditVar1", 309), AddEdit(NeoBookPanels[1], "EditVar2", 309),
          AddEdit(NeoBookPanels[2], "EditVar3", 309), AddEdit(NeoBookPanels[3], "EditVar4", 309),
          AddEdit(NeoBookPanels[4], "EditVar5", 309)},
      SpeedButtons{AddGlyphButton(NeoBookPanels[0], "SpeedButton1", 328, kGlyphInsertVariable,
                                  "Insert Variable"),
                   AddGlyphButton(NeoBookPanels[1], "SpeedButton2", 328, kGlyphInsertVariable,
                                  "Insert Variable"),
                   AddGlyphButton(NeoBookPanels[2], "SpeedButton3", 328, kGlyphInsertVariable,
                                  "Insert Variable"),
                   AddGlyphButton(NeoBookPanels[3], "SpeedButton4", 328, kGlyphInsertVariable,
                                  "Insert Variable"),
                   AddGlyphButton(NeoBookPanels[4], "SpeedButton5", 328, kGlyphInsertVariable,
                                  "Insert Variable")} {
  std::vector<TNeoBookPanel*> order;
  for (int i = 0; i < 5; ++i) {
    SpeedButtons[static_cast<std::size_t>(i)].get().onClick = [this, i] {
      SpeedButtonClick(i + 1);
    };
    order.push_back(&NeoBookPanels[static_cast<std::size_t>(i)].get());
  }
  SetPanelTabOrder(order);
}

void TEditForm5SJ::LoadParameters(const Parameters& params) {
  for (int i = 0; i < 5; ++i) {
    NeoBookPanels[static_cast<std::size_t>(i)].get().SetCaption(
        kCaptions[static_cast<std::size_t>(i)]);
    EditVars[static_cast<std::size_t>(i)].get().SetText(params.Get(static_cast<std::size_t>(i)));
  }
}

void TEditForm5SJ::StoreParameters(Parameters& params) const {
  for (int i = 0; i < 5; ++i)
    params.Set(static_cast<std::size_t>(i), EditVars[static_cast<std::size_t>(i)].get().Text());
}

}  // namespace dux::editors
