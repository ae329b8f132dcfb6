#include "editors/EditAction.h"

#include <gtest/gtest.h>

#include "controls/ControlScreen.h"
#include "editors/Edit1IR.h"
#include "editors/Edit2IW.h"
#include "editors/Edit5SJ.h"
#include "editors/Edit99.h"
#include "host/UtilityCommands.h"
#include "tests/controls/ControlsTestSupport.h"
#include "tests/editors/EditorsTestSupport.h"

namespace dux::editors {
namespace {

using testing::EditAction;
using testing::ShowAbout;

using controls::TButton;
using controls::TControl;
using controls::TEdit;
using controls::TForm;
using testing::EditorHost;
using testing::Params;

TEST(EditAction, TemplateCommandFillsOnlyAnEmptyParameter) {
  EditorHost host;
  Params empty({""});
  EXPECT_TRUE(EditAction(4, empty.Get()));
  EXPECT_EQ(empty[0], VariableTemplate());
  EXPECT_NE(empty[0].find("duxIPTCsetVar"), std::string::npos);
  Params blank({" "});
  EXPECT_TRUE(EditAction(4, blank.Get()));
  EXPECT_EQ(blank[0], " ");
  EXPECT_EQ(host.dialogsShown, 0);
}

TEST(EditAction, UnknownNumbersShowNothing) {
  EditorHost host;
  Params params({"a", "b", "c", "d", "e"});
  for (const int number : {0, 7, 100, -1}) EXPECT_FALSE(EditAction(number, params.Get())) << number;
  EXPECT_EQ(host.dialogsShown, 0);
  EXPECT_EQ(params[0], "a");
}

TEST(EditAction, ReadDialogCaptionsAndOk) {
  EditorHost host;
  Params params({"C:\\photos\\a.jpg"});
  host.user = [](TForm& form) {
    auto& dialog = dynamic_cast<TEditForm1IR&>(form);
    EXPECT_EQ(dialog.Caption(), "duxIPTCread Properties");
    EXPECT_EQ(dialog.NeoBookCommandBox.Caption(), "duxIPTCread  (duxIPTC)");
    EXPECT_EQ(dialog.CommandLabel.Caption(), "Reads IPTC-Info from a JPG-file!");
    EXPECT_EQ(dialog.NeoBookPanel1.Caption(), "Filename or variable of the JPG-file");
    EXPECT_EQ(dialog.Edit1.Text(), "C:\\photos\\a.jpg");
    dialog.Edit1.UserType("[MyFile]");
    dialog.OKBtn.UserClick();
  };
  EXPECT_TRUE(EditAction(1, params.Get()));
  EXPECT_EQ(params[0], "[MyFile]");
  EXPECT_EQ(host.dialogsShown, 1);
}

TEST(EditAction, CancelEscapeAndClosingLeaveTheParameters) {
  EditorHost host;
  Params params({"keep.jpg"});
  const std::vector<std::function<void(TForm&)>> endings = {
      [](TForm& form) { form.Find<TButton>("CancelBtn")->UserClick(); },
      [](TForm& form) { form.PressEscape(); }, [](TForm&) {},  // closed without a result
  };
  for (const auto& ending : endings) {
    host.user = [&](TForm& form) {
      form.Find<TEdit>("Edit1")->UserType("changed.jpg");
      ending(form);
    };
    EXPECT_FALSE(EditAction(1, params.Get()));
    EXPECT_EQ(params[0], "keep.jpg");
  }
  host.user = [](TForm& form) {
    form.Find<TEdit>("Edit1")->UserType("");
    form.PressEnter();  // the default button: OK
  };
  EXPECT_TRUE(EditAction(1, params.Get()));
  EXPECT_EQ(params[0], "");  // empty fields come back as empty parameters
}

TEST(EditAction, ExifReadUsesTheReadDialog) {
  EditorHost host;
  Params params({"x.jpg"});
  host.user = [](TForm& form) {
    auto* dialog = dynamic_cast<TEditForm1IR*>(&form);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->Caption(), "duxEXIFread Properties");
    EXPECT_EQ(dialog->NeoBookCommandBox.Caption(), "duxEXIFread  (duxIPTC)");
    EXPECT_EQ(dialog->CommandLabel.Caption(), "Reads EXIF-Info from a JPG-file!");
    dialog->OKBtn.UserClick();
  };
  EXPECT_TRUE(EditAction(5, params.Get()));
  EXPECT_EQ(params[0], "x.jpg");
}

TEST(EditAction, WriteDialogTwoFiles) {
  EditorHost host;
  Params params({"in.jpg", "out.jpg"});
  host.user = [](TForm& form) {
    auto& dialog = dynamic_cast<TEditForm2IW&>(form);
    EXPECT_EQ(dialog.NeoBookPanel1.Caption(), "Filename or variable of the JPG-file to read");
    EXPECT_EQ(dialog.NeoBookPanel2.Caption(),
              "Filename or variable of the JPG-file to write/update");
    EXPECT_EQ(dialog.Edit2.Text(), "out.jpg");
    dialog.Edit2.UserType("[Target]");
    dialog.OKBtn.UserClick();
  };
  EXPECT_TRUE(EditAction(2, params.Get()));
  EXPECT_EQ(params[0], "in.jpg");
  EXPECT_EQ(params[1], "[Target]");
}

TEST(EditAction, GetTagDialogFiveFields) {
  EditorHost host;
  Params params({"[duxEXIF_Data]", "Model", "=", "2", "[Result]"});
  host.user = [](TForm& form) {
    auto& dialog = dynamic_cast<TEditForm5SJ&>(form);
    const char* captions[] = {"Line-list or variable with line-list",
                              "Tag-string to search in line-list", "Delimiter (=) of line-string ",
                              "Index of position (2) to get from line-string",
                              "Variable for result-string"};
    for (int i = 0; i < 5; ++i) {
      EXPECT_EQ(dialog.NeoBookPanels[static_cast<std::size_t>(i)].get().Caption(), captions[i]);
      dialog.EditVars[static_cast<std::size_t>(i)].get().UserType("v" + std::to_string(i + 1));
    }
    EXPECT_EQ(dialog.NeoBookCommandBox.Caption(), "duxGetTag  (duxIPTC)");
    dialog.OKBtn.UserClick();
  };
  EXPECT_TRUE(EditAction(6, params.Get()));
  for (int i = 0; i < 5; ++i) EXPECT_EQ(params[i], "v" + std::to_string(i + 1));
}

TEST(EditAction, SetVarDialogListAndValue) {
  EditorHost host;
  Params params({"[Name]", "Value"});
  host.user = [](TForm& form) {
    auto& dialog = dynamic_cast<TEditForm99&>(form);
    EXPECT_EQ(dialog.NeoBookPanelVariable.Caption(), "Variable name:");
    EXPECT_EQ(dialog.NeoBookPanelVarList.Caption(), "Possible duxIPTC variables");
    EXPECT_EQ(dialog.NeoBookPanelValue.Caption(), "Value to store in variable:");
    EXPECT_EQ(dialog.ComboBoxVar1.Text(), "");
    EXPECT_EQ(dialog.EditValue.Width(), 309);
    EXPECT_EQ(dialog.EditValue.Text(), "Value");
    dialog.ComboBoxVar1.UserChoose(3);
    EXPECT_EQ(dialog.EditVariable.Text(), "[duxIPTC_City]");
    EXPECT_EQ(dialog.EditValue.Text(), "");
    dialog.ComboBoxVar1.UserType("[Typed]");
    EXPECT_EQ(dialog.EditVariable.Text(), "[Typed]");
    dialog.EditValue.UserType("Berlin");
    dialog.OKBtn.UserClick();
  };
  EXPECT_TRUE(EditAction(3, params.Get()));
  EXPECT_EQ(params[0], "[Typed]");
  EXPECT_EQ(params[1], "Berlin");
}

TEST(EditAction, VariableListHoldsTheIptcVariablesByCharacterCode) {
  const std::vector<std::string> expected = {
      "[duxIPTC_ByLine]",         "[duxIPTC_ByLineTitle]",
      "[duxIPTC_Category]",       "[duxIPTC_City]",
      "[duxIPTC_Contact]",        "[duxIPTC_Copyright]",
      "[duxIPTC_DateCreated]",    "[duxIPTC_FixtureID]",
      "[duxIPTC_ImageCaption]",   "[duxIPTC_ImageCaptionWriter]",
      "[duxIPTC_ImageCredit]",    "[duxIPTC_ImageHeadline]",
      "[duxIPTC_ImageType]",      "[duxIPTC_Keywords]",
      "[duxIPTC_LangID]",         "[duxIPTC_LocationCode]",
      "[duxIPTC_LocationName]",   "[duxIPTC_ObjectName]",
      "[duxIPTC_Orientation]",    "[duxIPTC_OriginatingProgram]",
      "[duxIPTC_ProgramVersion]", "[duxIPTC_Source]",
      "[duxIPTC_SpecialInstru]",  "[duxIPTC_State]",
      "[duxIPTC_SubLocation]",    "[duxIPTC_SubRef]",
      "[duxIPTC_Subfile]",        "[duxIPTC_SuppCategory]",
      "[duxIPTC_TimeCreated]",    "[duxIPTC_TransmissionRef]",
      "[duxIPTC_Urgency]"};
  EXPECT_EQ(IptcVariableItems(), expected);
  TEditForm99 dialog;
  EXPECT_EQ(dialog.ComboBoxVar1.items, expected);
  EXPECT_EQ(dialog.ComboBoxVar1.itemHeight, 15);
}

TEST(EditAction, InsertVariableAsksTheHostWithTheFieldText) {
  EditorHost host;
  Params params({"old"});
  host.user = [](TForm& form) {
    form.Find<controls::TNeoBookButton>("SpeedButton1")->Click();
    form.Find<TButton>("OKBtn")->UserClick();
  };
  EXPECT_TRUE(EditAction(1, params.Get()));  // no interface access: nothing happens
  EXPECT_EQ(params[0], "old");
  EXPECT_TRUE(host.requests.empty());

  host.RegisterRequests();  // a refusing host: the field keeps its text
  EXPECT_TRUE(EditAction(1, params.Get()));
  EXPECT_EQ(params[0], "old");
  ASSERT_EQ(host.requests.size(), 1u);
  EXPECT_EQ(host.requests[0], std::make_pair(std::int32_t{14}, std::string("old")));

  host.answer = [](std::int32_t, const std::string& text) {
    return std::optional<std::string>("[" + text + "Var]");
  };
  EXPECT_TRUE(EditAction(1, params.Get()));
  EXPECT_EQ(params[0], "[oldVar]");
}

TEST(EditAction, EditActionStringAsksForAJpgFileFromThePublicationFolder) {
  EditorHost host;
  host.RegisterRequests();
  host.variables["[PubDir]"] = "C:\\Pub\\";
  host.answer = [](std::int32_t code, const std::string&) {
    return code == 16 ? std::optional<std::string>("C:\\Pub\\b.jpg") : std::nullopt;
  };
  Params params({"a.jpg", "c.jpg"});
  host.user = [](TForm& form) {
    form.Find<controls::TNeoBookButton>("SpeedButton4")->Click();
    form.Find<TButton>("OKBtn")->UserClick();
  };
  EXPECT_TRUE(EditAction(2, params.Get()));
  ASSERT_EQ(host.requests.size(), 1u);
  EXPECT_EQ(host.requests[0].first, 16);
  EXPECT_EQ(host.requests[0].second, "c.jpg\rC:\\Pub\\\rJPG Files|*.jpg\rFalse\rFalse");
  EXPECT_EQ(params[0], "a.jpg");
  EXPECT_EQ(params[1], "C:\\Pub\\b.jpg");
}

TEST(EditAction, SelectAnObjectBuildsAClickActionName) {
  EditorHost host;
  host.RegisterRequests();
  host.answer = [](std::int32_t code, const std::string&) {
    return code == 8 ? std::optional<std::string>("Button1") : std::nullopt;
  };
  struct Case {
    std::string listText, expected;
  };
  const Case cases[] = {{"", "[Name]"},
                        {"[x_RClickAction]", "[Button1_RClickAction]"},
                        {"[x_MClickAction]", "[Button1_MClickAction]"},
                        {"[x_RClickAction_MClickAction]", "[Button1_MClickAction]"}};
  for (const auto& c : cases) {
    Params params({"[Name]", ""});
    host.requests.clear();
    host.user = [&](TForm& form) {
      auto& dialog = dynamic_cast<TEditForm99&>(form);
      dialog.ComboBoxVar1.SetText(c.listText);
      dialog.SpeedButtonObj1.Click();
      dialog.OKBtn.UserClick();
    };
    EXPECT_TRUE(EditAction(3, params.Get()));
    EXPECT_EQ(params[0], c.expected) << c.listText;
    ASSERT_EQ(host.requests.size(), 1u);
    EXPECT_EQ(host.requests[0], std::make_pair(std::int32_t{8}, std::string("[Name]")));
  }
  host.answer = nullptr;  // refused: nothing changes
  Params params({"[Name]", ""});
  host.user = [](TForm& form) {
    auto& dialog = dynamic_cast<TEditForm99&>(form);
    dialog.ComboBoxVar1.SetText("[x_RClickAction]");
    dialog.SpeedButtonObj1.Click();
    dialog.OKBtn.UserClick();
  };
  EXPECT_TRUE(EditAction(3, params.Get()));
  EXPECT_EQ(params[0], "[Name]");
}

TEST(EditAction, GlyphButtonsWorkWithTheMouse) {
  controls::testing::DisplayGuard display;
  controls::testing::UseRealDisplayPictures();
  EditorHost host;
  host.RegisterRequests();
  host.answer = [](std::int32_t, const std::string&) {
    return std::optional<std::string>("[Picked]");
  };
  Params params({"", "", "", "", ""});
  host.user = [](TForm& form) {
    controls::TControlScreen screen(form);
    auto* button = form.Find<controls::TNeoBookButton>("SpeedButton3");
    const auto origin = screen.Origin(*button);
    screen.MoveMouse(origin.x + 12, origin.y + 12);
    EXPECT_TRUE(button->Hot());
    screen.PressLeft(origin.x + 12, origin.y + 12);
    screen.ReleaseLeft(origin.x + 12, origin.y + 12);
    controls::testing::SaveToGallery(screen.Render().Image(), "dialog-duxGetTag");
    form.PressEnter();
  };
  EXPECT_TRUE(EditAction(6, params.Get()));
  EXPECT_EQ(params[2], "[Picked]");
  EXPECT_EQ(params[0], "");
}

}  // namespace
}  // namespace dux::editors
