#include "tools/catalogue/Catalogue.h"

#include "utilities/AsciiCase.h"

namespace {

int Depth(const std::wstring& line) {
  int depth = 0;
  while (depth < static_cast<int>(line.size()) && (line[depth] == L'\t' || line[depth] == L' ')) ++depth;
  return depth;
}

std::wstring InvalidLevelMessage(int depth, const std::wstring& caption) {
  return L"Invalid level (" + std::to_wstring(depth) + L") for item \"" + caption + L"\"";
}

// The parent for a new node at `level`, given the node made from the line before.
// "[Linkit]" with blanks around it allowed and letter case ignored.
bool IsLinkSectionHeader(const std::wstring& line) {
  const size_t first = line.find_first_not_of(L" \t");
  if (first == std::wstring::npos) return false;
  return AsciiLowerCase(line.substr(first, line.find_last_not_of(L" \t") - first + 1)) == L"[linkit]";
}

int ParentFor(const std::vector<CatalogueNode>& nodes, int previous, int level) {
  if (level == nodes[previous].level + 1) return previous;
  int sibling = previous;
  while (nodes[sibling].level > level) sibling = nodes[sibling].parent;
  return nodes[sibling].parent;
}

}  // namespace

Catalogue ParseCatalogue(const std::vector<std::wstring>& lines) {
  Catalogue catalogue;
  auto& nodes = catalogue.nodes;
  for (const std::wstring& line : lines) {
    const int depth = Depth(line);
    const std::wstring caption = line.substr(static_cast<size_t>(depth));
    if (nodes.empty()) {
      nodes.push_back({caption, -1, 0});
      continue;
    }
    const int previous = static_cast<int>(nodes.size()) - 1;
    if (depth > nodes[previous].level + 1) {
      catalogue.error = InvalidLevelMessage(depth, caption);
      break;
    }
    nodes.push_back({caption, ParentFor(nodes, previous, depth), depth});
  }
  return catalogue;
}

bool IsPlausibleCatalogueText(const std::wstring& text) {
  for (const wchar_t c : text)
    if (c < L' ' && c != L'\t' && c != L'\r' && c != L'\n') return false;
  return true;
}

bool HasLinkSection(const std::wstring& text) {
  for (size_t start = 0; start < text.size();) {
    size_t end = text.find_first_of(L"\r\n", start);
    if (end == std::wstring::npos) end = text.size();
    if (IsLinkSectionHeader(text.substr(start, end - start))) return true;
    start = end + 1;
  }
  return false;
}
