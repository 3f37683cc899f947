#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "ui/CheckListBox.h"

// A check-list box whose rows carry their items, in the order given: the rows' texts, figures and
// marks and the items they stand for are one list, so what is ticked is read as items.
template <typename Item>
class CheckList {
 public:
  using TextOf = std::function<std::wstring(const Item&)>;

  HWND Create(HWND parent, Bounds bounds, HFONT font, int itemHeight) {
    list_ = CreateCheckListBox(parent, bounds, 0, font, itemHeight, ItemOrder::AsAdded);
    return list_;
  }
  HWND Handle() const { return list_; }

  // Shows `items` in place of the rows there were, each ticked, with its text and, at the row's
  // right, its figure.
  void SetItems(std::vector<Item> items, const TextOf& text, const TextOf& figure) {
    Clear();
    std::vector<std::wstring> texts, figures;
    texts.reserve(items.size());
    figures.reserve(items.size());
    for (const Item& item : items) {
      texts.push_back(text(item));
      figures.push_back(figure(item));
    }
    items_ = std::move(items);
    AddCheckListItems(list_, texts, [](const std::wstring&) { return true; }, figures);
  }
  void Clear() {
    SendMessageW(list_, LB_RESETCONTENT, 0, 0);
    items_.clear();
  }
  bool Empty() const { return items_.empty(); }
  // The items of the ticked rows, in the rows' order.
  std::vector<Item> Checked() const {
    std::vector<Item> checked;
    for (std::size_t row = 0; row < items_.size(); ++row)
      if (IsItemChecked(list_, static_cast<int>(row))) checked.push_back(items_[row]);
    return checked;
  }

 private:
  HWND list_ = nullptr;
  std::vector<Item> items_;  // row by row
};
