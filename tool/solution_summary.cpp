#include "tool/solution_summary.h"

#include <vector>

#include "projectsystem/project_element.h"

namespace {

QString counted(int count, const char* singular, const char* plural) {
  return QString::number(count) + QLatin1Char(' ') + QLatin1String(count == 1 ? singular : plural);
}

}  // namespace

SolutionCounts countSolutionItems(const ProjectElement* solution) {
  SolutionCounts counts;
  // An explicit stack: a mirrored source tree can be deep.
  std::vector<const ProjectElement*> pending{solution};
  while (!pending.empty()) {
    const ProjectElement* element = pending.back();
    pending.pop_back();
    if (!element) continue;
    for (const ProjectElement* child : element->children()) {
      if (child->kind() == ProjectElement::Project) ++counts.projects;
      if (child->kind() == ProjectElement::Folder) ++counts.folders;
      if (child->kind() == ProjectElement::File) ++counts.files;
      pending.push_back(child);
    }
  }
  return counts;
}

QString solutionSummary(const QString& path, const SolutionCounts& counts) {
  return path + QStringLiteral(": ") + counted(counts.projects, "project", "projects") + QStringLiteral(", ") +
         counted(counts.folders, "folder", "folders") + QStringLiteral(", ") + counted(counts.files, "file", "files");
}
