#pragma once
// The property that the solution_load fuzz target checks and the corpus test
// replays: a text that loads as a solution is written to a text that loads again
// and is written back byte for byte the same; a text that does not load fails
// with a ConversionError, never otherwise.

#include <QString>
#include <string>
#include <string_view>

#include "model/model_node.h"
#include "model/solution_model.h"
#include "solution/solution_reader.h"
#include "solution/solution_writer.h"
#include "support/diagnostics.h"

namespace solution_load_check {

/// Loads text as the solution file at path with a reader of its own, its load
/// commands off; the written text of the result, or nothing when it does not load.
inline bool loadAndWrite(SolutionModel& model, const QString& path, const std::string& text, std::string& written,
                         QString& error) {
  SolutionReader reader(model);
  reader.runLoadCommands = false;
  try {
    const std::unique_ptr<ModelNode> solution = reader.loadSolutionText(path, text);
    written = solutionText(*solution);
  } catch (const ConversionError& failure) {
    error = failure.message();
  }
  return error.isNull();
}

/// Empty when the property holds for bytes, else what went wrong. Inputs naming
/// "include" are passed over: an include reads any file the input names (the
/// preprocessor's own fuzz target covers inclusion).
inline std::string check(SolutionModel& model, const QString& path, std::string_view bytes) {
  if (bytes.find("include") != std::string_view::npos) return {};
  std::string first, second;
  QString error;
  if (!loadAndWrite(model, path, std::string(bytes), first, error)) return {};
  if (!loadAndWrite(model, path, first, second, error))
    return "the written text does not load: " + error.toStdString() + "\n" + first;
  if (second != first) return "the written text loads differently:\n" + first + "\n" + second;
  return {};
}

}  // namespace solution_load_check
