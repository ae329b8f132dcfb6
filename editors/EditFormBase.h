#pragma once

#include <memory>
#include <string>
#include <vector>

#include "controls/NeoBookButton.h"
#include "controls/NeoBookHelpBox2.h"
#include "controls/NeoBookPanel.h"
#include "controls/StdControls.h"
#include "editors/HostServices.h"

namespace dux::editors {

using controls::TButton;
using controls::TComboBox;
using controls::TEdit;
using controls::TLabel;
using controls::TNeoBookButton;
using controls::TNeoBookHelpBox2;
using controls::TNeoBookPanel;

// What every action editor shares: the "Action Properties" frame, the help box with the
// command's name and description, OK and Cancel, and the glyph buttons that ask the host for a
// variable or a file. A dialog owns all its controls.
class TEditFormBase : public controls::TForm {
 public:
  // The dialog's client size and the place of the help box and of OK and Cancel.
  struct tFrame {
    int width, height;
    controls::tRect commandBox;
    int commandLabelWidth;
    int okLeft, okWidth, cancelLeft, cancelWidth, buttonTop;
  };
  explicit TEditFormBase(const tFrame& frame);

  // "<command> Properties", the help box caption (with the product's name) and the description.
  void SetCommand(const std::string& name, const std::string& description,
                  const std::string& productName);
  // The host the glyph buttons ask; without one they do nothing.
  void SetHost(HostServices* host) { host_ = host; }
  // Fills the fields from the action's parameters and stores them back (OK only).
  virtual void LoadParameters(const Parameters& params) = 0;
  virtual void StoreParameters(Parameters& params) const = 0;

  TNeoBookHelpBox2 NeoBookCommandBox{this};
  TLabel CommandLabel{&NeoBookCommandBox};
  TButton OKBtn{this};
  TButton CancelBtn{this};

 protected:
  // A group panel with its caption set at run time and an edit field at (12, 28).
  TNeoBookPanel& AddPanel(const std::string& name, int left, int top, int width);
  TEdit& AddEdit(TNeoBookPanel& panel, const std::string& name, int width, int top = 28);
  // A flat 24 x 24 glyph button with its hint shown.
  TNeoBookButton& AddGlyphButton(TNeoBookPanel& panel, const std::string& name, int left,
                                 const char* glyph, const std::string& hint);
  // Keeps a control for the life of the dialog.
  template <class T>
  T& Adopt(std::unique_ptr<T> control) {
    T& result = *control;
    owned_.push_back(std::move(control));
    return result;
  }
  // The panels in the Tab order after OK and Cancel; the help box comes last.
  void SetPanelTabOrder(const std::vector<TNeoBookPanel*>& panels);

  // "Insert Variable": the host's variable editor (request 14) for the field's text.
  void InsertVariable(TEdit& field);
  // "Edit action string": the host's file chooser (request 16) for a JPG file.
  void EditActionString(TEdit& field);
  // The host's answer to an interface request; nothing without a host or when it refuses.
  std::optional<std::string> Request(std::int32_t code, const std::string& text);

 private:
  std::vector<std::unique_ptr<controls::TControl>> owned_;
  HostServices* host_ = nullptr;
};

// Resource names of the glyphs.
inline constexpr char kGlyphInsertVariable[] = "DUX_GLYPH_INSERT_VARIABLE";
inline constexpr char kGlyphEditAction[] = "DUX_GLYPH_EDIT_ACTION";

// The form font, the edit-field font and the glyphs' transparent purple.
platform::tFont DialogFont();
platform::tFont EditFont();

}  // namespace dux::editors
