// GoogleTest with one QApplication for the whole run, on the offscreen platform
// unless the environment names another.
#include <gtest/gtest.h>

#include <QApplication>

#include "ui/qt/fonts_qt.h"

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  vantora::ui::qt::installFontSubstitutions();
  return RUN_ALL_TESTS();
}
