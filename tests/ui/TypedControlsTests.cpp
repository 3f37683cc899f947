// The controls whose entries carry their items: what they give back is the items, never a row's place.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/CheckList.h"
#include "ui/ComboBox.h"
#include "ui/Controls.h"

namespace {

class TypedControls : public testing::Test {
 protected:
  void TearDown() override { DestroyWindow(parent); }
  HWND parent = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 300, 200, nullptr, nullptr, nullptr, nullptr);
};

std::wstring Letter(const wchar_t& letter) { return std::wstring(1, letter) + L":"; }
std::wstring Number(const int& number) { return std::to_wstring(number); }

}  // namespace

TEST_F(TypedControls, ACheckListGivesTheTickedItemsOfItsLastFillOnly) {
  CheckList<int> list;
  list.Create(parent, {0, 0, 200, 100}, nullptr, 13);
  list.SetItems({1, 2}, Number, Number);
  list.SetItems({30, 10, 20}, Number, Number);
  SetItemChecked(list.Handle(), 1, false);
  EXPECT_EQ(list.Checked(), (std::vector<int>{30, 20}));
}

TEST_F(TypedControls, AComboKeepsItsChoiceThroughARefillWhileItIsListed) {
  ComboBox<wchar_t> box;
  box.Attach(CreateWindowExW(0, WC_COMBOBOXW, L"", WS_CHILD | CBS_DROPDOWNLIST | CBS_SORT, 0, 0, 60, 120, parent,
                             nullptr, nullptr, nullptr));
  box.SetItems({L'Q', L'C', L'Z'}, Letter);
  EXPECT_EQ(box.Chosen(), L'Q') << "the first, in the order given even by a sorting box";
  EXPECT_FALSE(box.Choose(L'D'));
  ASSERT_TRUE(box.Choose(L'Z'));
  box.SetItems({L'C', L'Z'}, Letter);
  EXPECT_EQ(WindowTextOf(box.Handle()), L"Z:");
  box.SetItems({L'C', L'D'}, Letter);
  EXPECT_EQ(box.Chosen(), L'C');
}
