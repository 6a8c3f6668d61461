#include "mapping/project_mapper.h"

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
    writeDependencies,           // the projects it depends on
    writeConfigurations,         // every setting as its property, shared ones in "Common"
    addLinkedLibraryFiles,       // libraries no project of the workspace builds
    applyTemplate,               // the project template
    addSourceTree,               // folders and files, with their exclusions and settings
    addLinkerScripts,            // GNU ld scripts as files of the project
    reportNotCarried,            // what the solution cannot carry
};

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
// one into a record, and this is the last guard. The project's outcome is known
// to the diagnostics from the start, so that an error met while writing it
// concerns it.
void ProjectMapper::addProject(const ProjectRecord& record) {
  if (!isXmlText(record.name)) {
    context_.leaveOutProject(record.sourceFile, QStringLiteral("project ") + record.name +
                                                    QStringLiteral(" left out: its name holds a control character"));
    return;
  }
  ++projectsAdded_;
  Diagnostics& diagnostics = context_.diagnostics();
  ProjectMapping mapping{model_, diagnostics, options_,       rules_,
                         record, solution_,   workspaceFile_, otherConfigurations_};
  mapping.outcome =
      diagnostics.addProject({record.name, QLatin1String(projectKindName(record.kind)), record.sourceFile, 0, 0, {}});
  for (const MappingStep step : mappingSteps) step(mapping);
  ProjectOutcome& outcome = diagnostics.project(mapping.outcome);
  countItems(mapping.project, outcome);
  outcome.configurations = std::move(mapping.configurations);
  for (const NotCarried& library : record.librariesNotLinked) librariesNotLinked_.append({mapping.outcome, library});
}

// A configuration is built when the solution declares it: "Debug" and
// "Release" come with the templates, the others are declared here, after the
// projects, in the order first met. A workspace that names no project at all
// still gets its empty solution; one whose projects were all left out, for
// whatever reason, keeps the solution written before.
void ProjectMapper::finish(qsizetype projectsNamed) {
  for (auto [outcome, library] : std::as_const(librariesNotLinked_)) {
    library.configurationWord = QLatin1String(rules_.configurationWord);
    context_.diagnostics().notCarried(outcome, library);
  }
  if (projectsAdded_ == 0 && (projectsNamed > 0 || context_.projectsLeftOut() > 0)) {
    const auto& [file, why] = context_.firstProjectLeftOut();
    const QString reason = file == workspaceFile_ ? why : aboutFile(file, why);
    const QString said = why.isEmpty() ? QString() : QStringLiteral(" (") + reason + QLatin1Char(')');
    throw ConversionError(workspaceFile_, QStringLiteral("no project could be converted") + said);
  }
  for (const QString& name : otherConfigurations_) model_.newConfiguration(solution_, name);
}
