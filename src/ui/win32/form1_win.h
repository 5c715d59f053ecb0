#pragma once
// The program's one window, built from the layout table. Its controls show the
// form model; only the four events of Form1Events run program code.

#include <optional>

#include "app/form1_events.h"
#include "app/form1_window.h"
#include "driveinfo/form_model.h"
#include "platform/system_queries.h"
#include "ui/win32/base_window_win.h"
#include "ui/win32/bound_controls_win.h"
#include "ui/win32/fonts_win.h"
#include "ui/win32/form1_controls_win.h"
#include "ui/win32/palette_win.h"

namespace vantora::ui::win32 {

class Form1 final : public BaseWindow<Form1>, public Form1Window {
 public:
  static constexpr const wchar_t* kClassName = L"VantoraForm1";

  // Creates the window and its controls, hidden, sized for the DPI of the
  // screen it starts on; the caller runs Form_Load and then shows it.
  Form1(HINSTANCE instance, Form1Model& model, SystemQueries& system);

  Form1Events& events() { return events_; }
  void show(int showCommand);
  // From now on, the figures on screen are kept current while the window is
  // shown and not minimised.
  void startLiveFigures();

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

  // Tab and Shift+Tab move the focus along the tab stops; with Ctrl held they
  // switch SSTab1's page, whichever control has the focus.
  void OnTabKey(bool shift, bool control);
  // Takes the palette for the system colours and the theme, and repaints.
  void followSystemColours(bool highContrast);

  Extent screenSize() const override;
  Extent outerSize() const override;
  void moveTo(Position topLeft) override;
  void render(const Form1Model& form) override;
  void renderDriveList(const Form1Model& form) override;
  void renderChanges(const Form1Model& before, const Form1Model& after) override;
  void messageBox(std::string_view text, std::string_view caption) override;
  void endProgram() override;
  void copyDetails(const Form1Model& form) override;

 private:
  void OnCommand(int controlId, int notification);
  void OnDpiChanged(int dpi, const RECT& suggested);
  void OnGetMinMaxInfo(MINMAXINFO& limits) const;
  void OnActivate(bool active);
  void OnLiveFiguresTimer();
  void OnContextMenu(POINT at);
  void OnSystemColoursChanged(UINT message, WPARAM wParam, LPARAM lParam);
  void switchPage(int step);
  void applyDpi(int dpi);
  void fitClientArea(int dpi);
  void namePictures(std::string_view driveTypeWords);

  Form1Events events_;
  Form1Controls controls_;
  std::optional<BoundControls> bound_;
  std::optional<Form1Fonts> fonts_;
  int dpi_ = USER_DEFAULT_SCREEN_DPI;
  Form1Palette palette_ = form1Palette(false);
  HWND focusWhenInactive_ = nullptr;  // given back when the window is active again
  bool liveFigures_ = false;
};

}  // namespace vantora::ui::win32
