#include "editors/Edit1IR.h"

namespace dux::editors {

TEditForm1IR::TEditForm1IR()
    : TEditFormBase({496, 192, {8, 80, 8 + 481, 80 + 73}, 465, 351, 65, 427, 62, 160}),
      NeoBookPanel1(AddPanel("NeoBookPanel1", 8, 8, 481)),
      Edit1(AddEdit(NeoBookPanel1, "Edit1", 397)),
      SpeedButton2(AddGlyphButton(NeoBookPanel1, "SpeedButton2", 418, kGlyphEditAction,
                                  "Edit action string")),
      SpeedButton1(AddGlyphButton(NeoBookPanel1, "SpeedButton1", 450, kGlyphInsertVariable,
                                  "Insert Variable")) {
  SpeedButton1.onClick = [this] { SpeedButton1Click(); };
  SpeedButton2.onClick = [this] { SpeedButton2Click(); };
  SetPanelTabOrder({&NeoBookPanel1});
}

void TEditForm1IR::LoadParameters(const Parameters& params) {
  NeoBookPanel1.SetCaption("Filename or variable of the JPG-file");
  Edit1.SetText(params.Get(0));
}

void TEditForm1IR::StoreParameters(Parameters& params) const { params.Set(0, Edit1.Text()); }

}  // namespace dux::editors
