#include "key_map.h"

namespace karvan::desktop {

std::optional<Word> MapKey(int QtKey, Qt::KeyboardModifiers Modifiers) {
  switch (QtKey) {
    case Qt::Key_Left:
      return VK_LEFT;
    case Qt::Key_Up:
      return VK_UP;
    case Qt::Key_Right:
      return VK_RIGHT;
    case Qt::Key_Down:
      return VK_DOWN;
    case Qt::Key_Z:
      return VK_Z;
    case Qt::Key_Escape:
      return VK_ESCAPE;
    case Qt::Key_F4:
      return VK_F4;
    case Qt::Key_1:
      // The keypad's 1 is a different key on the device's keyboard layout.
      if (Modifiers.testFlag(Qt::KeypadModifier)) return std::nullopt;
      return VK_1;
    default:
      return std::nullopt;
  }
}

namespace {
// The scan code of the main keyboard's 1 key where the window system reports XKB key codes
// (X11 and Wayland): the Linux input code KEY_1 (2) plus 8. Nothing elsewhere.
std::optional<quint32> MainKeyboardOneScanCode() {
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
  return 2 + 8;
#else
  return std::nullopt;
#endif
}
}  // namespace

std::optional<Word> MapKey(const QKeyEvent& Event) {
  // A synthesised event carries no scan code (0); then the key's character decides.
  const std::optional<quint32> One = MainKeyboardOneScanCode();
  if (One && Event.nativeScanCode() == *One) return VK_1;
  return MapKey(Event.key(), Event.modifiers());
}

TShiftState MapModifiers(Qt::KeyboardModifiers Modifiers) {
  TShiftState Shift = 0;
  if (Modifiers.testFlag(Qt::ShiftModifier)) Shift |= ssShift;
  if (Modifiers.testFlag(Qt::AltModifier)) Shift |= ssAlt;
  if (Modifiers.testFlag(Qt::ControlModifier)) Shift |= ssCtrl;
  return Shift;
}

}  // namespace karvan::desktop
