// libFuzzer target: arbitrary bytes read as the build variables of a CDT
// configuration and texts to expand, checked as build_variables_check.h says.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "fuzz/build_variables_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string failure = build_variables_check::check(std::string_view(reinterpret_cast<const char*>(data), size));
  if (!failure.empty()) {
    std::fprintf(stderr, "build_variables: %s\n", failure.c_str());
    std::abort();
  }
  return 0;
}
