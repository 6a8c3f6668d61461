// libFuzzer target: evaluates arbitrary text as an expression; evaluation must end
// without a crash or undefined behaviour, and the entry points must agree.

#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "fuzz/expression_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string failure = expression_check::check(std::string_view(reinterpret_cast<const char*>(data), size));
  if (!failure.empty()) {
    std::fprintf(stderr, "expression_evaluate: %s\n", failure.c_str());
    std::abort();
  }
  return 0;
}
