#include "editors/EditAction.h"

#include <memory>

#include "editors/About.h"
#include "editors/Edit1IR.h"
#include "editors/Edit2IW.h"
#include "editors/Edit5SJ.h"
#include "editors/Edit99.h"
#include "host/CommandTable.h"
#include "host/PluginState.h"
#include "host/UtilityCommands.h"
#include "platform/Dialog.h"

namespace dux::editors {
namespace {

constexpr std::int32_t kTemplateCommand = 4;

// The about box while it is shown.
TAboutBoxForm* shownAboutBox = nullptr;

class ShownReference {
 public:
  explicit ShownReference(TAboutBoxForm& form) { shownAboutBox = &form; }
  ~ShownReference() { shownAboutBox = nullptr; }
  ShownReference(const ShownReference&) = delete;
  ShownReference& operator=(const ShownReference&) = delete;
};

std::unique_ptr<TEditFormBase> CreateEditor(std::int32_t number) {
  switch (number) {
    case 1:
    case 5:
      return std::make_unique<TEditForm1IR>();
    case 2:
      return std::make_unique<TEditForm2IW>();
    case 3:
      return std::make_unique<TEditForm99>();
    case 6:
      return std::make_unique<TEditForm5SJ>();
    default:
      return nullptr;
  }
}

}  // namespace

bool EditAction(std::int32_t number, ActionParameters params) {
  if (number == kTemplateCommand) {
    if (Parameter(params, 0).empty()) SetParameter(params, 0, VariableTemplate());
    return true;
  }
  const auto row = CommandByNumber(number);
  auto form = CreateEditor(number);
  if (!row || !form) return false;
  const std::string name(row->Name);
  form->SetCommand(name, PluginState().commandDescriptions[static_cast<std::size_t>(number) - 1]);
  form->LoadParameters(params);
  if (form->ShowModal(platform::ActiveWindow()) != platform::kModalOk) return false;
  form->StoreParameters(params);
  return true;
}

void ShowAbout() {
  TAboutBoxForm form;
  const ShownReference shown(form);
  form.ShowModal(platform::ActiveWindow());
}

TAboutBoxForm* ShownAboutBox() { return shownAboutBox; }

}  // namespace dux::editors
