#pragma once

// Names the dialogs give their windows, which the test user of the dialogs looks for.
namespace dux::platform {

// The window class of every dialog.
inline constexpr char kDialogClass[] = "duxIPTC.Dialog";
// The window property that holds a control window's design name ("Edit1").
inline constexpr char kControlNameProperty[] = "duxIPTC.ControlName";

}  // namespace dux::platform
