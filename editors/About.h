#pragma once

#include "controls/NeoBookHelpBox2.h"
#include "controls/NeoBookPanel.h"
#include "controls/StdControls.h"
#include "editors/HostServices.h"

namespace dux::editors {

// The address of this product's home page, shown and opened by the about box.
inline constexpr char kHomePage[] = "https://duxiptc.example/";

// The about box: product name, a link to the home page, and the command list.
class TAboutBoxForm : public controls::TForm {
 public:
  TAboutBoxForm();

  controls::TImage Image1{this};
  controls::TLabel Label1{this};
  controls::TNeoBookHelpBox2 NeoBookHelpBox1{this};
  controls::TLabel Label2{&NeoBookHelpBox1};
  controls::TNeoBookPanel NeoBookPanel1{this};
  controls::TMemo Memo1{&NeoBookPanel1};
  controls::TButton OKBtn{this};

  // Opens the link; null leaves a click without effect.
  HostServices* host = nullptr;

  void Label2Click();
  void Label2MouseMove();
  void FormMouseMove();
  void NeoBookHelpBox1MouseMove() { FormMouseMove(); }
};

// The lines of the command list: each group's name, then a tab and the name of each of its
// commands (the template command without its leading full stop), then an empty line.
std::vector<std::string> AboutCommandLines(const std::vector<std::string>& groups,
                                           const std::vector<tCommandInfo>& commands);

}  // namespace dux::editors
