#include "editors/EditAction.h"

#include <memory>

#include "editors/About.h"
#include "editors/Edit1IR.h"
#include "editors/Edit2IW.h"
#include "editors/Edit5SJ.h"
#include "editors/Edit99.h"
#include "platform/Dialog.h"

namespace dux::editors {
namespace {

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

bool EditAction(std::int32_t number, Parameters& params, HostServices& host) {
  auto form = CreateEditor(number);
  if (!form) return false;
  for (const tCommandInfo& command : host.Commands()) {
    if (command.number == number)
      form->SetCommand(command.name, command.description, host.ProductName());
  }
  form->SetHost(&host);
  form->LoadParameters(params);
  if (host.ShowModal(*form) != platform::kModalOk) return false;
  form->StoreParameters(params);
  return true;
}

void ShowAbout(HostServices& host) {
  TAboutBoxForm form;
  form.Memo1.lines = AboutCommandLines(host.GroupNames(), host.Commands());
  form.host = &host;
  const ShownReference shown(form);
  host.ShowModal(form);
}

TAboutBoxForm* ShownAboutBox() { return shownAboutBox; }

}  // namespace dux::editors
