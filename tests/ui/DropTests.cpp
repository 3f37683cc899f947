// Files dropped from Explorer: a bound list takes their paths, and a drop stands for files.
#include <windows.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/DroppedFiles.h"
#include "tests/support/UiTestSupport.h"
#include "ui/OrderedFileList.h"
#include "ui/Page.h"
#include "utilities/ErrorText.h"

namespace {

using Paths = std::vector<std::wstring>;

HWND NewParent() {
  Page::RegisterWindowClass(GetModuleHandleW(nullptr));
  return CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 300, 200, nullptr, nullptr, nullptr, nullptr);
}

class Drop : public testing::Test {
 protected:
  void TearDown() override { DestroyWindow(parent); }  // while the panel is there to see its end
  HWND parent = NewParent();
  Page panel{parent, {0, 0, 200, 100}, RGB(255, 255, 255)};
};

}  // namespace

TEST_F(Drop, AListBoundToTakeDropsAddsTheirPathsAndAnErrorOfItsHandlerIsShown) {
  OrderedFileList files;
  const HWND list = panel.Bind(CreateOrderedFileListBox(panel.Handle(), {0, 0, 150, 80}, nullptr, 0),
                               Binding().OnDropFiles([&files](const Paths& paths) {
                                 if (paths.front() == L"C:\\gone.jpg") throw AppError(L"Cannot add it");
                                 files.Add(paths);
                               }));
  SetAccessibleName(list, L"Files");  // replaces the window procedure again, over the drop's
  files.Show(list, nullptr, nullptr, nullptr);
  EXPECT_TRUE(GetWindowLongPtrW(list, GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
  const Paths dropped{L"C:\\photos\\a.jpg", L"C:\\" + std::wstring(300, L'x') + L".jpg"};
  DropFiles(list, dropped);
  EXPECT_EQ(files.Entries(), dropped);
  BoxRecorder boxes;
  DropFiles(list, {L"C:\\gone.jpg"});
  ASSERT_EQ(boxes.Calls().size(), 1u);
  EXPECT_EQ(boxes.Calls()[0].text, L"Cannot add it.");
}

TEST(DroppedFiles, AFolderStandsForItsOwnFilesInExplorersOrderAndADroppedFileKeepsItsPlace) {
  const ScratchDataFolder scratch(L"drop");
  const auto at = [&scratch](const wchar_t* name) { return scratch.File(name); };
  const wchar_t* const folders[] = {L"photos", L"photos\\sub", L"more"};
  const wchar_t* const files[] = {L"photos\\IMG_10.jpg", L"photos\\IMG_2.jpg", L"photos\\sub\\in.jpg", L"more\\a.png",
                                  L"loose.txt"};
  for (const wchar_t* folder : folders) CreateDirectoryW(at(folder).c_str(), nullptr);
  for (const wchar_t* file : files) WriteBytes(at(file), "x");
  const std::wstring link = at(L"photos\\link.jpg");
  CreateSymbolicLinkW(link.c_str(), at(L"loose.txt").c_str(), 0);  // where the system makes one: Wine 8 does not
  const struct {
    const char* name;
    Paths dropped, files;
  } cases[] = {
      {"a folder: no sub-folder, no link", {at(L"photos")}, {at(L"photos\\IMG_2.jpg"), at(L"photos\\IMG_10.jpg")}},
      {"a file between folders",
       {at(L"more\\"), at(L"loose.txt"), at(L"photos\\sub")},
       {at(L"more\\a.png"), at(L"loose.txt"), at(L"photos\\sub\\in.jpg")}},
      {"a path no longer there", {at(L"gone.txt"), at(L"more")}, {at(L"more\\a.png")}},
  };
  for (const auto& c : cases) EXPECT_EQ(FilesOfDrop(c.dropped), c.files) << c.name;
  DeleteFileW(link.c_str());
  for (const wchar_t* file : files) DeleteFileW(at(file).c_str());
  for (auto folder = std::rbegin(folders); folder != std::rend(folders); ++folder) RemoveDirectoryW(at(*folder).c_str());
}
