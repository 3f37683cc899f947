// The controls whose entries carry their items: what they give back is the items, never a row's place.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/UiTestSupport.h"
#include "ui/CheckList.h"
#include "ui/ComboBox.h"

namespace {

class TypedControls : public testing::Test {
 protected:
  void TearDown() override { DestroyWindow(parent); }
  HWND parent = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 300, 200, nullptr, nullptr, nullptr, nullptr);
};

std::wstring Letter(const wchar_t& letter) { return std::wstring(1, letter) + L":"; }
std::wstring Number(const int& number) { return std::to_wstring(number); }

}  // namespace

TEST_F(TypedControls, ACheckListGivesTheTickedItemsAndANewFillReplacesThem) {
  CheckList<int> list;
  list.Create(parent, {0, 0, 200, 100}, nullptr, 13);
  list.SetItems({30, 10, 20}, Number, [](const int& number) { return Number(number * 2); });
  EXPECT_EQ(ListItems(list.Handle()), (std::vector<std::wstring>{L"30", L"10", L"20"})) << "in the order given";
  EXPECT_EQ(CheckListFigure(list.Handle(), 1), L"20");
  SetItemChecked(list.Handle(), 1, false);
  EXPECT_EQ(list.Checked(), (std::vector<int>{30, 20}));
  list.SetItems({7}, Number, Number);
  EXPECT_EQ(list.Checked(), std::vector<int>{7});
  list.Clear();
  EXPECT_TRUE(list.Empty());
  EXPECT_TRUE(list.Checked().empty());
}

TEST_F(TypedControls, AComboKeepsItsChoiceThroughARefillWhileItIsListed) {
  ComboBox<wchar_t> box;
  box.Attach(CreateWindowExW(0, WC_COMBOBOXW, L"", WS_CHILD | CBS_DROPDOWNLIST | CBS_SORT, 0, 0, 60, 120, parent,
                             nullptr, nullptr, nullptr));
  EXPECT_EQ(box.Chosen(), std::nullopt);
  box.SetItems({L'Q', L'C', L'Z'}, Letter);
  EXPECT_EQ(box.Chosen(), L'Q') << "the first, in the order given even by a sorting box";
  EXPECT_FALSE(box.Choose(L'D'));
  EXPECT_EQ(box.Chosen(), L'Q');
  ASSERT_TRUE(box.Choose(L'Z'));
  box.SetItems({L'C', L'Z'}, Letter);
  EXPECT_EQ(box.Chosen(), L'Z');
  EXPECT_EQ(WindowTextOf(box.Handle()), L"Z:");
  box.SetItems({L'C', L'D'}, Letter);
  EXPECT_EQ(box.Chosen(), L'C');
  box.SetItems({}, Letter);
  EXPECT_EQ(box.Chosen(), std::nullopt);
}
