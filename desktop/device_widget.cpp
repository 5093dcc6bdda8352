#include "device_widget.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QToolTip>
#include <QWindow>

#include "engine/lcd_form.h"
#include "key_map.h"

namespace karvan::desktop {

DeviceWidget::DeviceWidget(TLCDForm& FormParam, FigureCache& FiguresParam,
                           const QString& PhotographPath)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint),
      Form(FormParam),
      Figures(FiguresParam),
      Photograph(PhotographPath) {
  setFixedSize(Form.Width > 0 ? Form.Width : 800, Form.Height > 0 ? Form.Height : 481);
  setWindowTitle(QGuiApplication::applicationDisplayName());
  setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
  // Every pixel is painted each time, so Qt need not clear the background first.
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void DeviceWidget::ShowDevice() {
  if (!Shown) {
    Shown = true;
    if (QScreen* Screen = QGuiApplication::primaryScreen()) {
      QRect Place = rect();
      Place.moveCenter(Screen->availableGeometry().center());
      move(Place.topLeft());
    }
  }
  show();
  raise();
  activateWindow();
  SyncFormPlace();
}

void DeviceWidget::SyncFormPlace() {
  Form.Left = x();
  Form.Top = y();
}

void DeviceWidget::CrystalsChanged(std::span<const int> Changed) {
  for (const int Nr : Changed) {
    if (Nr < 0 || Nr >= static_cast<int>(Form.CrystalArr.size())) continue;
    const TCrystal& Crystal = Form.CrystalArr[static_cast<std::size_t>(Nr)];
    const QImage& Figure = Figures.Figure(Crystal.Template, Crystal.Width, Crystal.Height);
    update(QRect(Crystal.Left, Crystal.Top, Figure.width(), Figure.height()));
  }
}

void DeviceWidget::SetCursorShape(TCursorShape Shape) {
  switch (Shape) {
    case TCursorShape::crArrow:
      setCursor(Qt::ArrowCursor);
      break;
    case TCursorShape::crHelp:
      setCursor(Qt::WhatsThisCursor);
      break;
    case TCursorShape::crHandPoint:
      setCursor(Qt::PointingHandCursor);
      break;
  }
}

void DeviceWidget::SetHint(std::string_view Text) {
  // A carriage return breaks the hint into lines.
  QString Hint = QString::fromUtf8(Text.data(), static_cast<qsizetype>(Text.size()));
  Hint.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace('\r', '\n');
  if (Hint == toolTip()) return;
  setToolTip(Hint);
  // A hint shown for another panel must not linger over this one.
  QToolTip::hideText();
}

void DeviceWidget::paintEvent(QPaintEvent* Event) {
  QPainter Painter(this);
  Painter.setClipRegion(Event->region());
  if (!Photograph.isNull()) {
    // On a scaled screen the photograph may blur a little; the segments must stay sharp.
    Painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    Painter.drawImage(rect(), Photograph);
    Painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
  } else {
    Painter.fillRect(rect(), QColor(CasingColour));
    if (const TImage* Display = Form.GetDisplay())
      Painter.fillRect(QRect(Display->Left, Display->Top, Display->Width, Display->Height),
                       QColor(GlassColour));
  }
  for (const TCrystal& Crystal : Form.CrystalArr) {
    if (!Crystal.Visible) continue;
    const QImage& Figure = Figures.Figure(Crystal.Template, Crystal.Width, Crystal.Height);
    const QRect Place(Crystal.Left, Crystal.Top, Figure.width(), Figure.height());
    if (Event->region().intersects(Place)) Painter.drawImage(Place.topLeft(), Figure);
  }
}

void DeviceWidget::keyPressEvent(QKeyEvent* Event) {
  const std::optional<Word> Key = MapKey(*Event);
  if (!Key) {
    QWidget::keyPressEvent(Event);
    return;
  }
  // Held keys repeat their presses, as the game expects from the keyboard.
  Form.KeyDown(*Key, MapModifiers(Event->modifiers()));
}

void DeviceWidget::keyReleaseEvent(QKeyEvent* Event) {
  const std::optional<Word> Key = MapKey(*Event);
  if (!Key) {
    QWidget::keyReleaseEvent(Event);
    return;
  }
  // A held key is released once, when it is really let go.
  if (Event->isAutoRepeat()) return;
  Form.KeyUp(*Key, MapModifiers(Event->modifiers()));
}

namespace {
std::optional<TMouseButton> MapButton(Qt::MouseButton Button) {
  switch (Button) {
    case Qt::LeftButton:
      return TMouseButton::mbLeft;
    case Qt::RightButton:
      return TMouseButton::mbRight;
    case Qt::MiddleButton:
      return TMouseButton::mbMiddle;
    default:
      return std::nullopt;
  }
}
}  // namespace

void DeviceWidget::mousePressEvent(QMouseEvent* Event) {
  const std::optional<TMouseButton> Button = MapButton(Event->button());
  if (!Button) return;
  // The menu opens at the window's place plus the click's; the window may have moved.
  const QPoint Origin = (Event->globalPosition() - Event->position()).toPoint();
  Form.Left = Origin.x();
  Form.Top = Origin.y();
  const QPoint At = Event->position().toPoint();
  if (*Button == TMouseButton::mbLeft && Form.WMNCHitTest(At.x(), At.y()) == HTCAPTION) {
    QWindow* Handle = windowHandle();
    if (Handle == nullptr || !Handle->startSystemMove())
      DragOffset = Event->globalPosition().toPoint() - pos();
    return;
  }
  Form.MouseDown(*Button, MapModifiers(Event->modifiers()), At.x(), At.y());
}

void DeviceWidget::mouseMoveEvent(QMouseEvent* Event) {
  if (DragOffset) {
    if (Event->buttons().testFlag(Qt::LeftButton)) {
      move(Event->globalPosition().toPoint() - *DragOffset);
      return;
    }
    DragOffset.reset();
  }
  if (Event->buttons() != Qt::NoButton) return;
  const QPoint At = Event->position().toPoint();
  // Over the casing the window is a drag handle and explains nothing.
  if (Form.WMNCHitTest(At.x(), At.y()) == HTCAPTION) SetHint({});
}

void DeviceWidget::mouseReleaseEvent(QMouseEvent* Event) {
  if (Event->button() == Qt::LeftButton) DragOffset.reset();
}

void DeviceWidget::moveEvent(QMoveEvent* Event) {
  QWidget::moveEvent(Event);
  SyncFormPlace();
}

void DeviceWidget::closeEvent(QCloseEvent* Event) {
  // Closing is the quit request; the game loop ends the program after its current pass.
  Event->ignore();
  Form.FormClose();
}

}  // namespace karvan::desktop
