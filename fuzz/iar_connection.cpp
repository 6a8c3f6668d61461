// libFuzzer target: reads arbitrary bytes as an IAR project connection file,
// joins it to a project and converts every path it adds, and reads them as
// argument variables too (iar_connection_check.h).

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "fuzz/iar_connection_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string failure = iar_connection_check::check(std::string_view(reinterpret_cast<const char*>(data), size));
  if (!failure.empty()) {
    std::fprintf(stderr, "iar_connection: %s\n", failure.c_str());
    std::abort();
  }
  return 0;
}
