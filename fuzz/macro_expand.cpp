// libFuzzer target: expands arbitrary text with arbitrary project macros; the
// expansion must end and stay within its length bound.

#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "fuzz/macro_expansion_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string failure = macro_expansion_check::check(std::string_view(reinterpret_cast<const char*>(data), size));
  if (!failure.empty()) {
    std::fprintf(stderr, "macro_expand: %s\n", failure.c_str());
    std::abort();
  }
  return 0;
}
