// libFuzzer target: reads arbitrary bytes as an IAR project file and converts
// every path it names; the content must stay consistent (iar_project_check.h).

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "fuzz/iar_project_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string failure = iar_project_check::check(std::string_view(reinterpret_cast<const char*>(data), size));
  if (!failure.empty()) {
    std::fprintf(stderr, "iar_project: %s\n", failure.c_str());
    std::abort();
  }
  return 0;
}
