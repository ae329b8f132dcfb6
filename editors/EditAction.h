#pragma once

#include <cstdint>

#include "editors/HostServices.h"

namespace dux::editors {

// Shows the editor of command `number` (commands 1, 2, 3, 5 and 6 have one) with the command's
// name and description from `host`, and stores the edited texts into `params` on OK. True on OK;
// false on Cancel and for a number without an editor.
bool EditAction(std::int32_t number, Parameters& params, HostServices& host);

class TAboutBoxForm;

// Shows the about box with the command list `host` gives.
void ShowAbout(HostServices& host);
// The about box while ShowAbout shows it, else null.
TAboutBoxForm* ShownAboutBox();

}  // namespace dux::editors
