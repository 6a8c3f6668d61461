// The element tree as an XML document with the DOCTYPE "Orbelin_Project_File",
// laid out with indent 2 and line width 75.

#include "solution/solution_writer.h"

#include <QDir>
#include <QFile>
#include <vector>

#include "model/model_names.h"
#include "model/model_node.h"
#include "solution/solution_text.h"
#include "support/atomic_write.h"

using namespace model_names;

namespace {

// Saving removes from the model what the file does not hold: an empty "Name", and
// "file_name" on a folder, on every element written with its children (dynamic
// folders keep all their properties, imported solutions are references).
// Walked with an explicit stack: imported solution files may nest folders deeply.
void dropUnwrittenProperties(ProjectElement& solution) {
  std::vector<ProjectElement*> pending{&solution};
  while (!pending.empty()) {
    ProjectElement& element = *pending.back();
    pending.pop_back();
    if (element.hasProperty(nameProperty) && element.property(nameProperty).isEmpty())
      element.removeProperty(nameProperty);
    if (element.kind() == ProjectElement::Folder && element.hasProperty(fileNameProperty))
      element.removeProperty(fileNameProperty);
    for (ProjectElement* child : element.children()) {
      const bool dynamicFolder = child->kind() == ProjectElement::Folder && child->hasProperty(pathProperty);
      const bool importedSolution = child->kind() == ProjectElement::Solution && child->imported;
      if (!dynamicFolder && !importedSolution) pending.push_back(child);
    }
  }
}

}  // namespace

bool saveSolution(ProjectElement& solution, QString* error) {
  // An imported solution written to its own file is written as a solution, without
  // the reference it carries in the importing file (solutionText leaves its
  // "file_name" out).
  if (!solution.hasProperty(targetProperty)) solution.setProperty(targetProperty, QStringLiteral("8"));
  dropUnwrittenProperties(solution);
  // A solution's location is set when it is created or loaded and never resolved again.
  // A directory that cannot be made shows in the reason the save gives.
  const Path& location = solution.location();
  QDir().mkpath(location.absoluteDirectory());
  std::string reason;
  const ByteProducer text = [&solution](const ByteSink& sink) { writeSolutionText(solution, sink); };
  if (!writeFileAtomically(QFile::encodeName(location.path()).constData(), text, reason)) {
    if (error)
      *error = QStringLiteral("cannot write ") + location.path() + QStringLiteral(": ") + QString::fromLocal8Bit(reason);
    return false;
  }
  solution.lastModified = location.lastModified();
  clearModified(&solution, false);
  return true;
}
