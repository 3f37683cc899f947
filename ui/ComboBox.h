#pragma once
#include <windows.h>

#include <algorithm>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// A combo box whose entries carry their items: the chosen entry's item is the box's value, kept by
// the box alone. A refill keeps it chosen while it is still listed.
template <typename Item>
class ComboBox {
 public:
  using TextOf = std::function<std::wstring(const Item&)>;

  // The box, made by its page, that shows the items; in the order given whatever its style.
  void Attach(HWND box) { box_ = box; }
  HWND Handle() const { return box_; }

  // Lists `items` in place of the entries there were; the chosen item stays chosen if it is among
  // them, otherwise the first is.
  void SetItems(std::vector<Item> items, const TextOf& text) {
    const std::optional<Item> chosen = Chosen();
    SendMessageW(box_, CB_RESETCONTENT, 0, 0);
    items_ = std::move(items);
    for (const Item& item : items_)
      SendMessageW(box_, CB_INSERTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text(item).c_str()));
    if (!chosen || !Choose(*chosen)) ChooseEntry(0);
  }
  std::optional<Item> Chosen() const {
    const LRESULT entry = SendMessageW(box_, CB_GETCURSEL, 0, 0);
    if (entry < 0 || static_cast<std::size_t>(entry) >= items_.size()) return std::nullopt;
    return items_[static_cast<std::size_t>(entry)];
  }
  // False, and the choice unchanged, when the item is not listed.
  bool Choose(const Item& item) {
    const auto found = std::find(items_.begin(), items_.end(), item);
    if (found == items_.end()) return false;
    ChooseEntry(found - items_.begin());
    return true;
  }

 private:
  void ChooseEntry(std::ptrdiff_t entry) {
    if (static_cast<std::size_t>(entry) < items_.size()) SendMessageW(box_, CB_SETCURSEL, static_cast<WPARAM>(entry), 0);
  }

  HWND box_ = nullptr;
  std::vector<Item> items_;  // entry by entry
};
