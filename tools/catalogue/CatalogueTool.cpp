// "Software List" page: the catalogue tree, each entry's download location, and the update that
// fetches both catalogue files from the maker's server.
#include "tools/catalogue/CatalogueTool.h"

#include <cstdlib>

#include "platform/Download.h"
#include "platform/System.h"
#include "platform/TextFiles.h"
#include "tools/catalogue/Catalogue.h"
#include "ui/Handlers.h"
#include "utilities/DataFiles.h"
#include "utilities/ErrorText.h"
#include "utilities/Maker.h"

namespace {

// The maker's download server; QUOXEL_UPDATE_SERVER points the update elsewhere (a mirror, a test).
constexpr wchar_t kUpdateServer[] = L"http://www.quoxel.net";

std::wstring UpdateServer() {
  wchar_t value[1024] = {};
  const DWORD length = GetEnvironmentVariableW(L"QUOXEL_UPDATE_SERVER", value, 1024);
  return length > 0 && length < 1024 ? std::wstring(value, length) : kUpdateServer;
}

// Removes a file when the scope ends, unless it has been moved away.
struct TemporaryFile {
  std::wstring path;
  ~TemporaryFile() { DeleteFileW(path.c_str()); }
};

}  // namespace

CatalogueTool::CatalogueTool(ToolHost& host, Page& page) : Tool(host, page) {
  const WindowFonts& fonts = host.Fonts();
  const HWND SH4 = PageHandle();
  Lbl8 = CreateLabel(SH4,
                     L"Need a specific program? Before you Google, check out the software-list that Quoxel "
                     L"has researched for you!",
                     {3, 3, 556, 13}, fonts.normal.Get());
  Softat = page.Bind(CreateChild(SH4, WC_TREEVIEWW, L"", WS_TABSTOP | TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT,
                                 {0, 22, 161, 363}, 0, fonts.normal.Get(), WS_EX_CLIENTEDGE),
                     OnTreeSelect([this](HTREEITEM node) { SoftatChange(node); }));
  SendMessageW(Softat, TVM_SETINDENT, 19, 0);
  Lbl12 = CreateLabel(SH4, L"Download location:", {167, 24, 91, 13}, fonts.normal.Get());
  LblSLink = page.Bind(CreateLabel(SH4, kMakerAddress, {167, 40, 83, 13}, fonts.link.Get()),
                       LinkLabel([this] { LblSLinkClick(); }));
  BtnUpdate1 = page.Bind(CreateSpeedButton(SH4, L"Update software-list (Needs working Internet-connection)",
                                           {167, 360, 418, 25}, 0, fonts.normal.Get()),
                         OnClick([this] { BtnUpdate1Click(); }));
}

std::wstring CatalogueTool::DataFile(const wchar_t* name) const { return ::DataFile(host_.AppDir(), name); }

void CatalogueTool::FillCatalogueTree(const Catalogue& catalogue) {
  SendMessageW(Softat, WM_SETREDRAW, FALSE, 0);
  SendMessageW(Softat, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
  std::vector<HTREEITEM> items;
  items.reserve(catalogue.nodes.size());
  for (const CatalogueNode& node : catalogue.nodes) {
    TVINSERTSTRUCTW insert{};
    insert.hParent = node.parent < 0 ? TVI_ROOT : items[static_cast<size_t>(node.parent)];
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT;
    insert.item.pszText = const_cast<wchar_t*>(node.caption.c_str());
    items.push_back(reinterpret_cast<HTREEITEM>(
        SendMessageW(Softat, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert))));
  }
  SendMessageW(Softat, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(Softat, nullptr, TRUE);
}

void CatalogueTool::LoadCatalogueFile(const std::wstring& path) {
  const Catalogue catalogue = ParseCatalogue(ReadTextListFile(path));
  FillCatalogueTree(catalogue);
  if (catalogue.error) throw AppError(*catalogue.error);
}

void CatalogueTool::LoadSoftwareList() {
  const std::wstring catalogue = DataFile(L"soft.txt");
  if (FileExists(catalogue)) RunHandler(host_.Window(), [this, &catalogue] { LoadCatalogueFile(catalogue); });
  SoftIni = std::make_unique<IniFileReader>(DataFile(L"soft.ini"));
}

void CatalogueTool::SoftatChange(HTREEITEM node) {
  if (!node) return;
  SetLabelText(LblSLink, SoftIni->ReadString(L"Linkit", TreeItemText(Softat, node)));
}

void CatalogueTool::LblSLinkClick() { OpenLinkLabel(LblSLink); }

void CatalogueTool::BtnUpdate1Click() { UpdateSoftwareList(); }

void CatalogueTool::UpdateSoftwareList() {
  // Both files come down beside the old ones and replace them only when the new catalogue loads
  // without error: a cut or broken download leaves the working catalogue as it was.
  const std::wstring server = UpdateServer();
  TemporaryFile newCatalogue{DataFile(L"soft.txt.download")};
  TemporaryFile newLinks{DataFile(L"soft.ini.download")};
  DownloadToFile(server + L"/qvr/soft.txt", newCatalogue.path);
  const Catalogue catalogue = ParseCatalogue(ReadTextListFile(newCatalogue.path));
  if (catalogue.error) throw AppError(*catalogue.error);
  DownloadToFile(server + L"/qvr/soft.ini", newLinks.path);
  MoveOver(newCatalogue.path, DataFile(L"soft.txt"));
  FillCatalogueTree(catalogue);
  MoveOver(newLinks.path, DataFile(L"soft.ini"));
  SoftIni = std::make_unique<IniFileReader>(DataFile(L"soft.ini"));
  host_.ShowTrayBalloon(L"\"Software List\"-module updated successfully!", L"Update");
}
