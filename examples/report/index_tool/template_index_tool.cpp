// Writes the index file of a page template:
//   template_index_tool TEMPLATE INDEX
// e.g. template_index_tool DAT/LAN/P012.ENG DAT/LAN/P012INDX.ENG
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>

#include "examples/report/index_tool/template_page_ends.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: template_index_tool TEMPLATE INDEX\n";
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  if (!in) {
    std::cerr << argv[1] << ": cannot be read\n";
    return 1;
  }
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const template_index::Index index = template_index::TemplatePageEnds(text);
  if (!index.error.empty()) {
    std::cerr << argv[1] << ": " << index.error << "\n";
    return 1;
  }
  std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
  out << template_index::IndexBytes(index.offsets);
  if (!out.flush()) {
    std::cerr << argv[2] << ": cannot be written\n";
    return 1;
  }
  std::cout << argv[2] << ": " << index.offsets.size() << " pages\n";
  return 0;
}
