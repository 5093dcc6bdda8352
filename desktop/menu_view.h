// The device window's popup menu as a Qt menu.
#pragma once

#include <QAction>
#include <QMenu>
#include <memory>

#include "engine/menu.h"

namespace karvan::desktop {

// A menu with one action per entry, in the entries' order; each action carries its entry's
// position.
std::unique_ptr<QMenu> BuildMenu(const TPopupMenu& Menu, QWidget* Parent);

// Runs the handler of the entry behind a chosen action; nothing when none was chosen.
void RunChoice(const TPopupMenu& Menu, const QAction* Chosen);

}  // namespace karvan::desktop
