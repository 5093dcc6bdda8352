#include "map_view.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

#include "device_widget.h"
#include "game/device_layout.h"

namespace karvan::editor {

namespace {

constexpr int PitchX = Layout::CellPitchX;
constexpr int PitchY = Layout::CellPitchY;

// Cells the view leaves around the map, so that the right and bottom edges can be reached.
constexpr double MarginCells = 0.25;

QColor Glass() {
  return QColor(desktop::GlassColour);
}

}  // namespace

TPos DirectionTowards(TPoint Cell, double x, double y) {
  const double Dx = x - (Cell.X + 0.5);
  const double Dy = y - (Cell.Y + 0.5);
  if (std::abs(Dx) > std::abs(Dy)) return Dx < 0 ? PosLeft : PosRight;
  return Dy < 0 ? PosTop : PosBottom;
}

MapView::MapView(EditorModel& ModelParam, desktop::FigureCache& FiguresParam, QWidget* Parent)
    : QWidget(Parent), Model(ModelParam), Figures(FiguresParam) {
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
  connect(&Model, &EditorModel::DocumentChanged, this, [this] {
    UpdateSize();
    update();
  });
  connect(&Model, &EditorModel::SelectionChanged, this, [this] { update(); });
  UpdateSize();
}

void MapView::SetMode(Mode M) {
  Current = M;
  PickedSwitch.reset();
  PickedPlatform.reset();
  Anchor.reset();
  if (M == Mode::PickSwitch) emit Prompt(tr("Click the switch cell of the new record."));
  update();
}

void MapView::SetZoom(double Factor) {
  Scale = std::clamp(Factor, 0.25, 3.0);
  UpdateSize();
  update();
}

double MapView::CellWidth() const {
  return PitchX * Scale;
}
double MapView::CellHeight() const {
  return PitchY * Scale;
}

QPoint MapView::PointOf(double x, double y) const {
  return QPoint(static_cast<int>(std::lround((x + MarginCells) * CellWidth())),
                static_cast<int>(std::lround((y + MarginCells) * CellHeight())));
}

QPointF MapView::CellPoint(QPointF Pixel) const {
  return {Pixel.x() / CellWidth() - MarginCells, Pixel.y() / CellHeight() - MarginCells};
}

void MapView::Mark(std::optional<TPoint> Cell) {
  Marked = Cell;
  update();
}

QSize MapView::sizeHint() const {
  const LevelDocument& D = Model.Document();
  return {static_cast<int>(std::ceil((D.Width() + 2 * MarginCells) * CellWidth())),
          static_cast<int>(std::ceil((D.Height() + 2 * MarginCells) * CellHeight()))};
}

void MapView::UpdateSize() {
  setFixedSize(sizeHint());
}

void MapView::paintEvent(QPaintEvent*) {
  QPainter P(this);
  P.fillRect(rect(), palette().color(QPalette::Window).darker(115));
  const LevelDocument& D = Model.Document();
  const int W = D.Width();
  const int H = D.Height();

  P.save();
  P.scale(Scale, Scale);
  P.translate(MarginCells * PitchX, MarginCells * PitchY);
  P.fillRect(QRect(0, 0, W * PitchX, H * PitchY), Glass());

  // Cells past the last whole screen have no side scene; the last column the hero never
  // enters, and a fall into the last row is deadly.
  const int ScreenColumns = W / 5;
  const int ScreenRows = H / 4;
  const QColor Outside(90, 96, 80, 70);
  if (ScreenColumns * 5 < W)
    P.fillRect(QRect(ScreenColumns * 5 * PitchX, 0, (W - ScreenColumns * 5) * PitchX, H * PitchY),
               Outside);
  if (ScreenRows * 4 < H)
    P.fillRect(QRect(0, ScreenRows * 4 * PitchY, W * PitchX, (H - ScreenRows * 4) * PitchY),
               Outside);
  if (W > 0 && H > 0) {
    const QBrush Border(QColor(120, 60, 40, 60), Qt::BDiagPattern);
    P.fillRect(QRect((W - 1) * PitchX, 0, PitchX, H * PitchY), Border);
    P.fillRect(QRect(0, (H - 1) * PitchY, W * PitchX, PitchY), Border);
  }

  // The figures, as the game places them in a screen cell.
  for (int y = 0; y < H; ++y)
    for (int x = 0; x < W; ++x) {
      const CellCode Code = D.Code(x, y);
      if (Code == 0) continue;
      const bool Odd = ((x % 5) + (y % 4)) % 2 != 0;
      for (int Kind = 0; Kind < GridCrystalCount; ++Kind) {
        if (!HasKind(Code, static_cast<TGridCrystal>(Kind))) continue;
        const Layout::TCellFigure& F = Layout::CellFigures[Kind];
        const TImage& T = Odd ? *F.OddTemplate : *F.EvenTemplate;
        const QImage& Figure = Figures.Figure(T.Name, T.Width, T.Height);
        P.drawImage(QPoint(x * PitchX + (Odd ? F.OddDx : F.EvenDx),
                           y * PitchY + (Odd ? F.OddDy : F.EvenDy)),
                    Figure);
      }
    }

  // Screen outlines and numbers.
  QPen Outline(QColor(70, 80, 60), 2.0 / Scale);
  P.setPen(Outline);
  for (int sx = 0; sx <= ScreenColumns; ++sx)
    P.drawLine(QPointF(sx * 5 * PitchX, 0), QPointF(sx * 5 * PitchX, H * PitchY));
  for (int sy = 0; sy <= ScreenRows; ++sy)
    P.drawLine(QPointF(0, sy * 4 * PitchY), QPointF(W * PitchX, sy * 4 * PitchY));
  P.drawRect(QRectF(0, 0, W * PitchX, H * PitchY));
  QFont Font = P.font();
  Font.setPixelSize(13);
  Font.setBold(true);
  P.setFont(Font);
  for (int sy = 0; sy < ScreenRows; ++sy)
    for (int sx = 0; sx < ScreenColumns; ++sx) {
      // In the screen's top right corner, below its top walls and right of the cell's
      // figures, where a number hides the least of the map.
      const QRectF Label((sx + 1) * 5 * PitchX - 27, sy * 4 * PitchY + 0.22 * PitchY, 24, 16);
      P.fillRect(Label, QColor(70, 80, 60, 170));
      P.setPen(Glass().lighter(115));
      P.drawText(Label, Qt::AlignCenter, QString::number(sy * ScreenColumns + sx + 1));
    }

  // Switch records: a line from the switch to its platform, an arrow for the direction.
  const QColor RecordColour(160, 40, 30, 200);
  for (const SwitchRecord& R : D.Switches) {
    const QPointF From((R.Switch.X + 0.85) * PitchX, (R.Switch.Y + 0.45) * PitchY);
    const QPointF To((R.Platform.X + 0.5) * PitchX, (R.Platform.Y + 0.1) * PitchY);
    P.setPen(QPen(RecordColour, 1.5 / Scale, Qt::DashLine));
    P.drawLine(From, To);
    QPointF Step(0, 0);
    switch (R.Dir) {
      case PosBottom:
        Step = {0, 1};
        break;
      case PosLeft:
        Step = {-1, 0};
        break;
      case PosRight:
        Step = {1, 0};
        break;
      default:
        Step = {0, -1};
    }
    const QPointF Tip = To + Step * 22.0;
    const QPointF Side(-Step.y(), Step.x());
    P.setPen(QPen(RecordColour, 3.0, Qt::SolidLine));
    P.drawLine(To, Tip);
    QPainterPath Head;
    Head.moveTo(Tip + Step * 8.0);
    Head.lineTo(Tip + Side * 6.0);
    Head.lineTo(Tip - Side * 6.0);
    Head.closeSubpath();
    P.fillPath(Head, RecordColour);
  }

  // Selection, a marked cell and the cells picked for a new record.
  if (const auto S = Model.Selection()) {
    P.setPen(QPen(QColor(20, 60, 200), 2.0 / Scale, Qt::DashLine));
    P.setBrush(QColor(40, 90, 220, 50));
    P.drawRect(QRectF(S->X * PitchX, S->Y * PitchY, S->Width * PitchX, S->Height * PitchY));
    P.setBrush(Qt::NoBrush);
  }
  const auto Frame = [&](TPoint C, QColor Colour) {
    P.setPen(QPen(Colour, 3.0 / Scale));
    P.drawRect(QRectF(C.X * PitchX + 1, C.Y * PitchY + 1, PitchX - 2, PitchY - 2));
  };
  if (Marked) Frame(*Marked, QColor(220, 120, 0));
  if (PickedSwitch) Frame(*PickedSwitch, RecordColour);
  if (PickedPlatform) Frame(*PickedPlatform, RecordColour);
  P.restore();
}

void MapView::mousePressEvent(QMouseEvent* Event) {
  const QPointF At = CellPoint(Event->position());
  if (Current == Mode::Paint) {
    if (Event->button() != Qt::LeftButton && Event->button() != Qt::RightButton) return;
    Adding = Event->button() == Qt::LeftButton;
    Stroke = Model.NewStroke();
    LastTarget.reset();
    PaintAt(Event->position());
  } else if (Current == Mode::Select) {
    if (Event->button() != Qt::LeftButton) return;
    const TPoint Cell{static_cast<int>(std::floor(At.x())), static_cast<int>(std::floor(At.y()))};
    if (!Model.Document().Contains(Cell)) {
      Model.Select(std::nullopt);
      Anchor.reset();
      return;
    }
    Anchor = Cell;
    Model.Select(CellRect{Cell.X, Cell.Y, 1, 1});
  } else {
    if (Event->button() == Qt::RightButton) {
      SetMode(Mode::PickSwitch);  // start the record afresh
      return;
    }
    PickAt(Event->position());
  }
}

void MapView::mouseMoveEvent(QMouseEvent* Event) {
  const QPointF At = CellPoint(Event->position());
  const int x = static_cast<int>(std::floor(At.x()));
  const int y = static_cast<int>(std::floor(At.y()));
  if (Model.Document().Contains(x, y))
    emit Hovered(x, y);
  else
    emit Hovered(-1, -1);
  if (Current == Mode::Paint && Stroke != 0 &&
      (Event->buttons() & (Qt::LeftButton | Qt::RightButton)))
    PaintAt(Event->position());
  if (Current == Mode::Select && Anchor && (Event->buttons() & Qt::LeftButton)) {
    const LevelDocument& D = Model.Document();
    const int Cx = std::clamp(x, 0, D.Width() - 1);
    const int Cy = std::clamp(y, 0, D.Height() - 1);
    const int Left = std::min(Anchor->X, Cx);
    const int Top = std::min(Anchor->Y, Cy);
    Model.Select(CellRect{Left, Top, std::abs(Cx - Anchor->X) + 1, std::abs(Cy - Anchor->Y) + 1});
  }
}

void MapView::mouseReleaseEvent(QMouseEvent*) {
  Stroke = 0;
  LastTarget.reset();
  Anchor.reset();
}

void MapView::leaveEvent(QEvent*) {
  emit Hovered(-1, -1);
}

void MapView::PaintAt(QPointF Pixel) {
  const QPointF At = CellPoint(Pixel);
  const auto Target = TargetAt(Model.Document(), PaintTool, At.x(), At.y());
  if (!Target || Target == LastTarget) return;
  LastTarget = Target;
  LevelDocument After = Model.Document();
  if (!ApplyTool(After, PaintTool, *Target, Adding)) return;
  QString Name;
  for (const ToolInfo& Info : Tools)
    if (Info.Kind == PaintTool) Name = QString::fromUtf8(Info.Name);
  Model.Change(Adding ? tr("Add %1").arg(Name) : tr("Remove %1").arg(Name), std::move(After),
               Stroke);
}

void MapView::PickAt(QPointF Pixel) {
  const QPointF At = CellPoint(Pixel);
  const TPoint Cell{static_cast<int>(std::floor(At.x())), static_cast<int>(std::floor(At.y()))};
  const LevelDocument& D = Model.Document();
  if (!PickedSwitch) {
    if (!D.Contains(Cell)) return;
    PickedSwitch = Cell;
    emit Prompt(tr("Switch (%1, %2). Now click the platform cell.").arg(Cell.X).arg(Cell.Y));
  } else if (!PickedPlatform) {
    if (!D.Contains(Cell)) return;
    PickedPlatform = Cell;
    emit Prompt(tr("Platform (%1, %2). Now click beside it in the direction it moves.")
                    .arg(Cell.X)
                    .arg(Cell.Y));
  } else {
    const TPos Dir = DirectionTowards(*PickedPlatform, At.x(), At.y());
    LevelDocument After = D;
    After.Switches.push_back({*PickedSwitch, *PickedPlatform, Dir});
    PickedSwitch.reset();
    PickedPlatform.reset();
    Model.Change(tr("Add switch record"), std::move(After));
    emit Prompt(tr("Record added. Click the switch cell of the next record."));
  }
  update();
}

}  // namespace karvan::editor
