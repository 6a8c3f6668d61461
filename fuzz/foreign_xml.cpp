// libFuzzer target: arbitrary bytes read as a foreign workspace or project file;
// where the fast parser accepts them, Qt's stream reader must build the same tree.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "fuzz/foreign_xml_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string failure = foreign_xml_check::check(std::string_view(reinterpret_cast<const char*>(data), size));
  if (!failure.empty()) {
    std::fprintf(stderr, "foreign_xml: %s\n", failure.c_str());
    std::abort();
  }
  return 0;
}
