#include "ui/OrderedFileList.h"

#include <utility>

#include "utilities/OrderedList.h"

namespace {
constexpr int kItemHeight = 13;
}  // namespace

HWND CreateOrderedFileListBox(HWND parent, Bounds bounds, HFONT font, DWORD exStyle, DWORD drawStyle) {
  const HWND list = CreateChild(parent, L"LISTBOX", L"",
                                WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_EXTENDEDSEL | LBS_NOINTEGRALHEIGHT | drawStyle,
                                bounds, 0, font, exStyle);
  SetItemHeight(list, LB_SETITEMHEIGHT, kItemHeight);
  return list;
}

void OrderedFileList::Show(HWND list, HWND removeButton, HWND upButton, HWND downButton) {
  list_ = list;
  removeButton_ = removeButton;
  upButton_ = upButton;
  downButton_ = downButton;
  SetEntries(std::exchange(kept_, {}));
}

int OrderedFileList::Count() const {
  return list_ ? static_cast<int>(SendMessageW(list_, LB_GETCOUNT, 0, 0)) : static_cast<int>(kept_.size());
}

std::vector<std::wstring> OrderedFileList::Entries() const {
  if (!list_) return kept_;
  std::vector<std::wstring> entries;
  for (int i = 0; i < Count(); ++i) entries.push_back(ListBoxText(list_, i));
  return entries;
}

void OrderedFileList::SetEntries(const std::vector<std::wstring>& entries) {
  if (!list_) {
    kept_ = entries;
    return;
  }
  SendMessageW(list_, LB_RESETCONTENT, 0, 0);
  AddListBoxItems(list_, entries);
  EnableButtons(false, false);
}

void OrderedFileList::Add(const std::vector<std::wstring>& paths) { AddListBoxItems(list_, paths); }

bool OrderedFileList::AddFrom(FileDialog& dialog, HWND owner) {
  if (!dialog.Execute(owner)) return false;
  Add(dialog.files);
  return true;
}

std::vector<int> OrderedFileList::SelectedPositions() const {
  std::vector<int> positions(static_cast<size_t>(SendMessageW(list_, LB_GETSELCOUNT, 0, 0)));
  if (!positions.empty())
    SendMessageW(list_, LB_GETSELITEMS, positions.size(), reinterpret_cast<LPARAM>(positions.data()));
  return positions;
}

void OrderedFileList::EnableButtons(bool remove, bool move) {
  EnableWindow(removeButton_, remove);
  EnableWindow(upButton_, move);
  EnableWindow(downButton_, move);
}

void OrderedFileList::SelectionChanged() {
  const int current = static_cast<int>(SendMessageW(list_, LB_GETCARETINDEX, 0, 0));
  const ListButtonStates states = ListButtonStatesFor(Count(), current, static_cast<int>(SelectedPositions().size()));
  EnableButtons(states.remove, states.move);
}

void OrderedFileList::RemoveSelected() {
  for (int position : PositionsToRemove(Entries(), SelectedPositions()))
    SendMessageW(list_, LB_DELETESTRING, position, 0);
  EnableButtons(false, false);
}

// Writes the row anew: it loses its selection mark.
void OrderedFileList::SetText(int position, const std::wstring& text) {
  SendMessageW(list_, LB_DELETESTRING, position, 0);
  SendMessageW(list_, LB_INSERTSTRING, position, reinterpret_cast<LPARAM>(text.c_str()));
}

void OrderedFileList::MoveCurrent(int direction) {
  const int current = static_cast<int>(SendMessageW(list_, LB_GETCARETINDEX, 0, 0));
  const auto target = MoveTarget(current, Count(), direction);
  if (!target) return;
  const std::wstring moved = ListBoxText(list_, current), other = ListBoxText(list_, *target);
  SetText(*target, moved);
  SetText(current, other);
  SendMessageW(list_, LB_SETCARETINDEX, *target, FALSE);
}
