#pragma once

#include <cstdint>

#include "host/HostApi.h"

namespace dux::editors {

// nbEditAction: shows the editor of command `number` (none for the template command, which
// receives the variable template when its parameter is empty) and writes the edited texts back
// on OK. True when the parameters were replaced (OK, or command 4).
bool EditAction(std::int32_t number, ActionParameters params);

class TAboutBoxForm;

// nbAbout: shows the about box.
void ShowAbout();
// The about box while ShowAbout shows it, else null.
TAboutBoxForm* ShownAboutBox();

}  // namespace dux::editors
