// The map as the player will see it: every cell with the game's LCD figures on the LCD's
// colours, the screens outlined and numbered, the border column and row marked, the switch
// records as arrows. The pointer paints, selects, or picks the cells of a switch record.
#pragma once

#include <QPoint>
#include <QWidget>
#include <optional>

#include "editor_model.h"
#include "figure_cache.h"
#include "painting.h"

namespace karvan::editor {

class MapView : public QWidget {
  Q_OBJECT

 public:
  enum class Mode { Paint, Select, PickSwitch };

  MapView(EditorModel& ModelParam, desktop::FigureCache& FiguresParam, QWidget* Parent = nullptr);

  void SetMode(Mode M);
  Mode CurrentMode() const { return Current; }
  void SetTool(Tool T) { PaintTool = T; }
  Tool CurrentTool() const { return PaintTool; }

  void SetZoom(double Factor);
  double Zoom() const { return Scale; }

  // Pixel size of one cell at the current zoom.
  double CellWidth() const;
  double CellHeight() const;
  // The widget point at the given place in cell units.
  QPoint PointOf(double x, double y) const;
  // A widget point in cell units.
  QPointF CellPoint(QPointF Pixel) const;

  // A cell to point out (a check's cell), or none.
  void Mark(std::optional<TPoint> Cell);

  QSize sizeHint() const override;

 signals:
  // The pointer is over a cell of the map (or left it: x = -1).
  void Hovered(int x, int y);
  // What the user should do next while picking a switch record.
  void Prompt(const QString& Text);

 protected:
  void paintEvent(QPaintEvent* Event) override;
  void mousePressEvent(QMouseEvent* Event) override;
  void mouseMoveEvent(QMouseEvent* Event) override;
  void mouseReleaseEvent(QMouseEvent* Event) override;
  void leaveEvent(QEvent* Event) override;

 private:
  void PaintAt(QPointF Pixel);
  void PickAt(QPointF Pixel);
  void UpdateSize();

  EditorModel& Model;
  desktop::FigureCache& Figures;
  Mode Current = Mode::Paint;
  Tool PaintTool = Tool::Wall;
  double Scale = 1.0;

  // The stroke of the pointer while a button is held.
  int Stroke = 0;
  bool Adding = true;
  std::optional<ToolTarget> LastTarget;
  // Selecting.
  std::optional<TPoint> Anchor;
  // Picking a switch record: first the switch, then the platform, then the direction.
  std::optional<TPoint> PickedSwitch;
  std::optional<TPoint> PickedPlatform;
  std::optional<TPoint> Marked;
};

// The direction from a cell towards a point in cell units: the axis with the larger distance
// from the cell's middle wins.
TPos DirectionTowards(TPoint Cell, double x, double y);

}  // namespace karvan::editor
