// "Software List" page: the catalogue tree, each entry's download location, and the update that
// fetches both catalogue files from the maker's server.
#include "tools/catalogue/CatalogueTool.h"

#include "platform/System.h"
#include "platform/TextFiles.h"
#include "ui/Handlers.h"
#include "utilities/DataFiles.h"
#include "utilities/ErrorText.h"
#include "utilities/Maker.h"

namespace {

// The maker's download server, over https so that nobody on the way can rewrite the download links;
// QUOXEL_UPDATE_SERVER points the update elsewhere (a mirror, a test server).
constexpr wchar_t kUpdateServer[] = L"https://www.quoxel.net";

std::wstring UpdateServer() {
  wchar_t value[1024] = {};
  const DWORD length = GetEnvironmentVariableW(L"QUOXEL_UPDATE_SERVER", value, 1024);
  return length > 0 && length < 1024 ? std::wstring(value, length) : kUpdateServer;
}

AppError NotASoftwareList(const std::wstring& address) {
  return AppError(L"The file at " + address + L" is not a software list");
}

}  // namespace

CatalogueTool::CatalogueTool(ToolHost& host) : Tool(host) {}

void CatalogueTool::CreateControls(Page& page) {
  const WindowFonts& fonts = host_.Fonts();
  const HWND SH4 = PageHandle();
  Lbl8 = CreateLabel(SH4,
                     L"Need a specific program? Before you Google, check out the software-list that Quoxel "
                     L"has researched for you!",
                     {3, 3, 556, 13}, fonts.normal.Get());
  Softat = page.Bind(CreateChild(SH4, WC_TREEVIEWW, L"", WS_TABSTOP | TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT,
                                 {0, 22, 161, 363}, 0, fonts.normal.Get(), WS_EX_CLIENTEDGE),
                     OnTreeSelect([this](HTREEITEM node) { SoftatChange(node); }));
  SendMessageW(Softat, TVM_SETINDENT, 19, 0);
  SetAccessibleName(Softat, L"Software list");
  Lbl12 = CreateLabel(SH4, L"&Download location:", {167, 24, 91, 13}, fonts.normal.Get());
  LblSLink = page.Bind(CreateLabel(SH4, kMakerAddress, {167, 40, 83, 13}, fonts.link.Get()),
                       LinkLabel([this] { LblSLinkClick(); }));
  BtnUpdate1 = page.Bind(CreateSpeedButton(SH4, L"Update software-list (Needs working Internet-connection)",
                                           {167, 360, 418, 25}, 0, fonts.normal.Get(), L'U'),
                         OnClick([this] { BtnUpdate1Click(); }));
  page.BindTimer(updateTimer_, [this] { UpdateTimer(); });
  FillCatalogueTree();
}

std::wstring CatalogueTool::DataFile(const wchar_t* name) const { return ::DataFile(host_.AppDir(), name); }

void CatalogueTool::FillCatalogueTree() {
  SendMessageW(Softat, WM_SETREDRAW, FALSE, 0);
  SendMessageW(Softat, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
  std::vector<HTREEITEM> items;
  items.reserve(catalogue_.nodes.size());
  for (const CatalogueNode& node : catalogue_.nodes) {
    TVINSERTSTRUCTW insert{};
    insert.hParent = node.parent < 0 ? TVI_ROOT : items[static_cast<size_t>(node.parent)];
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT;
    insert.item.pszText = const_cast<wchar_t*>(node.caption.c_str());
    items.push_back(
        reinterpret_cast<HTREEITEM>(SendMessageW(Softat, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert))));
  }
  SendMessageW(Softat, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(Softat, nullptr, TRUE);
}

void CatalogueTool::LoadCatalogueFile(const std::wstring& path) {
  catalogue_ = ParseCatalogue(ReadTextListFile(path));
  if (catalogue_.error) throw AppError(*catalogue_.error);
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

void CatalogueTool::BtnUpdate1Click() {
  if (download_) return;  // one update at a time
  server_ = UpdateServer();
  StartDownload(UpdateStep::Catalogue, L"/qvr/soft.txt");
}

// The update runs in steps: the catalogue comes down and must load, then the link file; only when
// both are good are both files replaced, together. The window answers all the while, and the button
// stays disabled until the update is over.
void CatalogueTool::StartDownload(UpdateStep step, const wchar_t* path) {
  step_ = step;
  download_ = std::make_unique<BackgroundDownload>(server_ + path);
  EnableWindow(BtnUpdate1, FALSE);
  updateTimer_.SetEnabled(true);
}

void CatalogueTool::UpdateTimer() {
  if (!download_ || download_->Poll() == BackgroundDownload::State::Running) return;
  const std::unique_ptr<BackgroundDownload> finished = std::move(download_);
  updateTimer_.SetEnabled(false);
  EnableWindow(BtnUpdate1, TRUE);
  if (finished->Poll() == BackgroundDownload::State::Failed)
    throw AppError(L"Error downloading URL: " + finished->Address() + L". " + finished->FailureReason());
  if (step_ == UpdateStep::Catalogue)
    TakeCatalogue(*finished);
  else
    TakeLinks(*finished);
}

void CatalogueTool::TakeCatalogue(const BackgroundDownload& download) {
  if (!IsPlausibleCatalogueText(DecodeListFileText(download.Body()))) throw NotASoftwareList(download.Address());
  const Catalogue catalogue = ParseCatalogue(DecodeListFileLines(download.Body()));
  if (catalogue.error) throw AppError(*catalogue.error);
  newCatalogue_ = download.Body();
  StartDownload(UpdateStep::Links, L"/qvr/soft.ini");
}

void CatalogueTool::TakeLinks(const BackgroundDownload& download) {
  if (!HasLinkSection(DecodeListFileText(download.Body()))) throw NotASoftwareList(download.Address());
  WriteFilesTogether({{DataFile(L"soft.txt"), newCatalogue_}, {DataFile(L"soft.ini"), download.Body()}});
  catalogue_ = ParseCatalogue(DecodeListFileLines(newCatalogue_));
  FillCatalogueTree();
  SoftIni = std::make_unique<IniFileReader>(DataFile(L"soft.ini"));
  host_.ShowTrayBalloon(L"\"Software List\"-module updated successfully!", L"Update");
}
