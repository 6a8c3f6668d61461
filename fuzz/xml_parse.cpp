// libFuzzer target: parses arbitrary bytes; every successful parse with a document
// element must write to bytes that parse again and write back identically.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "fuzz/xml_round_trip.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string failure = xml_round_trip::check(std::string_view(reinterpret_cast<const char*>(data), size));
  if (!failure.empty()) {
    std::fprintf(stderr, "xml_parse: %s\n", failure.c_str());
    std::abort();
  }
  return 0;
}
