// The control trees of the dialogs: every control's place, kind, text and the Tab order.
#include <gtest/gtest.h>

#include "controls/ControlScreen.h"
#include "editors/About.h"
#include "editors/Edit1IR.h"
#include "editors/Edit2IW.h"
#include "editors/Edit5SJ.h"
#include "editors/Edit99.h"
#include "editors/EditAction.h"
#include "tests/controls/ControlsTestSupport.h"
#include "tests/editors/EditorsTestSupport.h"

namespace dux::editors {
namespace {

using testing::EditAction;
using testing::ShowAbout;

using controls::TControl;
using controls::tRect;

struct Place {
  std::string name;
  std::string parent;
  tRect bounds;  // left, top, right, bottom
  std::string className;
};

tRect Box(int left, int top, int width, int height) {
  return {left, top, left + width, top + height};
}

void ExpectTree(controls::TForm& form, int width, int height, const std::vector<Place>& places) {
  EXPECT_EQ(form.ClientRect(), Box(0, 0, width, height));
  for (const auto& p : places) {
    TControl* control = form.FindControl(p.name);
    ASSERT_NE(control, nullptr) << p.name;
    EXPECT_EQ(control->BoundsRect(), p.bounds) << p.name;
    ASSERT_NE(control->Parent(), nullptr) << p.name;
    EXPECT_EQ(control->Parent()->Name(), p.parent) << p.name;
    EXPECT_EQ(control->WindowClassName(), p.className) << p.name;
  }
}

std::vector<std::string> TabOrder(TControl& control) {
  std::vector<std::string> names;
  for (auto* child : control.TabOrderedChildren()) names.push_back(child->ControlName());
  return names;
}

void ExpectGlyphButton(controls::TForm& form, const std::string& name, const std::string& hint) {
  auto* button = form.Find<controls::TNeoBookButton>(name);
  ASSERT_NE(button, nullptr) << name;
  EXPECT_EQ(button->Hint(), hint) << name;
  EXPECT_TRUE(button->ShowHint()) << name;
  EXPECT_TRUE(button->Flat()) << name;
  EXPECT_EQ(button->Width(), 24);
  EXPECT_EQ(button->Height(), 24);
  EXPECT_EQ(button->Glyph().width, 20) << name;
  EXPECT_EQ(button->ButtonGlyph().TransparentColor(), platform::Rgb(128, 0, 128)) << name;
  EXPECT_FALSE(button->CanFocus());
}

TEST(DialogLayout, ReadDialog) {
  controls::testing::DisplayGuard display;
  TEditForm1IR form;
  EXPECT_EQ(form.Caption(), "Action Properties");
  ExpectTree(form, 496, 192,
             {{"NeoBookPanel1", "EditForm", Box(8, 8, 481, 65), "TNeoBookPanel"},
              {"Edit1", "NeoBookPanel1", Box(12, 28, 397, 23), "TEdit"},
              {"SpeedButton2", "NeoBookPanel1", Box(418, 28, 24, 24), "TNeoBookButton"},
              {"SpeedButton1", "NeoBookPanel1", Box(450, 28, 24, 24), "TNeoBookButton"},
              {"NeoBookCommandBox", "EditForm", Box(8, 80, 481, 73), "TNeoBookHelpBox2"},
              {"CommandLabel", "NeoBookCommandBox", Box(8, 24, 465, 41), "TLabel"},
              {"OKBtn", "EditForm", Box(351, 160, 65, 25), "TButton"},
              {"CancelBtn", "EditForm", Box(427, 160, 62, 25), "TButton"}});
  EXPECT_EQ(TabOrder(form),
            (std::vector<std::string>{"OKBtn", "CancelBtn", "NeoBookPanel1", "NeoBookCommandBox"}));
  ExpectGlyphButton(form, "SpeedButton1", "Insert Variable");
  ExpectGlyphButton(form, "SpeedButton2", "Edit action string");
  EXPECT_EQ(form.NeoBookCommandBox.GetColor(), platform::Rgb(255, 255, 225));
  EXPECT_TRUE(form.CommandLabel.wordWrap);
  EXPECT_EQ(form.Edit1.Font().name, "Arial");
  EXPECT_EQ(form.Edit1.Font().height, 12);
  EXPECT_EQ(form.Font().name, "MS Sans Serif");
  EXPECT_EQ(form.Font().height, 11);
  EXPECT_TRUE(form.OKBtn.isDefault);
  EXPECT_TRUE(form.CancelBtn.isCancel);
}

TEST(DialogLayout, WriteDialog) {
  controls::testing::DisplayGuard display;
  TEditForm2IW form;
  ExpectTree(form, 496, 264,
             {{"NeoBookPanel2", "EditForm", Box(7, 80, 481, 65), "TNeoBookPanel"},
              {"Edit2", "NeoBookPanel2", Box(12, 28, 397, 23), "TEdit"},
              {"SpeedButton4", "NeoBookPanel2", Box(418, 28, 24, 24), "TNeoBookButton"},
              {"SpeedButton3", "NeoBookPanel2", Box(450, 28, 24, 24), "TNeoBookButton"},
              {"NeoBookCommandBox", "EditForm", Box(8, 152, 481, 73), "TNeoBookHelpBox2"},
              {"OKBtn", "EditForm", Box(351, 232, 65, 25), "TButton"},
              {"CancelBtn", "EditForm", Box(427, 232, 62, 25), "TButton"}});
  EXPECT_EQ(TabOrder(form), (std::vector<std::string>{"OKBtn", "CancelBtn", "NeoBookPanel1",
                                                      "NeoBookPanel2", "NeoBookCommandBox"}));
  ExpectGlyphButton(form, "SpeedButton3", "Insert Variable");
  ExpectGlyphButton(form, "SpeedButton4", "Edit action string");
}

TEST(DialogLayout, GetTagDialog) {
  controls::testing::DisplayGuard display;
  TEditForm5SJ form;
  std::vector<Place> places;
  const int tops[] = {8, 80, 152, 224, 296};
  for (int i = 0; i < 5; ++i) {
    const std::string n = std::to_string(i + 1);
    places.push_back(
        {"NeoBookPanel" + n, "EditForm", Box(i == 4 ? 7 : 8, tops[i], 361, 65), "TNeoBookPanel"});
    places.push_back({"EditVar" + n, "NeoBookPanel" + n, Box(12, 28, 309, 23), "TEdit"});
    places.push_back(
        {"SpeedButton" + n, "NeoBookPanel" + n, Box(328, 28, 24, 24), "TNeoBookButton"});
  }
  places.push_back({"NeoBookCommandBox", "EditForm", Box(7, 368, 362, 73), "TNeoBookHelpBox2"});
  places.push_back({"CommandLabel", "NeoBookCommandBox", Box(8, 24, 345, 41), "TLabel"});
  places.push_back({"OKBtn", "EditForm", Box(232, 448, 65, 25), "TButton"});
  places.push_back({"CancelBtn", "EditForm", Box(304, 448, 65, 25), "TButton"});
  ExpectTree(form, 376, 480, places);
  EXPECT_EQ(TabOrder(form),
            (std::vector<std::string>{"OKBtn", "CancelBtn", "NeoBookPanel1", "NeoBookPanel2",
                                      "NeoBookPanel3", "NeoBookPanel4", "NeoBookPanel5",
                                      "NeoBookCommandBox"}));
  for (int i = 1; i <= 5; ++i)
    ExpectGlyphButton(form, "SpeedButton" + std::to_string(i), "Insert Variable");
}

TEST(DialogLayout, SetVarDialog) {
  controls::testing::DisplayGuard display;
  TEditForm99 form;
  ExpectTree(form, 377, 337,
             {{"NeoBookPanelVariable", "EditForm", Box(8, 8, 361, 65), "TNeoBookPanel"},
              {"EditVariable", "NeoBookPanelVariable", Box(12, 28, 309, 23), "TEdit"},
              {"SpeedButtonObj1", "NeoBookPanelVariable", Box(330, 28, 24, 24), "TNeoBookButton"},
              {"NeoBookPanelVarList", "EditForm", Box(8, 80, 361, 65), "TNeoBookPanel"},
              {"ComboBoxVar1", "NeoBookPanelVarList", Box(12, 34, 309, 23), "TComboBox"},
              {"NeoBookPanelValue", "EditForm", Box(8, 152, 361, 65), "TNeoBookPanel"},
              {"EditValue", "NeoBookPanelValue", Box(12, 28, 309, 23), "TEdit"},
              {"SpeedButtonVar2", "NeoBookPanelValue", Box(328, 28, 24, 24), "TNeoBookButton"},
              {"NeoBookCommandBox", "EditForm", Box(8, 224, 361, 73), "TNeoBookHelpBox2"},
              {"CommandLabel", "NeoBookCommandBox", Box(8, 24, 345, 41), "TLabel"},
              {"OKBtn", "EditForm", Box(231, 304, 65, 25), "TButton"},
              {"CancelBtn", "EditForm", Box(307, 304, 62, 25), "TButton"}});
  EXPECT_EQ(TabOrder(form), (std::vector<std::string>{"OKBtn", "CancelBtn", "NeoBookPanelVariable",
                                                      "NeoBookPanelValue", "NeoBookPanelVarList",
                                                      "NeoBookCommandBox"}));
  ExpectGlyphButton(form, "SpeedButtonObj1", "Select an Object");
  ExpectGlyphButton(form, "SpeedButtonVar2", "Insert Variable");
}

TEST(DialogLayout, AboutBox) {
  controls::testing::DisplayGuard display;
  TAboutBoxForm form;
  EXPECT_EQ(form.Caption(), "About duxIPTC");
  ExpectTree(form, 361, 272,
             {{"Image1", "AboutBoxForm", Box(8, 8, 37, 39), "TImage"},
              {"Label1", "AboutBoxForm", Box(48, 8, 304, 38), "TLabel"},
              {"NeoBookHelpBox1", "AboutBoxForm", Box(8, 56, 345, 65), "TNeoBookHelpBox2"},
              {"Label2", "NeoBookHelpBox1", Box(8, 32, 329, 17), "TLabel"},
              {"NeoBookPanel1", "AboutBoxForm", Box(8, 128, 353, 105), "TNeoBookPanel"},
              {"Memo1", "NeoBookPanel1", Box(8, 24, 337, 73), "TMemo"},
              {"OKBtn", "AboutBoxForm", Box(136, 240, 84, 25), "TButton"}});
  EXPECT_EQ(form.Label1.Caption(), "duxIPTC");
  EXPECT_EQ(form.Label1.Font().height, 21);
  EXPECT_EQ(form.NeoBookHelpBox1.Caption(), "Homepage");
  EXPECT_EQ(form.NeoBookPanel1.Caption(), "Commandlist");
  EXPECT_EQ(form.Label2.Caption(), kHomePage);
  EXPECT_EQ(form.Image1.picture.width, 32);
  EXPECT_TRUE(form.Memo1.NativeStyle().readOnly);
  EXPECT_FALSE(form.Memo1.NativeStyle().tabStop);
  EXPECT_TRUE(form.Memo1.NativeStyle().verticalScroll);
  EXPECT_FALSE(form.Memo1.NativeStyle().border);
}

TEST(AboutBox, LinkTurnsRedUnderThePointerAndOpensWithTheShell) {
  controls::testing::DisplayGuard display;
  controls::testing::UseRealDisplayPictures();
  testing::EditorHost host;
  TAboutBoxForm form;
  const auto blue = platform::Rgb(0, 0, 255);
  const auto red = platform::Rgb(255, 0, 0);
  controls::TControlScreen screen(form);
  EXPECT_EQ(form.Label2.FontColor(), blue);
  screen.MoveMouse(8 + 8 + 100, 56 + 32 + 5);  // on the link
  EXPECT_EQ(form.Label2.FontColor(), red);
  EXPECT_EQ(form.Label2.Cursor(), platform::CursorShape::kHand);
  screen.MoveMouse(20, 180);  // the memo keeps the red
  EXPECT_EQ(form.Label2.FontColor(), red);
  screen.MoveMouse(300, 62);  // the help box outside the link
  EXPECT_EQ(form.Label2.FontColor(), blue);
  EXPECT_EQ(form.Label2.Cursor(), platform::CursorShape::kArrow);
  screen.MoveMouse(116, 93);
  screen.MoveMouse(5, 260);  // the dialog's background
  EXPECT_EQ(form.Label2.FontColor(), blue);

  testing::ScriptedServices services;
  services.shellOpenSucceeds = false;
  form.host = &services;
  screen.PressLeft(116, 93);
  screen.ReleaseLeft(116, 93);
  ASSERT_EQ(services.shellOpens.size(), 1u);
  EXPECT_EQ(services.shellOpens[0], kHomePage);
  EXPECT_EQ(form.ModalResult(), 0);  // a failure leaves the box open
  controls::testing::SaveToGallery(screen.Render().Image(), "dialog-about");
}

TEST(AboutBox, ShownModallyAndRememberedWhileShown) {
  controls::testing::DisplayGuard display;
  testing::EditorHost host;
  bool seen = false;
  std::vector<std::string> lines;
  host.user = [&](controls::TForm& form) {
    seen = ShownAboutBox() == &form;
    lines = dynamic_cast<TAboutBoxForm&>(form).Memo1.lines;
    form.Find<controls::TButton>("OKBtn")->UserClick();
  };
  ShowAbout();
  EXPECT_TRUE(seen);
  // The command list: the fixed group names, the template command without its full stop.
  EXPECT_EQ(lines, (std::vector<std::string>{"IPTC-Info", "\tduxIPTCread", "\tduxIPTCwrite",
                                             "\tduxIPTCsetVar", "\tduxIPTCvarTemplate", "EXIF-Info",
                                             "\tduxEXIFread", "\tduxGetTag", ""}));
  EXPECT_EQ(ShownAboutBox(), nullptr);
  EXPECT_EQ(host.dialogsShown, 1);
}

TEST(DialogLayout, EveryDialogRendersForTheGallery) {
  controls::testing::DisplayGuard display;
  controls::testing::UseRealDisplayPictures();
  testing::EditorHost host;
  const std::pair<int, std::string> dialogs[] = {{1, "dialog-duxIPTCread"},
                                                 {2, "dialog-duxIPTCwrite"},
                                                 {3, "dialog-duxIPTCsetVar"},
                                                 {6, "dialog-duxGetTag-idle"}};
  for (const auto& [number, name] : dialogs) {
    testing::Params params({"[File]", "value", "", "", ""});
    bool rendered = false;
    host.user = [&, name = name](controls::TForm& form) {
      const auto image = controls::TControlScreen(form).Render().Image();
      rendered = image.width == form.Width() && image.height == form.Height();
      controls::testing::SaveToGallery(image, name);
    };
    EXPECT_FALSE(EditAction(number, params.Get()));
    EXPECT_TRUE(rendered) << name;
  }
}

}  // namespace
}  // namespace dux::editors
