#include "editors/About.h"

#include "editors/EditFormBase.h"
#include "platform/Dialog.h"
#include "platform/Display.h"

namespace dux::editors {
namespace {

constexpr controls::Color kLinkBlue = platform::Rgb(0, 0, 255);  // $00FF0000
constexpr controls::Color kLinkRed = platform::Rgb(255, 0, 0);   // $000000FF
constexpr controls::Color kHelpBoxColor = platform::Rgb(255, 255, 225);

}  // namespace

std::vector<std::string> AboutCommandLines(const std::vector<std::string>& groups,
                                           const std::vector<tCommandInfo>& commands) {
  std::vector<std::string> lines;
  for (std::size_t g = 0; g < groups.size(); ++g) {
    lines.push_back(groups[g]);
    for (const tCommandInfo& command : commands) {
      if (command.group != static_cast<int>(g) + 1) continue;
      std::string_view name = command.name;
      if (!name.empty() && name.front() == '.') name.remove_prefix(1);
      lines.push_back("\t" + std::string(name));
    }
  }
  lines.emplace_back();
  return lines;
}

TAboutBoxForm::TAboutBoxForm() {
  SetName("AboutBoxForm");
  SetCaption("About duxIPTC");
  SetClientSize(361, 272);
  SetFont(DialogFont(), kLinkBlue);
  onMouseMove = [this](int, int) { FormMouseMove(); };

  Image1.SetName("Image1");
  Image1.SetBounds(8, 8, 37, 39);
  if (auto icon = platform::LoadBitmapResource("DUX_PRODUCT_ICON")) Image1.picture = *icon;

  Label1.SetName("Label1");
  Label1.SetBounds(48, 8, 304, 38);
  Label1.SetCaption("duxIPTC");
  Label1.SetFont({"Arial", 21, false}, controls::kClWindowText);
  Label1.centered = true;

  NeoBookHelpBox1.SetName("NeoBookHelpBox1");
  NeoBookHelpBox1.SetBounds(8, 56, 345, 65);
  NeoBookHelpBox1.SetCaption("Homepage");
  NeoBookHelpBox1.SetColor(kHelpBoxColor);
  NeoBookHelpBox1.SetFont(DialogFont(), controls::kClWindowText);
  NeoBookHelpBox1.onMouseMove = [this](int, int) { NeoBookHelpBox1MouseMove(); };

  Label2.SetName("Label2");
  Label2.SetBounds(8, 32, 329, 17);
  Label2.SetCaption(kHomePage);
  Label2.centered = true;
  Label2.SetColor(controls::kClInfoBk);
  Label2.SetFont(DialogFont(), kLinkBlue);
  Label2.onClick = [this] { Label2Click(); };
  Label2.onMouseMove = [this](int, int) { Label2MouseMove(); };

  NeoBookPanel1.SetName("NeoBookPanel1");
  NeoBookPanel1.SetBounds(8, 128, 353, 105);
  NeoBookPanel1.SetCaption("Commandlist");
  NeoBookPanel1.SetFont(DialogFont(), controls::kBlack);

  Memo1.SetName("Memo1");
  Memo1.SetBounds(8, 24, 337, 73);
  Memo1.SetColor(controls::kClInfoBk);
  Memo1.SetFont(DialogFont(), controls::kBlack);

  OKBtn.SetName("OKBtn");
  OKBtn.SetBounds(136, 240, 84, 25);
  OKBtn.SetCaption("OK");
  OKBtn.isDefault = true;
  OKBtn.modalResult = platform::kModalOk;
}

void TAboutBoxForm::Label2Click() {
  if (host != nullptr) host->OpenInShell(Label2.Caption());  // a failure leaves the box as it is
}

void TAboutBoxForm::Label2MouseMove() {
  Label2.SetFont(Label2.Font(), kLinkRed);
  Label2.cursor = platform::CursorShape::kHand;
}

void TAboutBoxForm::FormMouseMove() {
  Label2.SetFont(Label2.Font(), kLinkBlue);
  Label2.cursor = platform::CursorShape::kArrow;
}

}  // namespace dux::editors
