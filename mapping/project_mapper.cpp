#include "mapping/project_mapper.h"

#include <utility>
#include <vector>

#include "mapping/mapping_steps.h"
#include "model/solution_model.h"
#include "readers/common/conversion_context.h"
#include "xml/utf8_text.h"

namespace {

/// One step of writing a record; the steps run in this order.
using MappingStep = void (*)(ProjectMapping& mapping);
constexpr MappingStep mappingSteps[] = {
    planConfigurations,          // which source configurations become Debug, Release and the others
    createProject,               // the project, its directory and type
    applyCommandLineProperties,  // "-P"
    writeConfigurations,         // every setting as its property, shared ones in "Common"
    applyTemplate,               // the project template
    addSourceTree,               // folders and files, with their exclusions and settings
    addLinkerScripts,            // GNU ld scripts as files of the project
};
// Then, with completeProject, what it cannot carry is reported and its links are
// written (writeLinks): the projects it depends on and the libraries no project of
// the workspace builds.

/// How many folders and files a project holds, at any depth.
void countItems(const ModelNode* project, ProjectOutcome& outcome) {
  // An explicit stack: a mirrored source tree can be deep.
  std::vector<const ModelNode*> pending{project};
  while (!pending.empty()) {
    const ModelNode* node = pending.back();
    pending.pop_back();
    for (const ModelNode* child : node->children()) {
      if (child->kind() == ModelNode::Folder) ++outcome.folders;
      if (child->kind() == ModelNode::File) ++outcome.files;
      pending.push_back(child);
    }
  }
}

}  // namespace

ProjectMapper::ProjectMapper(SolutionModel& model, ConversionContext& context, const MappingOptions& options,
                             const MappingRules& rules)
    : model_(model), context_(context), options_(options), rules_(rules) {}

void ProjectMapper::beginSolution(const QString& name, const QString& directory, const QString& workspaceFile) {
  solution_ = model_.newSolution(name, directory);
  workspaceFile_ = workspaceFile;
}

// A solution holding a control character could not be read back: no reader passes
// one into a record, and this is the last guard. An error met while writing the
// project concerns it: its outcome is reported before the error, with the
// warnings met until then.
qsizetype ProjectMapper::startProject(const ProjectRecord& record) {
  setAsideItemsOfWaitingProject();
  StartedProject& started = started_.emplace_back();
  const auto number = qsizetype(started_.size()) - 1;
  if (!isXmlText(record.name)) {
    started.leftOut = Warning{record.sourceFile, QStringLiteral("project ") + record.name +
                                                     QStringLiteral(" left out: its name holds a control character")};
    return number;
  }
  ++projectsAdded_;
  ProjectMapping mapping{model_, options_, rules_, record, solution_, workspaceFile_, otherConfigurations_};
  started.outcome = {record.name, QLatin1String(projectKindName(record.kind)), record.sourceFile, 0, 0, {}};
  try {
    for (const MappingStep step : mappingSteps) step(mapping);
  } catch (const ConversionError& error) {
    started.error = error;
  }
  started.warnings = std::move(mapping.warnings);
  if (started.error) return number;
  started.project = mapping.project;
  countItems(mapping.project, started.outcome);
  started.outcome.configurations = std::move(mapping.configurations);
  started.notCarried = std::move(mapping.notCarried);
  return number;
}

void ProjectMapper::completeProject(qsizetype project, const ProjectLinks& links) {
  StartedProject started = std::exchange(started_[size_t(project)], {});
  if (started.leftOut) {
    context_.leaveOutProject(started.leftOut->file, started.leftOut->message);
    return;
  }
  Diagnostics& diagnostics = context_.diagnostics();
  const qsizetype outcome = diagnostics.addProject(std::move(started.outcome));
  for (const Warning& warning : started.warnings) diagnostics.warn(warning.file, warning.message);
  if (started.error) throw *started.error;
  for (const NotCarried& setting : std::as_const(started.notCarried)) reportNotCarried(outcome, setting);
  writeLinks(model_, started.project, links);
  for (const NotCarried& library : links.librariesNotLinked) librariesNotLinked_.append({outcome, library});
  // Handed on while the reader is still reading, so that the model holds one
  // project at a time (they are completed in the order they were started). A
  // reader that completes its projects only once it has started them all holds
  // them all by then: they are written with the rest, which spares destroying
  // them one by one.
  const bool lastStarted = size_t(project) + 1 == started_.size();
  if (lastStarted && completedProjects_ && completedProjects_(*started.project)) model_.deleteNode(started.project);
}

// A project still incomplete when the next one starts waits for the links that
// only later projects settle, which change nothing but its configurations: its
// folders and files are set aside as text on the disk, so that a workspace whose
// projects all wait is not held whole.
void ProjectMapper::setAsideItemsOfWaitingProject() {
  if (started_.empty() || !waitingProjects_) return;
  ModelNode* project = started_.back().project;  // null once completed
  if (!project || !linksChangeOnlyHeldConfigurations(project) || !waitingProjects_(*project)) return;
  std::vector<ModelNode*> items;
  for (ModelNode* child : project->children())
    if (child->kind() != ModelNode::Configuration) items.push_back(child);
  for (ModelNode* item : items) model_.deleteNode(item);
}

// The configurations are named in the reader's word ("target").
void ProjectMapper::reportNotCarried(qsizetype outcome, NotCarried setting) {
  setting.configurationWord = QLatin1String(rules_.configurationWord);
  context_.diagnostics().notCarried(outcome, setting);
}

// A configuration is built when the solution declares it: "Debug" and
// "Release" come with the templates, the others are declared here, after the
// projects, in the order first met. A workspace that names no project at all
// still gets its empty solution; one whose projects were all left out, for
// whatever reason, keeps the solution written before.
void ProjectMapper::finish(qsizetype projectsNamed) {
  for (const auto& [outcome, library] : std::as_const(librariesNotLinked_)) reportNotCarried(outcome, library);
  if (projectsAdded_ == 0 && (projectsNamed > 0 || context_.projectsLeftOut() > 0)) {
    const auto& [file, why] = context_.firstProjectLeftOut();
    const QString reason = file == workspaceFile_ ? why : aboutFile(file, why);
    const QString said = why.isEmpty() ? QString() : QStringLiteral(" (") + reason + QLatin1Char(')');
    throw ConversionError(workspaceFile_, QStringLiteral("no project could be converted") + said);
  }
  for (const QString& name : otherConfigurations_) model_.newConfiguration(solution_, name);
}
