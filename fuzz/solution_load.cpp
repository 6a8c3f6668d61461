// libFuzzer target: loads arbitrary bytes as a solution file, with its load
// command disabled; a solution that loads must write a text that loads back the same.

#include <QDir>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "fuzz/solution_load_check.h"
#include "model/solution_model.h"
#include "properties/property_schema.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // Relative imports are looked for in an empty directory of the fuzzer's own.
  static QTemporaryDir directory(QDir::tempPath() + "/quenport-fuzz-XXXXXX");
  static const PropertySchema schema = buildPropertySchema();
  static const GlobalMacros macros;
  SolutionModel model(schema, macros);
  const std::string failure = solution_load_check::check(model, directory.path() + "/fuzz.hzp",
                                                         std::string_view(reinterpret_cast<const char*>(data), size));
  if (!failure.empty()) {
    std::fprintf(stderr, "solution_load: %s\n", failure.c_str());
    std::abort();
  }
  return 0;
}
