// Widgets need an application object; the tests paint into memory, without a display, and
// keep their settings (recent files) away from the user's.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QStandardPaths>

int main(int argc, char* argv[]) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QStandardPaths::setTestModeEnabled(true);
  qputenv("XDG_CONFIG_HOME", (QDir::tempPath() + "/karvan-edit-test-config").toUtf8());
  QApplication App(argc, argv);
  QApplication::setOrganizationName(QStringLiteral("KarvanMirkTest"));
  QApplication::setApplicationName(QStringLiteral("karvan-edit-tests"));
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
