// libFuzzer target: arbitrary bytes read as a resource filter pattern and a
// name, and the filters of a project, checked as resource_filters_check.h says.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "fuzz/resource_filters_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string failure =
      resource_filters_check::check(std::string_view(reinterpret_cast<const char*>(data), size));
  if (!failure.empty()) {
    std::fprintf(stderr, "resource_filters: %s\n", failure.c_str());
    std::abort();
  }
  return 0;
}
