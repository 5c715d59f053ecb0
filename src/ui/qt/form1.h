#pragma once
#include <QMargins>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <optional>
#include <string_view>

#include "app/form1_events.h"
#include "app/form1_window.h"
#include "driveinfo/form_model.h"
#include "platform/system_queries.h"
#include "ui/qt/bound_controls.h"
#include "ui/qt/form1_controls.h"
#include "ui/qt/frame_extents.h"
#include "ui/qt/key_preview.h"
#include "ui/qt/maximise_refusal.h"

namespace vantora::ui::qt {

// What Form1 does outside itself, replaceable so tests can watch it.
struct Form1Seams {
  // A modal box with an OK button only and no icon.
  std::function<void(const QString& text, const QString& caption)> messageBox;
  // Ends the process at once with exit code 0.
  std::function<void()> endProgram;
};

// The program's one window, built from the layout table. Its controls show the
// form model; only the four events of Form1Events run program code.
class Form1 : public QWidget, public Form1Window {
 public:
  Form1(Form1Model& model, SystemQueries& system, Form1Seams seams = {});

  Form1Events& events() { return events_; }
  const Form1Controls& controls() const { return controls_; }
  // From now on, the figures on screen are kept current while the window is
  // shown and not minimised.
  void startLiveFigures();

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
  // The frame the window manager will give the window; none where it is not known.
  QMargins frameToCome() const;
  // The window's context menu: 「コピー」, wherever in the window it is asked for.
  void addCopyMenu();

  Form1Seams seams_;
  // Asked before the controls are built, answered by the time the load handler centres the window.
  FrameExtentsRequest frameRequest_;
  mutable std::optional<QMargins> frameToCome_;
  Form1Controls controls_;
  BoundControls bound_;
  Form1Events events_;
  KeyPreview keyPreview_;
  QTimer liveFigures_;
  MaximiseRefusal maximiseRefusal_{*this};
};

}  // namespace vantora::ui::qt
