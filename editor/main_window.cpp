#include "main_window.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDockWidget>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QProcess>
#include <QPushButton>
#include <QSaveFile>
#include <QScrollArea>
#include <QSettings>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTableWidget>
#include <QThread>
#include <QToolBar>
#include <QVBoxLayout>
#include <algorithm>

#include "game_bridge.h"

namespace karvan::editor {

namespace {

constexpr int MaxRecent = 8;
const char* const FileFilter = "Karvan Mirk levels (*.karvan);;All files (*)";
constexpr int CellXRole = Qt::UserRole + 1;
constexpr int CellYRole = Qt::UserRole + 2;

QString Q(const std::string& Text) {
  return QString::fromStdString(Text);
}

const char* SeverityWord(Severity S) {
  switch (S) {
    case Severity::Refused:
      return "Refused";
    case Severity::Spoils:
      return "Spoils play";
    default:
      return "Note";
  }
}

// A new level: one screen of 5 x 4 cells with the border column and row, a floor, walls at
// the sides, the hero at the left and gold at the right.
LevelDocument FreshLevel() {
  LevelDocument D(6, 5);
  for (int y = 0; y < 4; ++y) D.SetCode(0, y, KindBit(gcWallVert));
  for (int y = 0; y < 4; ++y) D.SetCode(5, y, KindBit(gcWallVert));
  for (int x = 0; x < 5; ++x) {
    D.SetCode(x, 0, D.Code(x, 0) | KindBit(gcWallHorz));
    D.SetCode(x, 4, KindBit(gcWallHorz));
  }
  D.SetCode(0, 3, D.Code(0, 3) | KindBit(gcHero));
  D.SetCode(4, 3, D.Code(4, 3) | KindBit(gcGold));
  return D;
}

// The checks that play or search the level: too slow for every edit.
std::vector<Finding> SlowChecks(const LevelDocument& Document) {
  std::vector<Finding> Found = CheckRoutes(Document);
  if (auto Hurt = CheckFirstSeconds(Document)) Found.insert(Found.begin(), *Hurt);
  return Found;
}

}  // namespace

MainWindow::MainWindow(QWidget* Parent) : QMainWindow(Parent) {
  AskToSave = [this] {
    return QMessageBox::question(
        this, tr("Unsaved changes"), tr("The level has unsaved changes. Save them first?"),
        QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Save);
  };
  ShowError = [this](const QString& Text) { QMessageBox::warning(this, tr("karvan-edit"), Text); };
  ChooseFile = [this](bool ForSaving) {
    const QString Folder = CurrentFile.isEmpty() ? QString() : QFileInfo(CurrentFile).path();
    if (!ForSaving)
      return QFileDialog::getOpenFileName(this, tr("Open level"), Folder, tr(FileFilter));
    QString Name = QFileDialog::getSaveFileName(this, tr("Save level"), Folder, tr(FileFilter));
    if (!Name.isEmpty() && QFileInfo(Name).suffix().isEmpty()) Name += QStringLiteral(".karvan");
    return Name;
  };
  Launch = [](const QString& Program, const QStringList& Arguments) {
    return QProcess::startDetached(Program, Arguments);
  };

  Scroll = new QScrollArea(this);                  // owned by the window
  Map = new MapView(Editor, FigureStore, Scroll);  // owned by the scroll area
  Scroll->setWidget(Map);
  Scroll->setAlignment(Qt::AlignCenter);
  setCentralWidget(Scroll);
  CellLabel = new QLabel(this);  // owned by the status bar
  statusBar()->addPermanentWidget(CellLabel);

  BuildActions();
  BuildPanels();

  connect(&Editor, &EditorModel::DocumentChanged, this, [this] {
    PlayChecked = false;
    SlowFindings.clear();
    ++CheckGeneration;
    RefreshChecks();
    RefreshSwitchTable();
    RefreshActions();
    PlayCheckTimer.start();
  });
  connect(&Editor, &EditorModel::SelectionChanged, this, [this] { RefreshActions(); });
  connect(&Editor.History(), &QUndoStack::cleanChanged, this, [this] { RefreshTitle(); });
  connect(Map, &MapView::Hovered, this, [this](int x, int y) { ShowHovered(x, y); });
  connect(Map, &MapView::Prompt, this,
          [this](const QString& Text) { statusBar()->showMessage(Text); });

  PlayCheckTimer.setSingleShot(true);
  PlayCheckTimer.setInterval(700);
  connect(&PlayCheckTimer, &QTimer::timeout, this, [this] { StartPlayCheck(); });

  resize(1100, 720);
  NewLevel();
}

MainWindow::~MainWindow() {
  if (PlayWorker) PlayWorker->wait();
}

void MainWindow::BuildActions() {
  QMenu* File = menuBar()->addMenu(tr("&File"));
  File->addAction(tr("&New"), QKeySequence::New, this, [this] {
    if (MaybeSave()) NewLevel();
  });
  File->addAction(tr("&Open..."), QKeySequence::Open, this, [this] {
    if (!MaybeSave()) return;
    const QString Name = ChooseFile(false);
    if (!Name.isEmpty()) OpenFile(Name);
  });
  File->addAction(tr("Open &built-in level..."), this, [this] {
    if (!MaybeSave()) return;
    bool Ok = false;
    const int N = QInputDialog::getInt(this, tr("Open built-in level"), tr("Level:"), 1, 1,
                                       BuiltInLevelTotal, 1, &Ok);
    if (Ok) OpenBuiltIn(N);
  });
  RecentMenu = File->addMenu(tr("Open &recent"));
  File->addSeparator();
  File->addAction(tr("&Save"), QKeySequence::Save, this, [this] { Save(); });
  File->addAction(tr("Save &as..."), QKeySequence::SaveAs, this, [this] {
    const QString Name = ChooseFile(true);
    if (!Name.isEmpty()) SaveTo(Name);
  });
  File->addSeparator();
  QAction* PlayAction = File->addAction(tr("&Play"), this, [this] { Play(); });
  PlayAction->setShortcut(Qt::Key_F5);
  File->addSeparator();
  File->addAction(tr("&Quit"), QKeySequence::Quit, this, [this] { close(); });

  QMenu* Edit = menuBar()->addMenu(tr("&Edit"));
  QAction* Undo = Editor.History().createUndoAction(this, tr("&Undo"));
  Undo->setShortcut(QKeySequence::Undo);
  QAction* Redo = Editor.History().createRedoAction(this, tr("&Redo"));
  Redo->setShortcut(QKeySequence::Redo);
  Edit->addAction(Undo);
  Edit->addAction(Redo);
  Edit->addSeparator();
  SelectionActions.push_back(
      Edit->addAction(tr("Cu&t"), QKeySequence::Cut, this, [this] { Cut(); }));
  SelectionActions.push_back(
      Edit->addAction(tr("&Copy"), QKeySequence::Copy, this, [this] { Copy(); }));
  PasteAction = Edit->addAction(tr("&Paste"), QKeySequence::Paste, this, [this] { Paste(); });
  SelectionActions.push_back(
      Edit->addAction(tr("&Delete"), QKeySequence::Delete, this, [this] { DeleteSelection(); }));
  SelectionActions.push_back(Edit->addAction(tr("&Fill with the palette's figure"),
                                             QKeySequence(tr("Ctrl+F")), this,
                                             [this] { FillSelection(); }));
  Edit->addAction(tr("Select &all"), QKeySequence::SelectAll, this, [this] { SelectAll(); });

  QMenu* MapMenu = menuBar()->addMenu(tr("&Map"));
  SelectionActions.push_back(
      MapMenu->addAction(tr("Insert &rows above the selection"), this, [this] { InsertRows(); }));
  SelectionActions.push_back(
      MapMenu->addAction(tr("Remove the selected r&ows"), this, [this] { RemoveRows(); }));
  SelectionActions.push_back(MapMenu->addAction(tr("Insert &columns left of the selection"), this,
                                                [this] { InsertColumns(); }));
  SelectionActions.push_back(
      MapMenu->addAction(tr("Remove the selected co&lumns"), this, [this] { RemoveColumns(); }));

  QMenu* ViewMenu = menuBar()->addMenu(tr("&View"));
  ViewMenu->addAction(tr("Zoom &in"), QKeySequence::ZoomIn, this,
                      [this] { Map->SetZoom(Map->Zoom() * 1.25); });
  ViewMenu->addAction(tr("Zoom &out"), QKeySequence::ZoomOut, this,
                      [this] { Map->SetZoom(Map->Zoom() / 1.25); });
  ViewMenu->addAction(tr("&Actual size"), QKeySequence(tr("Ctrl+0")), this,
                      [this] { Map->SetZoom(1.0); });

  // The palette: a figure kind to paint with, the selection, or picking a switch record.
  QToolBar* Bar = addToolBar(tr("Palette"));
  Bar->setObjectName(QStringLiteral("Palette"));
  Bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
  Palette = new QActionGroup(this);  // owned by the window
  for (const ToolInfo& Info : Tools) {
    QAction* A = Bar->addAction(tr(Info.Name));
    A->setCheckable(true);
    Palette->addAction(A);
    const Tool T = Info.Kind;
    connect(A, &QAction::triggered, this, [this, T] {
      Map->SetMode(MapView::Mode::Paint);
      Map->SetTool(T);
      statusBar()->showMessage(
          tr("Left button adds, right button removes; walls and locks go "
             "on the edge nearest the pointer."));
    });
    ToolActions.emplace_back(T, A);
  }
  ToolActions.front().second->setChecked(true);
  Bar->addSeparator();
  SelectMode = Bar->addAction(tr("Select"));
  SelectMode->setCheckable(true);
  Palette->addAction(SelectMode);
  connect(SelectMode, &QAction::triggered, this, [this] {
    Map->SetMode(MapView::Mode::Select);
    statusBar()->showMessage(tr("Drag a rectangle to select cells."));
  });
  SwitchMode = Bar->addAction(tr("New switch record"));
  SwitchMode->setCheckable(true);
  Palette->addAction(SwitchMode);
  connect(SwitchMode, &QAction::triggered, this,
          [this] { Map->SetMode(MapView::Mode::PickSwitch); });
  Bar->addSeparator();
  Bar->addAction(PlayAction);
  RefreshRecent();
}

void MainWindow::BuildPanels() {
  auto* SwitchDock = new QDockWidget(tr("Switch records"), this);  // owned by the window
  SwitchDock->setObjectName(QStringLiteral("SwitchRecords"));
  auto* SwitchPanel = new QWidget(SwitchDock);        // owned by the dock
  auto* SwitchLayout = new QVBoxLayout(SwitchPanel);  // owned by the panel
  Switches = new QTableWidget(0, 5, SwitchPanel);     // owned by the panel
  Switches->setHorizontalHeaderLabels(
      {tr("Switch x"), tr("Switch y"), tr("Platform x"), tr("Platform y"), tr("Direction")});
  Switches->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  Switches->setSelectionBehavior(QAbstractItemView::SelectRows);
  SwitchLayout->addWidget(Switches);
  auto* Delete = new QPushButton(tr("Delete record"), SwitchPanel);  // owned by the panel
  SwitchLayout->addWidget(Delete);
  SwitchDock->setWidget(SwitchPanel);
  addDockWidget(Qt::RightDockWidgetArea, SwitchDock);
  connect(Delete, &QPushButton::clicked, this, [this] { DeleteSwitchRecords(); });
  connect(Switches, &QTableWidget::cellChanged, this,
          [this](int Row, int Column) { SwitchEdited(Row, Column); });
  connect(Switches, &QTableWidget::currentCellChanged, this, [this](int Row, int, int, int) {
    const auto& Records = Editor.Document().Switches;
    if (Row >= 0 && Row < static_cast<int>(Records.size())) Map->Mark(Records[Row].Switch);
  });

  auto* CheckDock = new QDockWidget(tr("Checks"), this);  // owned by the window
  CheckDock->setObjectName(QStringLiteral("Checks"));
  Checks = new QListWidget(CheckDock);  // owned by the dock
  Checks->setWordWrap(true);
  CheckDock->setWidget(Checks);
  addDockWidget(Qt::RightDockWidgetArea, CheckDock);
  connect(Checks, &QListWidget::itemActivated, this, [this](QListWidgetItem* Item) {
    if (!Item->data(CellXRole).isValid()) return;
    const TPoint Cell{Item->data(CellXRole).toInt(), Item->data(CellYRole).toInt()};
    Map->Mark(Cell);
    const QPoint Centre = Map->PointOf(Cell.X + 0.5, Cell.Y + 0.5);
    Scroll->ensureVisible(Centre.x(), Centre.y(), 100, 100);
  });
}

QAction* MainWindow::ToolAction(Tool T) const {
  for (const auto& [Kind, Action] : ToolActions)
    if (Kind == T) return Action;
  return nullptr;
}

void MainWindow::SetDocument(LevelDocument Document, const QString& Path,
                             std::vector<std::string> Notes) {
  CurrentFile = Path;
  OpenNotes = std::move(Notes);
  Map->Mark(std::nullopt);
  Editor.Reset(std::move(Document));
  RefreshTitle();
}

void MainWindow::NewLevel() {
  SetDocument(FreshLevel(), QString(), {});
}

bool MainWindow::OpenFile(const QString& Path) {
  const ReadResult Read = ReadLevelFile(Path.toStdString());
  if (Read.Error) {
    ShowError(Q(*Read.Error));
    return false;
  }
  const QString Full = QFileInfo(Path).absoluteFilePath();
  SetDocument(Read.Document, Full, Read.Notes);
  AddRecent(Full);
  statusBar()->showMessage(tr("Opened %1").arg(Full), 5000);
  return true;
}

bool MainWindow::OpenBuiltIn(int Number) {
  const auto Import = ImportBuiltInLevel(Number);
  if (!Import) {
    ShowError(tr("There is no built-in level %1.").arg(Number));
    return false;
  }
  SetDocument(Import->Document, QString(), Import->Lost);
  // A starting point, not a saved file: leaving it asks first.
  Editor.History().resetClean();
  RefreshTitle();
  statusBar()->showMessage(tr("Built-in level %1").arg(Number), 5000);
  return true;
}

bool MainWindow::Save() {
  if (CurrentFile.isEmpty()) {
    const QString Name = ChooseFile(true);
    if (Name.isEmpty()) return false;
    return SaveTo(Name);
  }
  return SaveTo(CurrentFile);
}

bool MainWindow::SaveTo(const QString& Path) {
  // The old file stays whole until the new one is written completely.
  QSaveFile Out(Path);
  const std::string Text = Editor.Document().Text();
  if (!Out.open(QIODevice::WriteOnly) ||
      Out.write(Text.data(), static_cast<qint64>(Text.size())) !=
          static_cast<qint64>(Text.size()) ||
      !Out.commit()) {
    ShowError(tr("The level could not be saved to %1: %2").arg(Path, Out.errorString()));
    return false;
  }
  CurrentFile = QFileInfo(Path).absoluteFilePath();
  Editor.History().setClean();
  AddRecent(CurrentFile);
  RefreshTitle();
  statusBar()->showMessage(tr("Saved %1").arg(CurrentFile), 5000);
  return true;
}

bool MainWindow::MaybeSave() {
  if (Editor.History().isClean()) return true;
  switch (AskToSave()) {
    case QMessageBox::Save:
      return Save();
    case QMessageBox::Discard:
      return true;
    default:
      return false;
  }
}

void MainWindow::closeEvent(QCloseEvent* Event) {
  if (MaybeSave())
    Event->accept();
  else
    Event->ignore();
}

void MainWindow::Copy() {
  if (const auto S = Editor.Selection()) Editor.Clipboard = Editor.Document().Cut(*S);
  RefreshActions();
}

void MainWindow::Cut() {
  const auto S = Editor.Selection();
  if (!S) return;
  Copy();
  LevelDocument After = Editor.Document();
  After.Paste(LevelDocument(S->Width, S->Height), S->X, S->Y);
  Editor.Change(tr("Cut"), std::move(After));
}

void MainWindow::Paste() {
  if (!Editor.Clipboard) return;
  const auto S = Editor.Selection();
  const int x = S ? S->X : 0;
  const int y = S ? S->Y : 0;
  LevelDocument After = Editor.Document();
  After.Paste(*Editor.Clipboard, x, y);
  Editor.Change(tr("Paste"), std::move(After));
  Editor.Select(CellRect{x, y, std::min(Editor.Clipboard->Width(), Editor.Document().Width() - x),
                         std::min(Editor.Clipboard->Height(), Editor.Document().Height() - y)});
}

void MainWindow::DeleteSelection() {
  const auto S = Editor.Selection();
  if (!S) return;
  LevelDocument After = Editor.Document();
  After.Paste(LevelDocument(S->Width, S->Height), S->X, S->Y);
  Editor.Change(tr("Delete"), std::move(After));
}

void MainWindow::FillSelection() {
  const auto S = Editor.Selection();
  if (!S) return;
  LevelDocument After = Editor.Document();
  if (FillArea(After, Map->CurrentTool(), *S, true, true))
    Editor.Change(tr("Fill"), std::move(After));
}

void MainWindow::SelectAll() {
  const LevelDocument& D = Editor.Document();
  Editor.Select(CellRect{0, 0, D.Width(), D.Height()});
}

void MainWindow::InsertRows() {
  const auto S = Editor.Selection();
  if (!S) return;
  LevelDocument After = Editor.Document();
  After.InsertRows(S->Y, S->Height);
  Editor.Change(tr("Insert rows"), std::move(After));
}

void MainWindow::RemoveRows() {
  const auto S = Editor.Selection();
  if (!S) return;
  LevelDocument After = Editor.Document();
  After.RemoveRows(S->Y, S->Height);
  Editor.Select(std::nullopt);
  Editor.Change(tr("Remove rows"), std::move(After));
}

void MainWindow::InsertColumns() {
  const auto S = Editor.Selection();
  if (!S) return;
  LevelDocument After = Editor.Document();
  After.InsertColumns(S->X, S->Width);
  Editor.Change(tr("Insert columns"), std::move(After));
}

void MainWindow::RemoveColumns() {
  const auto S = Editor.Selection();
  if (!S) return;
  LevelDocument After = Editor.Document();
  After.RemoveColumns(S->X, S->Width);
  Editor.Select(std::nullopt);
  Editor.Change(tr("Remove columns"), std::move(After));
}

void MainWindow::DeleteSwitchRecords() {
  std::vector<int> Rows;
  for (const QModelIndex& Index : Switches->selectionModel()->selectedRows())
    Rows.push_back(Index.row());
  if (Rows.empty() && Switches->currentRow() >= 0) Rows.push_back(Switches->currentRow());
  if (Rows.empty()) return;
  std::sort(Rows.rbegin(), Rows.rend());
  LevelDocument After = Editor.Document();
  for (int Row : Rows)
    if (Row < static_cast<int>(After.Switches.size()))
      After.Switches.erase(After.Switches.begin() + Row);
  Editor.Change(tr("Delete switch record"), std::move(After));
}

void MainWindow::SwitchEdited(int Row, int Column) {
  if (Refreshing || Column > 3) return;
  LevelDocument After = Editor.Document();
  if (Row < 0 || Row >= static_cast<int>(After.Switches.size())) return;
  bool Ok = false;
  const int Value = Switches->item(Row, Column)->text().trimmed().toInt(&Ok);
  if (!Ok) {
    RefreshSwitchTable();  // back to what the record holds
    return;
  }
  SwitchRecord& R = After.Switches[Row];
  int* Fields[] = {&R.Switch.X, &R.Switch.Y, &R.Platform.X, &R.Platform.Y};
  *Fields[Column] = Value;
  Editor.Change(tr("Edit switch record"), std::move(After));
}

void MainWindow::RefreshSwitchTable() {
  Refreshing = true;
  const auto& Records = Editor.Document().Switches;
  Switches->setRowCount(static_cast<int>(Records.size()));
  for (int Row = 0; Row < static_cast<int>(Records.size()); ++Row) {
    const SwitchRecord& R = Records[Row];
    const int Values[] = {R.Switch.X, R.Switch.Y, R.Platform.X, R.Platform.Y};
    for (int Column = 0; Column < 4; ++Column) {
      QTableWidgetItem* Item = Switches->item(Row, Column);
      if (Item == nullptr) {
        Switches->setItem(Row, Column, std::make_unique<QTableWidgetItem>().release());
        Item = Switches->item(Row, Column);
      }
      Item->setText(QString::number(Values[Column]));
    }
    auto* Box = qobject_cast<QComboBox*>(Switches->cellWidget(Row, 4));
    if (Box == nullptr) {
      auto Owned = std::make_unique<QComboBox>();
      Box = Owned.get();
      for (TPos Dir : {PosTop, PosBottom, PosLeft, PosRight})
        Box->addItem(QString::fromLatin1(DirectionWord(Dir)), static_cast<int>(Dir));
      Switches->setCellWidget(Row, 4, Owned.release());  // the table owns its cell widgets
      connect(Box, &QComboBox::currentIndexChanged, this, [this, Box](int) {
        if (Refreshing) return;
        for (int r = 0; r < Switches->rowCount(); ++r)
          if (Switches->cellWidget(r, 4) == Box) {
            LevelDocument After = Editor.Document();
            if (r >= static_cast<int>(After.Switches.size())) return;
            After.Switches[r].Dir = static_cast<TPos>(Box->currentData().toInt());
            Editor.Change(tr("Edit switch record"), std::move(After));
            return;
          }
      });
    }
    Box->setCurrentIndex(Box->findData(static_cast<int>(R.Dir)));
  }
  Refreshing = false;
}

void MainWindow::RefreshChecks() {
  std::vector<Finding> All = CheckDocument(Editor.Document());
  All.insert(All.end(), SlowFindings.begin(), SlowFindings.end());
  for (const std::string& Note : OpenNotes) All.push_back({Severity::Note, std::nullopt, Note});
  Shown = All;
  Checks->clear();
  for (const Finding& F : All) {
    auto Item = std::make_unique<QListWidgetItem>(
        QStringLiteral("%1: %2").arg(tr(SeverityWord(F.Level)), Q(F.Text)));
    if (F.Cell) {
      Item->setData(CellXRole, F.Cell->X);
      Item->setData(CellYRole, F.Cell->Y);
    }
    if (F.Level == Severity::Refused) Item->setForeground(QColor(170, 20, 20));
    if (F.Level == Severity::Spoils) Item->setForeground(QColor(150, 90, 0));
    Checks->addItem(Item.release());  // the list owns its items
  }
  if (All.empty()) Checks->addItem(tr("No problems found."));
}

void MainWindow::RunPlayCheck() {
  PlayCheckTimer.stop();
  const int Generation = ++CheckGeneration;  // a check still running beside is out of date
  SlowFindings = SlowChecks(Editor.Document());
  PlayChecked = Generation == CheckGeneration;
  RefreshChecks();
}

void MainWindow::StartPlayCheck() {
  if (PlayWorker && PlayWorker->isRunning()) {
    PlayCheckTimer.start();  // one run at a time: try again shortly
    return;
  }
  const LevelDocument Document = Editor.Document();
  const int Generation = CheckGeneration;
  auto Result = std::make_shared<std::vector<Finding>>();
  PlayWorker.reset(QThread::create([Document, Result] { *Result = SlowChecks(Document); }));
  connect(PlayWorker.get(), &QThread::finished, this, [this, Result, Generation] {
    if (Generation != CheckGeneration) return;
    SlowFindings = *Result;
    PlayChecked = true;
    RefreshChecks();
  });
  PlayWorker->start();
}

void MainWindow::RefreshActions() {
  const bool Selected = Editor.Selection().has_value();
  for (QAction* A : SelectionActions) A->setEnabled(Selected);
  PasteAction->setEnabled(Editor.Clipboard.has_value());
}

void MainWindow::RefreshTitle() {
  const QString Name =
      CurrentFile.isEmpty() ? tr("Untitled level") : QFileInfo(CurrentFile).fileName();
  setWindowTitle(Name + QStringLiteral("[*] - karvan-edit"));
  setWindowModified(!Editor.History().isClean());
}

void MainWindow::ShowHovered(int x, int y) {
  if (x < 0) {
    CellLabel->clear();
    return;
  }
  const CellCode Code = Editor.Document().Code(x, y);
  QStringList Kinds;
  for (int Kind = 0; Kind < GridCrystalCount; ++Kind)
    if (HasKind(Code, static_cast<TGridCrystal>(Kind)))
      Kinds << QString::fromLatin1(GridCrystalNames[Kind].substr(2).data(),
                                   static_cast<qsizetype>(GridCrystalNames[Kind].size() - 2));
  CellLabel->setText(tr("Cell (%1, %2)  code %3  %4")
                         .arg(x)
                         .arg(y)
                         .arg(Code)
                         .arg(Kinds.join(QStringLiteral(", "))));
}

QStringList MainWindow::RecentFiles() const {
  return QSettings().value(QStringLiteral("recentFiles")).toStringList();
}

void MainWindow::AddRecent(const QString& Path) {
  QStringList Files = RecentFiles();
  Files.removeAll(Path);
  Files.prepend(Path);
  while (Files.size() > MaxRecent) Files.removeLast();
  QSettings().setValue(QStringLiteral("recentFiles"), Files);
  RefreshRecent();
}

void MainWindow::RefreshRecent() {
  RecentMenu->clear();
  const QStringList Files = RecentFiles();
  for (const QString& Path : Files)
    RecentMenu->addAction(Path, this, [this, Path] {
      if (MaybeSave()) OpenFile(Path);
    });
  RecentMenu->setEnabled(!Files.isEmpty());
}

QString MainWindow::GameProgram() {
  const QString Beside = QCoreApplication::applicationDirPath() + QStringLiteral("/karvan-mirk");
  if (QFileInfo(Beside).isExecutable()) return Beside;
  return QStandardPaths::findExecutable(QStringLiteral("karvan-mirk"));
}

bool MainWindow::Play() {
  for (const Finding& F : CheckDocument(Editor.Document()))
    if (F.Level == Severity::Refused) {
      ShowError(tr("The game would refuse this level: %1").arg(Q(F.Text)));
      return false;
    }
  if (!Save()) return false;
  const QString Game = GameProgram();
  if (Game.isEmpty()) {
    ShowError(tr("The game karvan-mirk is neither beside the editor nor on the PATH."));
    return false;
  }
  if (!Launch(Game, {CurrentFile})) {
    ShowError(tr("The game %1 could not be started.").arg(Game));
    return false;
  }
  return true;
}

}  // namespace karvan::editor
