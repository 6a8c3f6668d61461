// libFuzzer target: reads arbitrary bytes as the setting texts the readers
// parse themselves (setting_texts_check.h).

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "fuzz/setting_texts_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string failure = setting_texts_check::check(std::string_view(reinterpret_cast<const char*>(data), size));
  if (!failure.empty()) {
    std::fprintf(stderr, "setting_texts: %s\n", failure.c_str());
    std::abort();
  }
  return 0;
}
