#include "projectsystem/solution_file_preprocessor.h"

#include "projectsystem/project_element.h"
#include "projectsystem/project_system.h"

SolutionFilePreprocessor::SolutionFilePreprocessor(ProjectSystem& system)
    : XMLPreprocessor(system.globalMacros()), system_(system) {}

std::unique_ptr<XMLElement> SolutionFilePreprocessor::createElement(std::string name) {
  return system_.createElement(std::move(name));
}

void SolutionFilePreprocessor::workLimitReached(const QString& file, int line) {
  stoppedAt_ = file + QLatin1Char(':') + QString::number(line);
}
