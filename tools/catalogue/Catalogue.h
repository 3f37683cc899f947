#pragma once
#include <optional>
#include <string>
#include <vector>

// The software catalogue's tree, read from its lines: the depth of a line is the number of tabs and
// spaces it starts with, and each line hangs under the line before as sibling, child or ancestor's
// sibling.

struct CatalogueNode {
  std::wstring caption;
  int parent;  // index of the parent node, -1 for a top-level node
  int level;
};

struct Catalogue {
  std::vector<CatalogueNode> nodes;  // in file order; a parent always comes before its children
  // "Invalid level (2) for item "caption"" when a line is indented more than one level deeper than
  // the line before; the nodes of the lines before it are kept.
  std::optional<std::wstring> error;
};

Catalogue ParseCatalogue(const std::vector<std::wstring>& lines);

// Whether downloaded texts can be a software list at all: a catalogue holds no control characters
// but tab, CR and LF (no NUL either); a link file has its [Linkit] section (letter case ignored).
bool IsPlausibleCatalogueText(const std::wstring& text);
bool HasLinkSection(const std::wstring& text);
