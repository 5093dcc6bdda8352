// The game started with a level file, as `karvan-mirk FILE` or a file manager does it, and
// level files chosen in the game's file dialog, driven through the real windows.
#include <sys/stat.h>

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest/QTest>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "device_fixture.h"
#include "dialog_view.h"
#include "engine/level.h"
#include "game/custom_level_file.h"
#include "level_file_argument.h"

namespace karvan::desktop::test {
namespace {

// The hero at (0, 3) walks right to the gold.
const char* const WalkToGold =
    "AddRow('5,4,4,4,4,1');\n"
    "AddRow('1,0,0,0,0,1');\n"
    "AddRow('1,0,0,0,0,1');\n"
    "AddRow('17,0,0,0,64,1');\n"
    "AddRow('4,4,4,4,4,4');\n";

class LevelFileStart : public DeviceFixture {
 protected:
  LevelFileStart() {
    const auto* Info = ::testing::UnitTest::GetInstance()->current_test_info();
    Dir = std::filesystem::temp_directory_path() / (std::string("karvan-start-") + Info->name());
    std::filesystem::remove_all(Dir);
    std::filesystem::create_directories(Dir);
    Started = QDir::currentPath();
  }
  ~LevelFileStart() override {
    QDir::setCurrent(Started);
    std::error_code Error;
    std::filesystem::remove_all(Dir, Error);
  }

  std::string Write(const std::filesystem::path& Path, const std::string& Bytes) {
    std::filesystem::create_directories(Path.parent_path());
    std::ofstream(Path, std::ios::binary) << Bytes;
    return Path.string();
  }

  // Runs the game loop and answers every window it opens: the information window with
  // "&Play", a message box with "&Ok" (its text is logged), the level choice by cancelling
  // it (which ends the loop), a file dialog with the next of FileAnswers. While a level is
  // played, the next of InGame runs once the level has stood for half a second; without one
  // left the game quits. Everything is logged in order.
  void RunGame() {
    QTimer Driver;
    int Steps = 0;
    std::int64_t LevelSeen = -1;
    QObject::connect(&Driver, &QTimer::timeout, [&] {
      if (++Steps > 600) {  // 30 s: the game hangs; end it so the test can fail
        Log.push_back("hung");
        Form->Quit = true;
        if (QWidget* Modal = QApplication::activeModalWidget()) Modal->close();
        return;
      }
      QWidget* Modal = QApplication::activeModalWidget();
      if (auto* Dialog = qobject_cast<DialogView*>(Modal)) {
        if (Dialog->Form.Kind == TDialogKind::Intro) {
          Log.push_back("intro");
          Dialog->findChild<QPushButton*>("BitBtn1")->click();
        } else if (Dialog->Form.Kind == TDialogKind::LevelSelect) {
          Log.push_back("level choice");
          static_cast<QDialog*>(Dialog)->reject();
        }
      } else if (auto* Box = qobject_cast<QMessageBox*>(Modal)) {
        Log.push_back("message: " + Box->text().toStdString());
        Box->defaultButton()->click();
      } else if (auto* Files = qobject_cast<QFileDialog*>(Modal)) {
        Filters = Files->nameFilters();
        const std::string Answer = FileAnswers.empty() ? "" : FileAnswers.front();
        if (!FileAnswers.empty()) FileAnswers.erase(FileAnswers.begin());
        if (Answer.empty()) {
          Files->reject();
        } else {
          // Typed, as a player may: the dialog's list of the folder fills in later.
          auto* Name = Files->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
          ASSERT_NE(Name, nullptr);
          Name->setText(QString::fromStdString(Answer));
          static_cast<QDialog*>(Files)->accept();
        }
      } else if (Modal == nullptr && Form->Level && Form->Lives > 0) {
        if (LevelSeen < 0) LevelSeen = Steps;
        if (Steps - LevelSeen < 10) return;
        LevelSeen = -1;
        Log.push_back("playing " + std::to_string(Form->Level->Nr) + " hero " +
                      std::to_string(Form->HeroPos.X) + "," + std::to_string(Form->HeroPos.Y));
        if (InGame.empty()) {
          Form->Quit = true;
        } else {
          // Outside this handler: what it starts opens windows of its own.
          QTimer::singleShot(0, InGame.front());
          InGame.erase(InGame.begin());
        }
      }
    });
    Driver.start(50);
    Form->Run();
  }

  std::filesystem::path Dir;
  QString Started;
  std::vector<std::string> Log;
  std::vector<std::string> FileAnswers;
  std::vector<std::function<void()>> InGame;
  QStringList Filters;
};

TEST_F(LevelFileStart, ARelativeNameIsTakenFromTheStartFolderInAnyScript) {
  Write(Dir / "уровни 关卡" / "ходьба.karvan", WalkToGold);
  ASSERT_TRUE(QDir::setCurrent(QString::fromStdString(Dir.string())));
  const std::string Path = LevelFilePath(QStringLiteral("уровни 关卡/./ходьба.karvan"));
  EXPECT_EQ(Path, (Dir / "уровни 关卡" / "ходьба.karvan").string());
  // The program then moves to its own folder; the file is still found and played.
  QDir::setCurrent(QString::fromStdString(Platform.ProgramDirectory()));
  Form->StartLevelFile = Path;
  RunGame();
  EXPECT_EQ(Log, (std::vector<std::string>{"intro", "playing -1 hero 0,3"}));
}

TEST_F(LevelFileStart, ABadOrMissingFileGetsItsMessageAndThenTheLevelChoice) {
  const std::string Bad = Write(Dir / "bad.karvan", "AddSwitch(1,2,3,4,PosTop);\n");
  const std::string Missing = (Dir / "missing.karvan").string();
  const struct {
    std::string File;
    std::string Message;
  } Cases[] = {{Bad, Bad + " is not a valid Karvan Mirk File."},
               {Missing, "The file " + Missing + " does not exist."},
               {"/dev/zero", "The file /dev/zero cannot be read."},
               {Dir.string(), "The file " + Dir.string() + " cannot be read."}};
  bool First = true;
  for (const auto& Case : Cases) {
    Log.clear();
    Form->StartLevelFile = Case.File;
    RunGame();
    // The information window opens at the first start only.
    std::vector<std::string> Expected = {"message: " + Case.Message, "level choice"};
    if (std::exchange(First, false)) Expected.insert(Expected.begin(), "intro");
    EXPECT_EQ(Log, Expected) << Case.File;
    EXPECT_EQ(Form->Level, nullptr) << Case.File;
  }
}

TEST_F(LevelFileStart, FilesThatAreNoLevelLeaveTheRunningGameAlone) {
  const std::string Good = Write(Dir / "walk.karvan", WalkToGold);
  const std::string Pipe = (Dir / "pipe").string();
  ASSERT_EQ(mkfifo(Pipe.c_str(), 0600), 0);
  // A level followed by more than 4 MiB of blanks: never read whole, so no level.
  const std::string Huge = Write(
      Dir / "huge.karvan", std::string(WalkToGold) + std::string(MaxCustomLevelFileBytes, ' '));
  Form->StartLevelFile = Good;
  FileAnswers = {"/dev/zero", Pipe, Huge};
  const auto LoadFromMenu = [this] { Form->PopupMenu.FindByName("Load1")->Click(); };
  // One step right first, so that a game started afresh would show.
  InGame = {[this] { QTest::keyClick(&View, Qt::Key_Right); }, LoadFromMenu, LoadFromMenu,
            LoadFromMenu};
  RunGame();
  EXPECT_EQ(Log,
            (std::vector<std::string>{
                "intro", "playing -1 hero 0,3", "playing -1 hero 1,3",
                "message: The file /dev/zero cannot be read.", "playing -1 hero 1,3",
                "message: The file " + Pipe + " cannot be read.", "playing -1 hero 1,3",
                "message: " + Huge + " is not a valid Karvan Mirk File.", "playing -1 hero 1,3"}));
  EXPECT_EQ(Filters, (QStringList{"Karvan Mirk levels (*.karvan)", "All files (*)"}));
}

}  // namespace
}  // namespace karvan::desktop::test
