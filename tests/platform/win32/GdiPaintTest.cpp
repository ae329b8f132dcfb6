// The controls painted by their real window classes through GDI (under Wine in CI) and read
// back with GetPixel, against the same painting on the in-memory canvas.
#include "platform/win32/WindowsApi.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "controls/NeoBookButton.h"
#include "controls/NeoBookHelpBox2.h"
#include "controls/NeoBookPanel.h"
#include "controls/NeoDisplay.h"
#include "platform/Display.h"
#include "platform/MemoryCanvas.h"
#include "platform/win32/ControlWindow.h"
#include "platform/win32/GdiCanvas.h"
#include "tests/controls/ControlsTestSupport.h"

namespace dux::controls {
namespace {

using platform::ControlWindow;
using platform::GdiCanvas;
using platform::MemoryCanvas;
using platform::tBitmap;

// A plain top-level window to hold the control windows.
class HostWindow {
 public:
  HostWindow() {
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = platform::ThisModule();
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = "duxIPTC.TestHost";
    RegisterClassA(&wc);
    window_ = CreateWindowExA(WS_EX_TOPMOST, "duxIPTC.TestHost", "controls", WS_POPUP | WS_VISIBLE,
                              0, 0, 520, 140, nullptr, nullptr, platform::ThisModule(), nullptr);
  }
  ~HostWindow() { DestroyWindow(window_); }
  HostWindow(const HostWindow&) = delete;
  HostWindow& operator=(const HostWindow&) = delete;
  HWND Handle() const { return window_; }

 private:
  HWND window_;
};

void Pump() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
}

struct Case {
  std::string name;
  std::function<std::unique_ptr<TControl>()> make;
  std::function<void(TControl&)> pose = [](TControl&) {};
  std::string windowClass;
};

bool InInexactArea(const MemoryCanvas& memory, int x, int y) {
  for (const auto& r : memory.InexactAreas()) {
    if (Inflated(r, 1).Contains(x, y)) return true;
  }
  return false;
}

// Paints the control in a real child window and on memory, compares, and keeps both pictures.
void Compare(HostWindow& host, const Case& c, const std::string& style) {
  auto control = c.make();
  ControlWindow window(host.Handle(), *control, c.windowClass,
                       {10, 10, 10 + control->Width(), 10 + control->Height()});
  ASSERT_NE(window.Handle(), nullptr) << c.name;
  c.pose(*control);
  RedrawWindow(window.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  Pump();

  HDC dc = GetDC(window.Handle());
  tBitmap screen(control->Width(), control->Height());
  for (int y = 0; y < screen.height; ++y) {
    for (int x = 0; x < screen.width; ++x)
      screen.Set(x, y, static_cast<platform::Color>(GetPixel(dc, x, y)) & 0xFFFFFF);
  }
  MemoryCanvas memory(control->Width(), control->Height(), ResolveColor(kClBtnFace));
  {
    GdiCanvas measure(dc);
    memory.SetTextMeasurer(
        [&measure](std::string_view text, const platform::tFont& font, unsigned flags) {
          return measure.MeasureText(text, font, flags);
        });
    control->Paint(memory);
  }
  ReleaseDC(window.Handle(), dc);

  int compared = 0;
  int differing = 0;
  for (int y = 0; y < screen.height; ++y) {
    for (int x = 0; x < screen.width; ++x) {
      if (InInexactArea(memory, x, y)) continue;
      ++compared;
      if (screen.At(x, y) != memory.Image().At(x, y)) {
        if (differing++ < 5) {
          ADD_FAILURE() << c.name << " (" << style << ") pixel " << x << "," << y << ": GDI "
                        << std::hex << screen.At(x, y) << ", memory " << memory.Image().At(x, y);
        }
      }
    }
  }
  if (differing != 0) {
    std::string areas;
    for (const auto& r : memory.InexactAreas()) {
      areas += " (" + std::to_string(r.left) + "," + std::to_string(r.top) + "," +
               std::to_string(r.right) + "," + std::to_string(r.bottom) + ")";
    }
    ADD_FAILURE() << c.name << " (" << style << "): " << differing
                  << " pixels differ; inexact areas" << areas;
  }
  EXPECT_GT(compared, screen.width * screen.height / 2) << c.name;
  testing::SaveToGallery(screen, "gdi-" + style + "-" + c.name);
  testing::SaveToGallery(memory.Image(), "memory-" + style + "-" + c.name);
}

std::vector<Case> Cases(const tBitmap& glyph) {
  auto panel = [](std::string caption, std::string sub) {
    return [=] {
      auto p = std::make_unique<TNeoBookPanel>();
      p->SetBounds(0, 0, 361, 65);
      p->SetCaption(caption);
      p->SetSubCaption(sub);
      return std::unique_ptr<TControl>(std::move(p));
    };
  };
  auto helpBox = [](std::string caption) {
    return [=] {
      auto b = std::make_unique<TNeoBookHelpBox2>();
      b->SetBounds(0, 0, 361, 73);
      b->SetCaption(caption);
      return std::unique_ptr<TControl>(std::move(b));
    };
  };
  auto button = [glyph](bool flat) {
    return [=] {
      auto b = std::make_unique<TNeoBookButton>();
      b->SetBounds(0, 0, 24, 24);
      b->SetFlat(flat);
      b->SetGlyph(glyph);
      return std::unique_ptr<TControl>(std::move(b));
    };
  };
  auto asButton = [](TControl& c) -> TNeoBookButton& { return static_cast<TNeoBookButton&>(c); };
  const auto hot = [=](TControl& c) { asButton(c).MouseEnter(); };
  const auto pressed = [=](TControl& c) {
    asButton(c).MouseEnter(), asButton(c).MouseDown(5, 5, false);
  };
  const auto held = [=](TControl& c) { asButton(c).SetGroupIndex(1), asButton(c).SetDown(true); };
  const auto disabled = [=](TControl& c) { c.SetEnabled(false); };
  std::vector<Case> cases = {
      {"panel-caption", panel("Filename or variable of the JPG-file", ""), {}, "TNeoBookPanel"},
      {"panel-subcaption", panel("Caption", "and sub-caption"), {}, "TNeoBookPanel"},
      {"panel-empty", panel("", ""), {}, "TNeoBookPanel"},
      {"helpbox-caption", helpBox("duxIPTCread  (duxIPTC)"), {}, "TNeoBookHelpBox2"},
      {"helpbox-empty", helpBox(""), {}, "TNeoBookHelpBox2"},
  };
  for (const bool flat : {true, false}) {
    const std::string kind = flat ? "flat-" : "raised-";
    cases.push_back({"button-" + kind + "idle", button(flat), {}, "TNeoBookButton"});
    cases.push_back({"button-" + kind + "hot", button(flat), hot, "TNeoBookButton"});
    cases.push_back({"button-" + kind + "pressed", button(flat), pressed, "TNeoBookButton"});
    cases.push_back({"button-" + kind + "held", button(flat), held, "TNeoBookButton"});
    cases.push_back({"button-" + kind + "disabled", button(flat), disabled, "TNeoBookButton"});
  }
  for (auto& c : cases) {
    if (!c.pose) c.pose = [](TControl&) {};
  }
  return cases;
}

TEST(GdiPaint, EveryControlInEveryStateMatchesTheMemoryCanvas) {
  const auto glyph = platform::LoadBitmapResource("DUX_GLYPH_INSERT_VARIABLE");
  ASSERT_TRUE(glyph);
  HostWindow host;
  ASSERT_NE(host.Handle(), nullptr);
  for (const int colours : {16777216, 256}) {
    testing::DisplayGuard display(colours);
    testing::UseRealDisplayPictures();
    for (const auto& c : Cases(*glyph)) Compare(host, c, colours > 256 ? "shaded" : "flat");
  }
  ReleaseCapture();
}

}  // namespace
}  // namespace dux::controls
