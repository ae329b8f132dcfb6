#pragma once

#include <map>
#include <memory>

#include "controls/TControl.h"
#include "platform/MemoryCanvas.h"

namespace dux::controls {

// A screen in memory that shows a tree of controls: it paints them (parents first, each
// clipped to its place) and plays the window system's part for the mouse: pointer position,
// mouse capture and the routing of button and move events. Tests and the stand-in dialogs
// drive it instead of a real desktop.
class TControlScreen {
 public:
  explicit TControlScreen(TControl& root);
  ~TControlScreen();
  TControlScreen(const TControlScreen&) = delete;
  TControlScreen& operator=(const TControlScreen&) = delete;

  // Paints the whole tree onto a fresh canvas of the root's size.
  platform::MemoryCanvas Render();
  // Paints one control alone, on a canvas of its own size filled with `background`.
  static platform::MemoryCanvas RenderAlone(TControl& control, Color background);

  // Mouse input in root coordinates; events go to the capture holder, else to the control
  // under the pointer.
  void MoveMouse(int x, int y);
  void PressLeft(int x, int y, bool doubleClick = false);
  void ReleaseLeft(int x, int y);
  bool LeftHeld() const { return leftHeld_; }

  TControl* ControlAt(int x, int y) const;
  TControl* CaptureHolder() const { return capture_; }
  // The control's top-left corner in root coordinates.
  platform::tPoint Origin(const TControl& control) const;
  // Attaches the screen to controls added after it was created.
  void Attach(TControl& control);

 private:
  class Surface;
  void AttachTree(TControl& control);
  void PaintTree(platform::MemoryCanvas& canvas, TControl& control, const tRect& clip);
  TControl* Target() const;

  TControl& root_;
  std::map<TControl*, std::unique_ptr<Surface>> surfaces_;
  TControl* capture_ = nullptr;
  int pointerX_ = -1;
  int pointerY_ = -1;
  bool leftHeld_ = false;
};

}  // namespace dux::controls
