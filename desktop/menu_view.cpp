#include "menu_view.h"

namespace karvan::desktop {

std::unique_ptr<QMenu> BuildMenu(const TPopupMenu& Menu, QWidget* Parent) {
  auto View = std::make_unique<QMenu>(Parent);
  for (std::size_t i = 0; i < Menu.Items.size(); ++i) {
    QAction* Action = View->addAction(QString::fromStdString(Menu.Items[i].Caption));
    Action->setData(static_cast<qulonglong>(i));
  }
  return View;
}

void RunChoice(const TPopupMenu& Menu, const QAction* Chosen) {
  if (Chosen == nullptr) return;
  bool Ok = false;
  const qulonglong Index = Chosen->data().toULongLong(&Ok);
  if (Ok && Index < Menu.Items.size()) Menu.Items[Index].Click();
}

}  // namespace karvan::desktop
