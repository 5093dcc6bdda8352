// The editor's window: the map in the middle, the palette, the switch records and the checks
// beside it, the menus with the usual shortcuts, recent files, and Play.
#pragma once

#include <QMainWindow>
#include <QMessageBox>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "editor_model.h"
#include "figure_cache.h"
#include "level_checks.h"
#include "map_view.h"

class QAction;
class QActionGroup;
class QLabel;
class QListWidget;
class QMenu;
class QScrollArea;
class QTableWidget;
class QThread;

namespace karvan::editor {

class MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  explicit MainWindow(QWidget* Parent = nullptr);
  ~MainWindow() override;

  // A fresh level: one screen with its border column and row.
  void NewLevel();
  // Opens a file; a file that cannot be edited gets a message and changes nothing.
  bool OpenFile(const QString& Path);
  // The rows of a built-in level as a starting point (an untitled document).
  bool OpenBuiltIn(int Number);
  // Saves to the current file, or asks for a name when there is none.
  bool Save();
  bool SaveTo(const QString& Path);
  // Asks whether unsaved changes are saved first; false when the user cancels.
  bool MaybeSave();

  // Selection commands.
  void Copy();
  void Cut();
  void Paste();
  void DeleteSelection();
  void FillSelection();
  void SelectAll();
  // Rows and columns at the selection: as many as it covers, before its first (insert) or
  // its own (remove).
  void InsertRows();
  void RemoveRows();
  void InsertColumns();
  void RemoveColumns();
  // Deletes the switch records of the selected table rows.
  void DeleteSwitchRecords();

  // Saves and starts the game with the file.
  bool Play();
  // The game program: beside the editor, else on the PATH; empty when there is none.
  static QString GameProgram();

  // Runs the check that plays the level headless and waits for it (otherwise it runs beside
  // the window shortly after each change).
  void RunPlayCheck();
  // Whether the headless check of the current document has reported.
  bool PlayCheckDone() const { return PlayChecked; }
  // Every finding shown, in the order of the list.
  std::vector<Finding> Findings() const { return Shown; }

  QString FileName() const { return CurrentFile; }
  EditorModel& Model() { return Editor; }
  MapView& View() { return *Map; }
  QTableWidget& SwitchTable() { return *Switches; }
  QListWidget& ChecksList() { return *Checks; }
  QAction* ToolAction(Tool T) const;
  QAction* SelectAction() const { return SelectMode; }
  QAction* SwitchAction() const { return SwitchMode; }
  QStringList RecentFiles() const;

  // The dialogs, replaceable so that tests can answer them.
  std::function<QMessageBox::StandardButton()> AskToSave;
  std::function<void(const QString&)> ShowError;
  std::function<QString(bool ForSaving)> ChooseFile;
  std::function<bool(const QString& Program, const QStringList& Arguments)> Launch;

 protected:
  void closeEvent(QCloseEvent* Event) override;

 private:
  void BuildActions();
  void BuildPanels();
  void RefreshTitle();
  void RefreshChecks();
  void RefreshSwitchTable();
  void RefreshActions();
  void RefreshRecent();
  void AddRecent(const QString& Path);
  void ShowHovered(int x, int y);
  void SwitchEdited(int Row, int Column);
  void SetDocument(LevelDocument Document, const QString& Path, std::vector<std::string> Notes);

  EditorModel Editor;
  desktop::FigureCache FigureStore;
  MapView* Map = nullptr;
  QScrollArea* Scroll = nullptr;
  QTableWidget* Switches = nullptr;
  QListWidget* Checks = nullptr;
  QLabel* CellLabel = nullptr;
  QMenu* RecentMenu = nullptr;
  QActionGroup* Palette = nullptr;
  std::vector<std::pair<Tool, QAction*>> ToolActions;
  QAction* SelectMode = nullptr;
  QAction* SwitchMode = nullptr;
  std::vector<QAction*> SelectionActions;
  QAction* PasteAction = nullptr;
  QString CurrentFile;
  // Notes about the opened file or built-in level, shown until another is opened.
  std::vector<std::string> OpenNotes;
  std::vector<Finding> SlowFindings;
  bool PlayChecked = false;
  std::vector<Finding> Shown;
  QTimer PlayCheckTimer;
  void StartPlayCheck();
  // The headless check runs in a thread of its own; a result for an older document is dropped.
  std::unique_ptr<QThread> PlayWorker;
  int CheckGeneration = 0;
  bool Refreshing = false;
};

}  // namespace karvan::editor
