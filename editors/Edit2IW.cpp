#include "editors/Edit2IW.h"

namespace dux::editors {

TEditForm2IW::TEditForm2IW()
    : TEditFormBase({496, 264, {8, 152, 8 + 481, 152 + 73}, 465, 351, 65, 427, 62, 232}),
      NeoBookPanel1(AddPanel("NeoBookPanel1", 8, 8, 481)),
      Edit1(AddEdit(NeoBookPanel1, "Edit1", 397)),
      SpeedButton2(AddGlyphButton(NeoBookPanel1, "SpeedButton2", 418, kGlyphEditAction,
                                  "Edit action string")),
      SpeedButton1(AddGlyphButton(NeoBookPanel1, "SpeedButton1", 450, kGlyphInsertVariable,
                                  "Insert Variable")),
      NeoBookPanel2(AddPanel("NeoBookPanel2", 7, 80, 481)),
      Edit2(AddEdit(NeoBookPanel2, "Edit2", 397)),
      SpeedButton4(AddGlyphButton(NeoBookPanel2, "SpeedButton4", 418, kGlyphEditAction,
                                  "Edit action string")),
      SpeedButton3(AddGlyphButton(NeoBookPanel2, "SpeedButton3", 450, kGlyphInsertVariable,
                                  "Insert Variable")) {
  SpeedButton1.onClick = [this] { SpeedButton1Click(); };
  SpeedButton2.onClick = [this] { SpeedButton2Click(); };
  SpeedButton3.onClick = [this] { SpeedButton3Click(); };
  SpeedButton4.onClick = [this] { SpeedButton4Click(); };
  SetPanelTabOrder({&NeoBookPanel1, &NeoBookPanel2});
}

void TEditForm2IW::LoadParameters(const Parameters& params) {
  NeoBookPanel1.SetCaption("Filename or variable of the JPG-file to read");
  NeoBookPanel2.SetCaption("Filename or variable of the JPG-file to write/update");
  Edit1.SetText(params.Get(0));
  Edit2.SetText(params.Get(1));
}

void TEditForm2IW::StoreParameters(Parameters& params) const {
  params.Set(0, Edit1.Text());
  params.Set(1, Edit2.Text());
}

}  // namespace dux::editors
