#include "solution/solution_file_preprocessor.h"

#include "model/model_node.h"
#include "model/solution_model.h"

SolutionFilePreprocessor::SolutionFilePreprocessor(ProjectSystem& system)
    : XMLPreprocessor(system.globalMacros()), system_(system) {}

std::unique_ptr<XMLElement> SolutionFilePreprocessor::createElement(std::string name) {
  return system_.createElement(std::move(name));
}

void SolutionFilePreprocessor::workLimitReached(const QString& file, int line) {
  stoppedAt_ = file + QLatin1Char(':') + QString::number(line);
}
