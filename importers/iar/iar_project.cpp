#include "importers/iar/iar_project.h"

#include <QRegularExpression>

#include "importers/common/xml_loading.h"

namespace {

/// The kinds of "settings" block whose options are read.
enum class Block { General, Compiler, Linker, Archiver, Other };

/// One option carried over: where it is, and the field (text or list) it fills.
struct OptionRow {
  Block block;
  const char* name;
  QString IarConfiguration::*text;
  QStringList IarConfiguration::*list;
};

const OptionRow optionRows[] = {
    {Block::General, "GOutputBinary", &IarConfiguration::outputBinary, nullptr},
    {Block::General, "ExePath", &IarConfiguration::executablePath, nullptr},
    {Block::General, "ObjPath", &IarConfiguration::objectPath, nullptr},
    {Block::General, "OGChipSelectEditMenu", &IarConfiguration::chip, nullptr},
    {Block::Compiler, "CCDefines", nullptr, &IarConfiguration::defines},
    {Block::Compiler, "CCIncludePath2", nullptr, &IarConfiguration::includePaths},
    // The MSP430, AVR and 8051 compilers keep their include paths under this name.
    {Block::Compiler, "newCCIncludePaths", nullptr, &IarConfiguration::includePaths},
    {Block::Linker, "IlinkAdditionalLibs", nullptr, &IarConfiguration::additionalLibraries},
    {Block::Archiver, "IarchiveOutput", &IarConfiguration::archiveOutput, nullptr},
    {Block::Archiver, "IarchiveOverride", &IarConfiguration::archiveOverride, nullptr},
};

Block blockOf(const QString& settingsName) {
  if (settingsName == QLatin1String("General")) return Block::General;
  if (settingsName.startsWith(QLatin1String("ICC"))) return Block::Compiler;
  if (settingsName == QLatin1String("ILINK")) return Block::Linker;
  if (settingsName == QLatin1String("IARCHIVE")) return Block::Archiver;
  return Block::Other;
}

const QString nameTag = QStringLiteral("name");
const QString stateTag = QStringLiteral("state");

// The entries of a list option: one "state" each. Older files may put several
// entries into one state, one per line; blank entries are dropped.
QStringList listStates(const DomElement& option) {
  static const QRegularExpression lineBreak(QStringLiteral("[\r\n]"));
  QStringList entries;
  for (const DomElement& state : childElements(option, stateTag)) {
    for (const QString& line : state.firstChildText().split(lineBreak)) {
      const QString entry = line.trimmed();
      if (!entry.isEmpty()) entries.append(entry);
    }
  }
  return entries;
}

void readOption(const DomElement& option, Block block, IarConfiguration& configuration) {
  const QString name = childElementText(option, nameTag);
  for (const OptionRow& row : optionRows) {
    if (row.block != block || name != QLatin1String(row.name)) continue;
    if (row.text)
      configuration.*row.text = childElementText(option, stateTag).trimmed();
    else
      configuration.*row.list += listStates(option);
    return;
  }
}

IarConfiguration readConfiguration(const DomElement& element) {
  IarConfiguration configuration;
  configuration.name = childElementText(element, nameTag);
  bool compilerRead = false;  // the first compiler block is the configuration's compiler
  for (const DomElement& settings : childElements(element, QStringLiteral("settings"))) {
    const Block block = blockOf(childElementText(settings, nameTag));
    if (block == Block::Other || (block == Block::Compiler && compilerRead)) continue;
    compilerRead = compilerRead || block == Block::Compiler;
    for (const DomElement& option : childElements(firstChildElement(settings, QStringLiteral("data")),
                                                  QStringLiteral("option")))
      readOption(option, block, configuration);
  }
  return configuration;
}

QStringList excludedFrom(const DomElement& element) {
  QStringList names;
  for (const DomElement& configuration :
       childElements(firstChildElement(element, QStringLiteral("excluded")), QStringLiteral("configuration"))) {
    const QString name = configuration.firstChildText().trimmed();
    if (!name.isEmpty()) names.append(name);
  }
  return names;
}

// Groups and files below the project element, in document order, walked with
// an explicit stack so that deep nesting cannot exhaust the call stack.
void readGroupsAndFiles(const DomElement& projectElement, IarProjectContent& content) {
  struct Level {
    DomElement element;
    size_t next;
    qsizetype group;  // the group files at this level go into
    int depth;
  };
  std::vector<Level> stack{{projectElement, 0, -1, 0}};
  while (!stack.empty()) {
    Level& level = stack.back();
    if (level.next == level.element.childCount()) {
      stack.pop_back();
      continue;
    }
    const DomElement child = level.element.child(level.next++);
    if (child.tagName() == QLatin1String("file")) {
      content.files.push_back({childElementText(child, nameTag).trimmed(), level.group, excludedFrom(child)});
    } else if (child.tagName() == QLatin1String("group")) {
      if (level.depth >= maximumGroupDepth) {
        ++content.mergedGroups;
        stack.push_back({child, 0, level.group, level.depth});
        continue;
      }
      content.groups.push_back({childElementText(child, nameTag).trimmed(), level.group, excludedFrom(child)});
      stack.push_back({child, 0, qsizetype(content.groups.size()) - 1, level.depth + 1});
    }
  }
}

}  // namespace

QString IarConfiguration::device() const { return chip.section(QLatin1Char('\t'), 0, 0).trimmed(); }

IarProjectContent readIarProject(const DomDocument& document) {
  IarProjectContent content;
  const DomElement projectElement = firstChildElement(document, QStringLiteral("project"));
  QStringList names;
  for (const DomElement& element : childElements(projectElement, QStringLiteral("configuration"))) {
    content.configurations.push_back(readConfiguration(element));
    names.append(content.configurations.back().name);
  }
  content.choice = chooseDebugAndRelease(names);
  readGroupsAndFiles(projectElement, content);
  return content;
}
