// A window of the editor with its dialogs answered by the test, and the pointer driven over
// the map in cell units.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <memory>
#include <string>
#include <vector>

#include "main_window.h"

namespace karvan::editor::test {

class EditorWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(Folder.isValid());
    Window = std::make_unique<MainWindow>();
    Window->AskToSave = [this] {
      ++Questions;
      return Answer;
    };
    Window->ShowError = [this](const QString& Text) { Errors.push_back(Text); };
    Window->ChooseFile = [this](bool) { return NextFile; };
    Window->Launch = [this](const QString& Program, const QStringList& Arguments) {
      Launched.push_back(Program);
      Launched += Arguments;
      return true;
    };
  }

  QString PathOf(const QString& Name) const { return Folder.filePath(Name); }

  QString Write(const QString& Name, const std::string& Bytes) const {
    QFile File(PathOf(Name));
    EXPECT_TRUE(File.open(QIODevice::WriteOnly));
    File.write(Bytes.data(), static_cast<qint64>(Bytes.size()));
    return PathOf(Name);
  }

  static std::string Read(const QString& Path) {
    QFile File(Path);
    EXPECT_TRUE(File.open(QIODevice::ReadOnly)) << Path.toStdString();
    return File.readAll().toStdString();
  }

  // A pointer event over the map at (x, y) in cell units.
  void Pointer(QEvent::Type Type, Qt::MouseButton Button, Qt::MouseButtons Held, double x,
               double y) {
    MapView& View = Window->View();
    const QPointF At = View.PointOf(x, y);
    QMouseEvent Event(Type, At, View.mapToGlobal(At), Button, Held, Qt::NoModifier);
    QApplication::sendEvent(&View, &Event);
  }
  void Press(double x, double y, Qt::MouseButton Button = Qt::LeftButton) {
    Pointer(QEvent::MouseButtonPress, Button, Button, x, y);
  }
  void Drag(double x, double y, Qt::MouseButton Button = Qt::LeftButton) {
    Pointer(QEvent::MouseMove, Qt::NoButton, Button, x, y);
  }
  void Release(double x, double y, Qt::MouseButton Button = Qt::LeftButton) {
    Pointer(QEvent::MouseButtonRelease, Button, Qt::NoButton, x, y);
  }
  void Click(double x, double y, Qt::MouseButton Button = Qt::LeftButton) {
    Press(x, y, Button);
    Release(x, y, Button);
  }
  void UseTool(Tool T) { Window->ToolAction(T)->trigger(); }
  void SelectCells(int x0, int y0, int x1, int y1) {
    Window->SelectAction()->trigger();
    Press(x0 + 0.5, y0 + 0.5);
    Drag(x1 + 0.5, y1 + 0.5);
    Release(x1 + 0.5, y1 + 0.5);
  }
  const LevelDocument& Document() { return Window->Model().Document(); }
  CellCode Code(int x, int y) { return Document().Code(x, y); }

  QTemporaryDir Folder;
  std::unique_ptr<MainWindow> Window;
  QMessageBox::StandardButton Answer = QMessageBox::Cancel;
  int Questions = 0;
  std::vector<QString> Errors;
  QString NextFile;
  QStringList Launched;
};

}  // namespace karvan::editor::test
