#include "solution/solution_reader.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <exception>
#include <vector>

#include "model/model_names.h"
#include "model/solution_model.h"
#include "preprocessor/xml_preprocessor.h"
#include "solution/load_command.h"
#include "solution/solution_load_error.h"
#include "solution/solution_writer.h"
#include "xml/xml_document.h"

using namespace model_names;

namespace {

const QString solutionVersion = QStringLiteral("2");

// Relative paths are taken relative to the base directory (the importing file's
// directory), never to the working directory, so what an import reads does not
// depend on where the tool was started.
QString resolvedPath(const QString& baseDirectory, const QString& path) {
  if (baseDirectory.isEmpty() || !QDir::isRelativePath(path)) return Path(path).absoluteFilePath();
  return Path(baseDirectory + QLatin1Char('/') + path).absoluteFilePath();
}

// Attributes become properties (names as ASCII, values from UTF-8), in attribute
// order, so a repeated name keeps its last value.
std::unique_ptr<ModelNode> nodeOf(const XMLElement& element) {
  auto node = std::make_unique<ModelNode>(element.tagName());
  for (const XMLAttribute& attribute : element.attributes())
    node->setProperty(QString::fromLatin1(attribute.name), QString::fromUtf8(attribute.value));
  return node;
}

}  // namespace

/// Builds the model nodes of a parsed solution document, depth first with an
/// explicit stack (deeply nested files cannot exhaust the call stack).
class SolutionTreeBuilder {
 public:
  SolutionTreeBuilder(SolutionReader& reader, const QString& directory) : reader_(reader), directory_(directory) {}

  std::unique_ptr<ModelNode> build(const XMLElement& root);

 private:
  struct Level {
    ModelNode* node;
    const XMLNode* next;  // the next child to build
  };
  ModelNode* buildChild(ModelNode& parent, const XMLElement& element);
  std::unique_ptr<ModelNode> importedSolution(const XMLElement& import);
  void record(ModelNode* node);

  SolutionReader& reader_;
  const QString directory_;
};

std::unique_ptr<ModelNode> SolutionTreeBuilder::build(const XMLElement& root) {
  std::unique_ptr<ModelNode> solution = nodeOf(root);
  std::vector<Level> levels{{solution.get(), root.firstChild()}};
  while (!levels.empty()) {
    const XMLNode* next = levels.back().next;
    if (!next) {
      levels.pop_back();
      continue;
    }
    levels.back().next = next->nextSibling();
    if (next->nodeKind() != XMLNodeKind::Element) continue;  // the model keeps no character data
    const auto& element = static_cast<const XMLElement&>(*next);
    ModelNode* child = buildChild(*levels.back().node, element);
    // An imported solution was built by its own load.
    if (child && !child->imported && element.firstChild()) levels.push_back({child, element.firstChild()});
  }
  return solution;
}

// The parser takes "<" followed by no name as an element without a tag name; no file
// can hold one ("</>" ends an element), so it is left out with what it holds.
ModelNode* SolutionTreeBuilder::buildChild(ModelNode& parent, const XMLElement& element) {
  if (element.tagName().empty()) return nullptr;
  if (element.tagName() == "import") return parent.addChild(importedSolution(element));
  ModelNode* child = parent.addChild(nodeOf(element));
  record(child);
  return child;
}

// Projects naming a template and dynamic folders are recorded for template
// expansion; a "template_name" or "path" on another kind of node means nothing and
// is kept as a plain property (expanding a file as a project would corrupt the solution).
void SolutionTreeBuilder::record(ModelNode* node) {
  if (node->kind() == ModelNode::Project && node->hasProperty(templateNameProperty))
    reader_.templatedProjects.append(node);
  else if (node->kind() == ModelNode::Folder && node->hasProperty(pathProperty))
    reader_.dynamicFolders.append(node);
}

// The solution an "import" names, loaded relative to the importing file with the
// expanded "macros" as definitions; it keeps the unexpanded "file_name", so it is
// written back as the same reference.
std::unique_ptr<ModelNode> SolutionTreeBuilder::importedSolution(const XMLElement& import) {
  const QString fileName = attributeValue(import, "file_name");
  const MacroResolver& macros = reader_.model().macros();
  std::unique_ptr<ModelNode> imported = reader_.loadSolution(directory_, macros.expandGlobal(fileName),
                                                             macros.expandGlobal(attributeValue(import, "macros")));
  imported->setProperty(fileNameProperty, fileName);
  imported->imported = true;
  return imported;
}

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

SolutionReader::SolutionReader(SolutionModel& model) : model_(model) {}

SolutionReader::~SolutionReader() = default;

std::unique_ptr<ModelNode> SolutionReader::loadSolution(const QString& baseDirectory, const QString& path,
                                                        const QString& definitions) {
  const QString file = resolvedPath(baseDirectory, path);
  if (!QFileInfo::exists(file)) throw loadError(file, QStringLiteral(" does not exist"));
  // Only regular files are read: a device or a pipe named by an import could block
  // the run or never end.
  QFile access(file);
  if (!QFileInfo(file).isFile() || !access.open(QIODevice::ReadOnly))
    throw loadError(file, QStringLiteral(" cannot access"));
  access.close();
  if (loadingStack_.contains(file)) throw loadError(file, QStringLiteral(" solution already loaded"));
  // Imports that form a diamond (two files importing a third, over and over) would
  // read a file once per path to it, 2^n times for n levels. An import is written
  // back as its file name alone, so what the file holds is read once: its load
  // command runs once, its templates are expanded once.
  const QString identity = QFileInfo(file).canonicalFilePath();
  if (readFiles_.contains(identity)) return emptySolution(file);
  readFiles_.insert(identity);
  XMLDocument document;
  XMLPreprocessor preprocessor(document, model_.macros().globalMacros());
  try {
    // A definitions text (an import's "macros") also expands the macro references
    // of the imported file's attribute values.
    preprocessor.load(file, definitions, !definitions.isNull());
  } catch (const XMLParseError& error) {
    throw xmlSyntaxError(file, error);
  }
  return buildSolution(document, preprocessor.stoppedAt(), file);
}

std::unique_ptr<ModelNode> SolutionReader::emptySolution(const QString& file) {
  auto solution = std::make_unique<ModelNode>(ModelNode::Solution);
  solution->setSolutionFile(Path(file));
  solution->setProperty(versionProperty, solutionVersion);
  return solution;
}

std::unique_ptr<ModelNode> SolutionReader::loadSolutionText(const QString& path, const std::string& text) {
  const QString file = Path(path).absoluteFilePath();
  if (loadingStack_.contains(file)) throw loadError(file, QStringLiteral(" solution already loaded"));
  XMLDocument document;
  XMLPreprocessor preprocessor(document, model_.macros().globalMacros());
  try {
    preprocessor.loadText(text, file);
  } catch (const XMLParseError& error) {
    throw xmlSyntaxError(file, error);
  }
  return buildSolution(document, preprocessor.stoppedAt(), file);
}

// Steps after parsing, common to files and texts: checks, load command, the tree,
// location and version.
std::unique_ptr<ModelNode> SolutionReader::buildSolution(XMLDocument& document, const QString& stoppedAt,
                                                         const QString& file) {
  if (!stoppedAt.isEmpty()) {
    throw loadError(
        stoppedAt,
        QStringLiteral("solution file grows beyond %1 bytes when preprocessed").arg(XMLPreprocessor::defaultWorkLimit));
  }
  if (document.doctype != std::optional<std::string>(solutionDoctype))
    throw loadError(file, QStringLiteral(" not a solution file"));
  if (!document.root) throw loadError(file, QStringLiteral(" is a malformed solution file (bad XML)"));
  // Only a solution can be the root of the model or take an import's place.
  if (document.root->tagName() != "solution")
    throw loadError(file, QStringLiteral(" is a malformed solution file (no solution element)"));
  LoadStateGuard guard(*this);
  loadingStack_.append(file);
  runSolutionLoadCommand(*document.root, file);
  std::unique_ptr<ModelNode> solution =
      SolutionTreeBuilder(*this, QFileInfo(file).absolutePath()).build(*document.root);
  solution->setSolutionFile(Path(file));
  if (solution->property(versionProperty) != solutionVersion) solution->setProperty(versionProperty, solutionVersion);
  return solution;
}

void SolutionReader::runSolutionLoadCommand(const XMLElement& root, const QString& file) {
  const QString command = model_.macros().expandGlobal(attributeValue(root, "load_command"));
  if (command.isEmpty() || !runLoadCommands) return;
  runLoadCommand(command, file);
}

ModelNode* SolutionReader::importSolution(ModelNode* solution, const QString& name) {
  if (!solution) return nullptr;
  // While it loads, the stack holds the solution and those enclosing it, so a
  // solution cannot import itself or an encloser; afterwards it is as before.
  LoadStateGuard guard(*this);
  loadingStack_.clear();
  for (const ModelNode* enclosing = solution; enclosing; enclosing = enclosing->parent())
    if (enclosing->kind() == ModelNode::Solution) loadingStack_.append(enclosing->solutionFile().absoluteFilePath());
  const QString baseDirectory = solution->solutionDirectory();
  const bool hasMacros = name.contains(QLatin1Char('$'));
  const QString file = hasMacros ? model_.macros().expandGlobal(name) : resolvedPath(baseDirectory, name);
  const QString key = hasMacros ? name : file;
  for (ModelNode* child : solution->children())
    if (child->hasProperty(fileNameProperty) && child->property(fileNameProperty) == key) return child;
  std::unique_ptr<ModelNode> imported = loadSolution(baseDirectory, file);
  imported->setProperty(fileNameProperty, key);
  imported->imported = true;
  return solution->addChild(std::move(imported));
}

// The records must not keep pointers into the content that is destroyed.
void SolutionReader::removeContent(ModelNode* folder) {
  const auto within = [folder](const ModelNode* recorded) {
    for (const ModelNode* node = recorded->parent(); node; node = node->parent())
      if (node == folder) return true;
    return false;
  };
  templatedProjects.removeIf(within);
  dynamicFolders.removeIf(within);
  folder->removeContent();
}
