// Translation of Qt's keys into the virtual-key codes and modifier sets the game knows.
#pragma once

#include <QKeyEvent>
#include <optional>

#include "engine/types.h"

namespace karvan::desktop {

// The game's code for a key, or nothing for a key the game does not know. The digit 1 counts
// only on the main keyboard.
std::optional<Word> MapKey(int QtKey, Qt::KeyboardModifiers Modifiers);

// The same for a key event. The restart key is a place on the keyboard, like the button on the
// device: the key that carries 1 on the main keyboard, with or without Shift and on any layout
// (where it types "&", as on a French keyboard), known by its scan code.
std::optional<Word> MapKey(const QKeyEvent& Event);

// Shift, Alt and Ctrl as the game's modifier set.
TShiftState MapModifiers(Qt::KeyboardModifiers Modifiers);

}  // namespace karvan::desktop
