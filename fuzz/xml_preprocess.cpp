// libFuzzer target: parses arbitrary bytes and preprocesses the document; it must end
// without a crash, with a consistent tree within the growth bound.

#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "fuzz/preprocessor_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string failure = preprocessor_check::check(std::string_view(reinterpret_cast<const char*>(data), size));
  if (!failure.empty()) {
    std::fprintf(stderr, "xml_preprocess: %s\n", failure.c_str());
    std::abort();
  }
  return 0;
}
