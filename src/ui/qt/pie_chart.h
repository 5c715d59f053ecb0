#pragma once
#include <QRect>
#include <QWidget>

namespace vantora::ui::qt {

// The usage pie (MSChart1): two wedges sharing one disc by the ratio of two
// values, series C1 red and C2 green. It knows fractions, not disks. It paints
// no backdrop: where it overlaps the tab control, the tab's edge shows.
class PieChart : public QWidget {
 public:
  explicit PieChart(QWidget* parent);

  // The disc's square, in the widget's coordinates; the window decides it so the
  // disc stays clear of the strip its bottom edge cuts off.
  void setDiscRect(QRect disc);
  QRect discRect() const { return disc_; }
  void setData(double element1, double element2);
  double element1() const { return element1_; }
  double element2() const { return element2_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void describe();

  QRect disc_;
  double element1_ = 1000;
  double element2_ = 24;
};

}  // namespace vantora::ui::qt
