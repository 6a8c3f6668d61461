#include "projectsystem/solution_reader.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <exception>
#include <vector>

#include "projectsystem/load_command.h"
#include "projectsystem/model_names.h"
#include "projectsystem/project_element.h"
#include "projectsystem/project_system.h"
#include "projectsystem/solution_file_preprocessor.h"
#include "projectsystem/solution_load_error.h"
#include "projectsystem/solution_text.h"
#include "xml/xml_document.h"

using namespace model_names;

namespace {

const QString solutionVersion = QStringLiteral("2");

[[noreturn]] void fail(const QString& fileName, const QString& message) {
  throw SolutionLoadError{fileName, SolutionLoadError::Plain, message, 0, 0};
}

// Relative paths are taken relative to the base directory (the importing file's
// directory), never to the working directory, so what an import reads does not
// depend on where the tool was started.
QString resolvedPath(const QString& baseDirectory, const QString& path) {
  if (baseDirectory.isEmpty() || !QDir::isRelativePath(path)) return Path(path).absoluteFilePath();
  return Path(baseDirectory + QLatin1Char('/') + path).absoluteFilePath();
}

QString loadCommandFailure(const LoadCommandResult& result) {
  switch (result.outcome) {
    case LoadCommandResult::Exited:
      return QStringLiteral("solution load command failed (") + QString::number(result.exitStatus) +
             QLatin1Char(')');
    case LoadCommandResult::FailedToStart:
      return QStringLiteral("cannot start solution load command ") + result.detail;
    case LoadCommandResult::Crashed:
      return QStringLiteral("solution load command crashed (") + result.detail + QLatin1Char(')');
    case LoadCommandResult::RedirectionFailed:
      return QStringLiteral("solution load command output: ") + result.detail;
  }
  return QString();
}

/// Turns a parsed solution document into the model in place, depth first with an
/// explicit stack (deeply nested files cannot exhaust the call stack).
class SolutionTreeBuilder {
 public:
  SolutionTreeBuilder(SolutionReader& reader, const QString& directory) : reader_(reader), directory_(directory) {}

  std::unique_ptr<ProjectElement> build(std::unique_ptr<XMLElement> root);

 private:
  struct Level {
    ProjectElement* element;
    XMLNode* next;  // the next child to build
  };
  void takeAttributes(ProjectElement* element);
  ProjectElement* buildChild(ProjectElement* parent, XMLNode* node);
  ProjectElement* importedSolution(ProjectElement* parent, XMLElement* import);

  SolutionReader& reader_;
  const QString directory_;
  // Nodes taken out of the tree (replaced imports, nameless elements), destroyed
  // with the builder: the walk still steps past them.
  std::vector<std::unique_ptr<XMLNode>> discarded_;
};

// The preprocessor document makes every element it parses, includes or copies a
// model element, the root included (buildSolution checks it).
std::unique_ptr<ProjectElement> SolutionTreeBuilder::build(std::unique_ptr<XMLElement> root) {
  std::unique_ptr<ProjectElement> solution(static_cast<ProjectElement*>(root.release()));
  takeAttributes(solution.get());
  std::vector<Level> levels{{solution.get(), solution->firstChild()}};
  while (!levels.empty()) {
    XMLNode* node = levels.back().next;
    if (!node) {
      levels.pop_back();
      continue;
    }
    levels.back().next = node->nextSibling();  // taken before node is replaced
    ProjectElement* parent = levels.back().element;
    ProjectElement* child = buildChild(parent, node);
    if (!child) continue;
    if (child->kind() == ProjectElement::Configuration) parent->enterConfiguration(child);
    // An imported solution was built by its own load.
    if (child->imported || !child->firstChild()) continue;
    levels.push_back({child, child->firstChild()});
  }
  return solution;
}

// Attributes become properties (names as ASCII, values from UTF-8, in attribute
// order) and leave the XML element, which the model does not read again. Projects
// naming a template and dynamic folders are recorded for template expansion; a
// "template_name" or "path" on another kind of element means nothing and is kept
// as a plain property (expanding a file as a project would corrupt the solution).
void SolutionTreeBuilder::takeAttributes(ProjectElement* element) {
  std::vector<XMLAttribute> attributes;
  attributes.swap(element->attributes());
  for (const XMLAttribute& attribute : attributes)
    element->setProperty(QString::fromLatin1(attribute.name), QString::fromUtf8(attribute.value));
  if (element->kind() == ProjectElement::Project && element->hasProperty(templateNameProperty))
    reader_.templatedProjects.append(element);
  else if (element->kind() == ProjectElement::Folder && element->hasProperty(pathProperty))
    reader_.dynamicFolders.append(element);
}

// The element that takes node's place in the model, or null for a node that is no
// model element (character data; the model's walks pass over such nodes) or that
// is left out.
ProjectElement* SolutionTreeBuilder::buildChild(ProjectElement* parent, XMLNode* node) {
  ProjectElement* model = ProjectElement::fromNode(node);
  if (!model) return nullptr;
  // The parser takes "<" followed by no name as an element without a tag name; no
  // file can hold one ("</>" ends an element), so it is left out with what it holds.
  if (model->tagName().empty()) {
    discarded_.push_back(parent->removeChild(model));
    return nullptr;
  }
  if (model->tagName() == "import") return importedSolution(parent, model);
  takeAttributes(model);
  return model;
}

// The solution an "import" names, loaded relative to the importing file with the
// expanded "macros" as definitions; it keeps the unexpanded "file_name", so it is
// written back as the same reference.
ProjectElement* SolutionTreeBuilder::importedSolution(ProjectElement* parent, XMLElement* import) {
  const QString fileName = attributeValue(*import, "file_name");
  const ProjectSystem& system = reader_.system();
  std::unique_ptr<ProjectElement> imported = reader_.loadSolution(
      directory_, system.expandGlobalMacros(fileName), system.expandGlobalMacros(attributeValue(*import, "macros")));
  imported->setProperty(fileNameProperty, fileName);
  imported->imported = true;
  imported->setModified(false);
  ProjectElement* solution = imported.get();
  discarded_.push_back(parent->replaceChild(import, std::move(imported)));
  return solution;
}

}  // namespace

// Puts the loading stack back as it was when the guard was made, also when a load
// fails, so a failed load does not make a later load of the same file look like
// a solution importing itself. A failed load also takes back the projects and
// dynamic folders it recorded: its tree is destroyed, and the lists must not keep
// pointers into it.
class SolutionReader::LoadStateGuard {
 public:
  explicit LoadStateGuard(SolutionReader& reader)
      : reader_(reader),
        stack_(reader.loadingStack_),
        templatedProjects_(reader.templatedProjects.size()),
        dynamicFolders_(reader.dynamicFolders.size()),
        exceptions_(std::uncaught_exceptions()) {}
  ~LoadStateGuard() {
    reader_.loadingStack_ = stack_;
    if (std::uncaught_exceptions() == exceptions_) return;
    reader_.templatedProjects.resize(templatedProjects_);
    reader_.dynamicFolders.resize(dynamicFolders_);
  }

 private:
  SolutionReader& reader_;
  const QStringList stack_;
  const qsizetype templatedProjects_;
  const qsizetype dynamicFolders_;
  const int exceptions_;
};

SolutionReader::SolutionReader(ProjectSystem& system, WarningSink warnings)
    : system_(system), warnings_(std::move(warnings)) {}

SolutionReader::~SolutionReader() = default;

std::unique_ptr<ProjectElement> SolutionReader::loadSolution(const QString& baseDirectory, const QString& path,
                                                            const QString& definitions) {
  const QString file = resolvedPath(baseDirectory, path);
  if (!QFileInfo::exists(file)) fail(file, QStringLiteral(" does not exist"));
  // Only regular files are read: a device or a pipe named by an import could block
  // the run or never end.
  QFile access(file);
  if (!QFileInfo(file).isFile() || !access.open(QIODevice::ReadOnly)) fail(file, QStringLiteral(" cannot access"));
  access.close();
  if (loadingStack_.contains(file)) fail(file, QStringLiteral(" solution already loaded"));
  // Imports that form a diamond (two files importing a third, over and over) would
  // read a file once per path to it, 2^n times for n levels. An import is written
  // back as its file name alone, so what the file holds is read once: its load
  // command runs once, its templates are expanded once.
  const QString identity = QFileInfo(file).canonicalFilePath();
  if (readFiles_.contains(identity)) return emptySolution(file);
  readFiles_.insert(identity);
  SolutionFilePreprocessor document(system_);
  // A definitions text (an import's "macros") also expands the macro references
  // of the imported file's attribute values.
  const bool parsed = document.load(file, definitions, !definitions.isNull());
  return buildSolution(document, parsed, file);
}

std::unique_ptr<ProjectElement> SolutionReader::emptySolution(const QString& file) {
  std::unique_ptr<ProjectElement> solution = system_.createElement("solution");
  solution->setLocation(Path(file));
  solution->lastModified = QFileInfo(file).lastModified();
  solution->setProperty(versionProperty, solutionVersion);
  clearModified(solution.get(), true);
  return solution;
}

std::unique_ptr<ProjectElement> SolutionReader::loadSolutionText(const QString& path, const std::string& text) {
  const QString file = Path(path).absoluteFilePath();
  if (loadingStack_.contains(file)) fail(file, QStringLiteral(" solution already loaded"));
  SolutionFilePreprocessor document(system_);
  const bool parsed = document.loadText(text, file);
  return buildSolution(document, parsed, file);
}

// Steps after parsing, common to files and texts: checks, load command, the tree,
// location and version.
std::unique_ptr<ProjectElement> SolutionReader::buildSolution(SolutionFilePreprocessor& document, bool parsed,
                                                             const QString& file) {
  if (!parsed) throw SolutionLoadError::ofDocument(file, document);
  if (!document.stoppedAt().isEmpty()) {
    fail(document.stoppedAt(),
         QStringLiteral("solution file grows beyond %1 bytes when preprocessed").arg(document.workLimit()));
  }
  if (document.doctype != std::optional<std::string>(solutionDoctype))
    fail(file, QStringLiteral(" not a solution file"));
  if (!document.root) fail(file, QStringLiteral(" is a malformed solution file (bad XML)"));
  // Only a solution can be the root of the model or take an import's place.
  const ProjectElement* root = ProjectElement::fromNode(document.root.get());
  if (!root || root->kind() != ProjectElement::Solution)
    fail(file, QStringLiteral(" is a malformed solution file (no solution element)"));
  const QString directory = QFileInfo(file).absolutePath();
  LoadStateGuard guard(*this);
  loadingStack_.append(file);
  runSolutionLoadCommand(*document.root, file, directory);
  std::unique_ptr<ProjectElement> solution = SolutionTreeBuilder(*this, directory).build(std::move(document.root));
  solution->setLocation(Path(file));
  solution->lastModified = QFileInfo(file).lastModified();
  if (solution->property(versionProperty) != solutionVersion) solution->setProperty(versionProperty, solutionVersion);
  // Loading (and the version upgrade) does not count as a change.
  clearModified(solution.get(), true);
  return solution;
}

void SolutionReader::runSolutionLoadCommand(const XMLElement& root, const QString& file, const QString& directory) {
  const QString command = system_.expandGlobalMacros(attributeValue(root, "load_command"));
  if (command.isEmpty() || !runLoadCommands) return;
  const LoadCommandResult result = runLoadCommand(command, directory);
  if (result.outcome != LoadCommandResult::Exited || result.exitStatus != 0) fail(file, loadCommandFailure(result));
}

ProjectElement* SolutionReader::importSolution(ProjectElement* solution, const QString& name) {
  if (!solution) return nullptr;
  // While it loads, the stack holds the solution and those enclosing it, so a
  // solution cannot import itself or an encloser; afterwards it is as before.
  LoadStateGuard guard(*this);
  loadingStack_.clear();
  for (const ProjectElement* enclosing = solution; enclosing; enclosing = enclosing->parentElement())
    if (enclosing->kind() == ProjectElement::Solution) loadingStack_.append(enclosing->location().absoluteFilePath());
  const QString baseDirectory = solution->directory();
  const bool hasMacros = name.contains(QLatin1Char('$'));
  const QString file = hasMacros ? system_.expandGlobalMacros(name) : resolvedPath(baseDirectory, name);
  const QString key = hasMacros ? name : file;
  for (ProjectElement* child : solution->children())
    if (child->hasProperty(fileNameProperty) && child->property(fileNameProperty) == key) return child;
  std::unique_ptr<ProjectElement> imported = loadSolution(baseDirectory, file);
  imported->setProperty(fileNameProperty, key);
  imported->imported = true;
  imported->setModified(false);
  ProjectElement* added = solution->addChild(std::move(imported));
  system_.updateProjects();
  return added;
}

// The records must not keep pointers into a subtree that is destroyed.
void SolutionReader::deleteElement(ProjectElement* element) {
  const auto within = [element](const ProjectElement* recorded) {
    for (const XMLNode* node = recorded; node; node = node->parent())
      if (node == element) return true;
    return false;
  };
  if (element) {
    templatedProjects.removeIf(within);
    dynamicFolders.removeIf(within);
  }
  system_.deleteElement(element);
}
