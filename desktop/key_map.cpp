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

TShiftState MapModifiers(Qt::KeyboardModifiers Modifiers) {
  TShiftState Shift = 0;
  if (Modifiers.testFlag(Qt::ShiftModifier)) Shift |= ssShift;
  if (Modifiers.testFlag(Qt::AltModifier)) Shift |= ssAlt;
  if (Modifiers.testFlag(Qt::ControlModifier)) Shift |= ssCtrl;
  return Shift;
}

}  // namespace karvan::desktop
