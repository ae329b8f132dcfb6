#include "controls/ControlScreen.h"

#include <algorithm>

namespace dux::controls {

class TControlScreen::Surface final : public WindowSurface {
 public:
  Surface(TControlScreen& screen, TControl& control) : screen_(screen), control_(control) {}
  void Invalidate() override {}
  WindowClient* ClientAtPointer() override {
    return screen_.ControlAt(screen_.pointerX_, screen_.pointerY_);
  }
  WindowClient* CaptureHolder() override { return screen_.capture_; }
  void CaptureMouse() override { screen_.capture_ = &control_; }
  void ReleaseMouse() override {
    if (screen_.capture_ == &control_) screen_.capture_ = nullptr;
  }
  bool MouseButtonHeld() override { return screen_.leftHeld_; }
  bool PaintParentBackground(Canvas&) override { return false; }

 private:
  TControlScreen& screen_;
  TControl& control_;
};

TControlScreen::TControlScreen(TControl& root) : root_(root) { AttachTree(root); }

TControlScreen::~TControlScreen() {
  for (auto& [control, surface] : surfaces_) control->AttachSurface(nullptr);
}

void TControlScreen::Attach(TControl& control) { AttachTree(control); }

void TControlScreen::AttachTree(TControl& control) {
  auto& surface = surfaces_[&control];
  if (!surface) surface = std::make_unique<Surface>(*this, control);
  control.AttachSurface(surface.get());
  for (TControl* child : control.Controls()) AttachTree(*child);
}

platform::MemoryCanvas TControlScreen::Render() {
  platform::MemoryCanvas canvas(root_.Width(), root_.Height(), ResolveColor(root_.GetColor()));
  PaintTree(canvas, root_, {0, 0, root_.Width(), root_.Height()});
  canvas.ResetViewport();
  return canvas;
}

platform::MemoryCanvas TControlScreen::RenderAlone(TControl& control, Color background) {
  platform::MemoryCanvas canvas(control.Width(), control.Height(), ResolveColor(background));
  control.Paint(canvas);
  return canvas;
}

void TControlScreen::PaintTree(platform::MemoryCanvas& canvas, TControl& control,
                               const tRect& clip) {
  if (!control.Visible()) return;
  const auto origin = Origin(control);
  const tRect place{origin.x, origin.y, origin.x + control.Width(), origin.y + control.Height()};
  const tRect visible{std::max(place.left, clip.left), std::max(place.top, clip.top),
                      std::min(place.right, clip.right), std::min(place.bottom, clip.bottom)};
  if (visible.Width() <= 0 || visible.Height() <= 0) return;
  canvas.SetViewport(place.left, place.top, visible);
  control.Paint(canvas);
  for (TControl* child : control.Controls()) PaintTree(canvas, *child, visible);
}

platform::tPoint TControlScreen::Origin(const TControl& control) const {
  platform::tPoint origin;
  for (const TControl* c = &control; c != nullptr && c != &root_; c = c->Parent()) {
    origin.x += c->Left();
    origin.y += c->Top();
  }
  return origin;
}

TControl* TControlScreen::ControlAt(int x, int y) const {
  if (x < 0 || y < 0 || x >= root_.Width() || y >= root_.Height()) return nullptr;
  TControl* found = &root_;
  for (bool deeper = true; deeper;) {
    deeper = false;
    const auto& children = found->Controls();
    for (auto it = children.rbegin(); it != children.rend(); ++it) {  // topmost first
      const auto origin = Origin(**it);
      if ((*it)->Visible() && x >= origin.x && y >= origin.y && x < origin.x + (*it)->Width() &&
          y < origin.y + (*it)->Height()) {
        found = *it;
        deeper = true;
        break;
      }
    }
  }
  return found;
}

TControl* TControlScreen::Target() const {
  return capture_ != nullptr ? capture_ : ControlAt(pointerX_, pointerY_);
}

void TControlScreen::MoveMouse(int x, int y) {
  pointerX_ = x;
  pointerY_ = y;
  if (TControl* target = Target()) {
    const auto origin = Origin(*target);
    target->MouseMove(x - origin.x, y - origin.y);
  }
}

void TControlScreen::PressLeft(int x, int y, bool doubleClick) {
  pointerX_ = x;
  pointerY_ = y;
  leftHeld_ = true;
  if (TControl* target = Target()) {
    const auto origin = Origin(*target);
    target->MouseDown(x - origin.x, y - origin.y, doubleClick);
  }
}

void TControlScreen::ReleaseLeft(int x, int y) {
  pointerX_ = x;
  pointerY_ = y;
  leftHeld_ = false;
  if (TControl* target = Target()) {
    const auto origin = Origin(*target);
    target->MouseUp(x - origin.x, y - origin.y);
  }
}

}  // namespace dux::controls
