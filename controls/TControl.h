#pragma once

#include <functional>
#include <string>
#include <vector>

#include "controls/NeoUtils.h"
#include "platform/WindowClient.h"

namespace dux::controls {

using platform::tFont;
using platform::WindowClient;
using platform::WindowSurface;

// The common ground of the host-look controls: a place in a parent, colours, font, caption,
// enabled and visible flags, repaint requests, and notice when another control goes away.
// The parent does not own its children: the dialog that creates them does.
class TControl : public platform::WindowClient {
 public:
  explicit TControl(TControl* parent = nullptr);
  ~TControl() override;
  TControl(const TControl&) = delete;
  TControl& operator=(const TControl&) = delete;

  TControl* Parent() const { return parent_; }
  void SetParent(TControl* parent);
  const std::vector<TControl*>& Controls() const { return children_; }

  void SetBounds(int left, int top, int width, int height);
  tRect BoundsRect() const { return bounds_; }
  int Left() const { return bounds_.left; }
  int Top() const { return bounds_.top; }
  int Width() const { return bounds_.Width(); }
  int Height() const { return bounds_.Height(); }
  tRect ClientRect() const { return {0, 0, Width(), Height()}; }
  // The rectangle offered to aligned children (`canvas` measures fonts); the base offers the
  // whole client area.
  virtual tRect AlignClientRect(Canvas& /*canvas*/) const { return ClientRect(); }

  const std::string& Name() const { return name_; }
  void SetName(std::string name) { name_ = std::move(name); }
  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string caption);
  const std::string& Hint() const { return hint_; }
  void SetHint(std::string hint) { hint_ = std::move(hint); }
  bool ShowHint() const { return showHint_; }
  void SetShowHint(bool value) { showHint_ = value; }
  std::string HintText() const override { return showHint_ ? hint_ : std::string(); }

  // The background colour; the parent's while ParentColor is true.
  Color GetColor() const;
  void SetColor(Color color);
  bool ParentColor() const { return parentColor_; }
  void SetParentColor(bool value);
  const tFont& Font() const;
  Color FontColor() const;
  void SetFont(const tFont& font, Color color);

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  bool Visible() const { return visible_; }
  void SetVisible(bool visible);
  // Whether the parent chain is visible, so the control is on screen.
  bool Showing() const;
  bool RightToLeft() const { return rightToLeft_; }
  void SetRightToLeft(bool value);
  // Whether this control can take the keyboard focus (windowed controls of the dialog can).
  virtual bool CanFocus() const { return false; }
  virtual void SetFocus() {}

  // Asks for a repaint. PaintRequests counts the requests, so tests can see when a control
  // repainted itself and when it did not.
  void Invalidate();
  int PaintRequests() const { return paintRequests_; }

  // Asks to be told (Notification) when `other` is destroyed.
  void FreeNotification(TControl* other);

  // The place among the parent's controls in the Tab order (the order of creation unless set).
  int TabOrder() const { return tabOrder_; }
  void SetTabOrder(int order);

  // The first control of this name in the tree below this one (or this one).
  TControl* FindControl(const std::string& name);
  template <class T>
  T* Find(const std::string& name) {
    return dynamic_cast<T*>(FindControl(name));
  }

  std::function<void(int x, int y)> onMouseMove;
  void MouseMove(int x, int y) override;

  // As the window system sees the control.
  std::string ControlName() const override { return name_; }
  std::string WindowClassName() const override { return "TControl"; }
  std::vector<WindowClient*> TabOrderedChildren() const override;
  tRect WindowBounds() const override { return bounds_; }
  bool WindowVisible() const override { return visible_; }
  tFont WindowFont() const override { return Font(); }
  Color WindowTextColor() const override { return ResolveColor(FontColor()); }
  Color WindowBackground() const override { return ResolveColor(GetColor()); }

 protected:
  virtual void Notification(TControl* /*removed*/) {}
  virtual void EnabledChanged() { Invalidate(); }

 private:
  void RemoveListener(TControl* listener);

  TControl* parent_ = nullptr;
  std::vector<TControl*> children_;
  std::vector<TControl*> listeners_;
  tRect bounds_;
  std::string name_;
  std::string caption_;
  std::string hint_;
  Color color_ = kClBtnFace;
  bool parentColor_ = false;
  tFont font_;
  Color fontColor_ = kClWindowText;
  bool parentFont_ = true;
  bool enabled_ = true;
  bool visible_ = true;
  bool rightToLeft_ = false;
  int paintRequests_ = 0;
  int tabOrder_ = 0;
  bool showHint_ = false;
};

// The character that follows a single "&" in a caption ("&&" stands for "&"), or 0.
char AcceleratorOf(const std::string& caption);

// Whether a typed key is a caption's accelerator (letters compared without case).
bool IsAccelerator(char key, const std::string& caption);

}  // namespace dux::controls
