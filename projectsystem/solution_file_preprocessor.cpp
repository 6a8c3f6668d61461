#include "projectsystem/solution_file_preprocessor.h"

#include "projectsystem/project_element.h"
#include "projectsystem/project_system.h"

SolutionFilePreprocessor::SolutionFilePreprocessor(ProjectSystem* system) : XMLPreprocessor(false), system_(system) {}

std::unique_ptr<XMLElement> SolutionFilePreprocessor::createElement(std::string name) {
  if (system_) return system_->createElement(std::move(name));
  return std::make_unique<ProjectElement>(std::move(name), nullptr);
}
