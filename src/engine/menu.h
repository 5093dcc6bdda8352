// The device window's popup menu: entries with captions and click handlers.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace karvan {

struct TMenuItem {
  std::string Name;     // component name, e.g. "Selectlevel1"
  std::string Caption;  // what the user reads
  std::function<void()> OnClick;

  void Click() const {
    if (OnClick) OnClick();
  }
};

struct TPopupMenu {
  std::vector<TMenuItem> Items;

  const TMenuItem* FindByCaption(std::string_view Caption) const {
    for (const TMenuItem& Item : Items)
      if (Item.Caption == Caption) return &Item;
    return nullptr;
  }
  const TMenuItem* FindByName(std::string_view Name) const {
    for (const TMenuItem& Item : Items)
      if (Item.Name == Name) return &Item;
    return nullptr;
  }
};

}  // namespace karvan
