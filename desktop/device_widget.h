// The device window: the photograph of the handheld with the lit crystals on it. It has no
// frame; the photograph outside the control panels is its drag handle.
#pragma once

#include <QImage>
#include <QPoint>
#include <QWidget>
#include <optional>
#include <span>
#include <string_view>

#include "engine/types.h"
#include "figure_cache.h"

namespace karvan {
class TLCDForm;
}

namespace karvan::desktop {

// Casing colour shown where the photograph is missing.
inline constexpr QRgb CasingColour = qRgb(92, 96, 104);
// LCD glass colour shown where the photograph is missing.
inline constexpr QRgb GlassColour = qRgb(178, 186, 160);

class DeviceWidget : public QWidget {
  Q_OBJECT

 public:
  DeviceWidget(TLCDForm& FormParam, FigureCache& FiguresParam,
               const QString& PhotographPath = QStringLiteral(":/images/device.jpg"));

  // Repaints the places of the given crystals.
  void CrystalsChanged(std::span<const int> Changed);
  void SetCursorShape(TCursorShape Shape);
  void SetHint(std::string_view Text);
  // Shows the window, centred on its screen the first time.
  void ShowDevice();

 protected:
  void paintEvent(QPaintEvent* Event) override;
  void keyPressEvent(QKeyEvent* Event) override;
  void keyReleaseEvent(QKeyEvent* Event) override;
  void mousePressEvent(QMouseEvent* Event) override;
  void mouseMoveEvent(QMouseEvent* Event) override;
  void mouseReleaseEvent(QMouseEvent* Event) override;
  void moveEvent(QMoveEvent* Event) override;
  void closeEvent(QCloseEvent* Event) override;

 private:
  void SyncFormPlace();
  TLCDForm& Form;
  FigureCache& Figures;
  QImage Photograph;
  bool Shown = false;
  // Where the window was grabbed when the window system cannot move it itself.
  std::optional<QPoint> DragOffset;
};

}  // namespace karvan::desktop
