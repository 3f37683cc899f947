// Coverage-guided fuzzing of the catalogue loader and the checks of a downloaded catalogue: any
// bytes give a well-formed tree (parents before children, each level one below its parent's).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "tools/catalogue/Catalogue.h"
#include "utilities/TextListFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const auto latin1 = [](const std::string& b) {
    std::wstring text;
    for (const char byte : b) text.push_back(static_cast<unsigned char>(byte));
    return text;
  };
  const Catalogue catalogue = ParseCatalogue(DecodeTextList(bytes, latin1));
  for (std::size_t i = 0; i < catalogue.nodes.size(); ++i) {
    const CatalogueNode& node = catalogue.nodes[i];
    if (node.parent >= static_cast<int>(i)) std::abort();
    if (node.level != (node.parent < 0 ? 0 : catalogue.nodes[node.parent].level + 1)) std::abort();
  }
  const std::wstring text = DecodeListText(bytes, latin1);
  IsPlausibleCatalogueText(text);
  HasLinkSection(text);
  return 0;
}
