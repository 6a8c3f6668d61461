#include "projectsystem/project_system_xmlpp.h"

#include "projectsystem/project_element.h"
#include "projectsystem/project_system.h"

ProjectSystemXMLPP2::ProjectSystemXMLPP2(ProjectSystem* system) : XMLPP2(false), system_(system) {}

std::unique_ptr<XMLElement> ProjectSystemXMLPP2::createElement(std::string name) {
  if (system_) return system_->createElement(std::move(name));
  return std::make_unique<ProjectElement>(std::move(name), nullptr);
}
