#include "readers/iar/iar_project.h"

#include "foreign/foreign_files.h"
#include "foreign/foreign_lookups.h"

namespace {

constexpr QLatin1StringView nameTag("name");
constexpr QLatin1StringView settingsTag("settings");
constexpr QLatin1StringView configurationTag("configuration");

int dataVersion(const ForeignElement& data) {
  bool valid = false;
  const int version = childText(data, QStringLiteral("version")).trimmed().toInt(&valid);
  return valid ? version : -1;
}

// Both forms of the build actions: "prebuild" and "postbuild" texts (before
// Embedded Workbench 9), then "buildAction" elements with their own order.
void readBuildActions(const ForeignElement& data, std::vector<IarBuildAction>& actions) {
  for (const char* sequence : {"prebuild", "postbuild"}) {
    const QString command = childText(data, QLatin1String(sequence)).trimmed();
    if (!command.isEmpty()) actions.push_back({QLatin1String(sequence), command, QString()});
  }
  for (const ForeignElement& action :
       childrenNamed(childNamed(data, QStringLiteral("buildActions")), QStringLiteral("buildAction"))) {
    const QString command = childText(action, QStringLiteral("cmdline")).trimmed();
    if (command.isEmpty()) continue;
    actions.push_back({childText(action, QStringLiteral("buildSequence")).trimmed(), command,
                       childText(action, QStringLiteral("workingDirectory")).trimmed()});
  }
}

/// Reads the "settings" blocks of a configuration, or of a file's or group's own settings.
class SettingsReader {
 public:
  SettingsReader(IarCompiler& compiler, IarOptions& options, std::vector<IarBuildAction>* buildActions)
      : compiler_(compiler), options_(options), buildActions_(buildActions) {}

  void read(const ForeignElement& parent) {
    for (const ForeignElement& settings : childrenNamed(parent, settingsTag)) {
      const QString name = childText(settings, nameTag);
      const IarBlock block = iarBlockOf(name);
      const ForeignElement data = childNamed(settings, QStringLiteral("data"));
      if (block == IarBlock::BuildActions && buildActions_) readBuildActions(data, *buildActions_);
      if (!takes(block)) continue;
      if (block == IarBlock::Compiler) compiler_ = {name, dataVersion(data)};
      for (const ForeignElement& option : childrenNamed(data, QStringLiteral("option"))) options_.read(block, option);
    }
  }

 private:
  // The first compiler block is the configuration's compiler, the first
  // assembler block its assembler.
  bool takes(IarBlock block) {
    if (block == IarBlock::Other || block == IarBlock::BuildActions) return false;
    if (block != IarBlock::Compiler && block != IarBlock::Assembler) return true;
    bool& seen = block == IarBlock::Compiler ? compilerSeen_ : assemblerSeen_;
    if (seen) return false;
    seen = true;
    return true;
  }

  IarCompiler& compiler_;
  IarOptions& options_;
  std::vector<IarBuildAction>* buildActions_;
  bool compilerSeen_ = false;
  bool assemblerSeen_ = false;
};

IarConfiguration readConfiguration(const ForeignElement& element) {
  IarConfiguration configuration;
  configuration.name = childText(element, nameTag);
  configuration.toolchain = childText(childNamed(element, QStringLiteral("toolchain")), nameTag).trimmed();
  SettingsReader(configuration.compiler, configuration.options, &configuration.buildActions).read(element);
  return configuration;
}

// The settings a file or group has of its own in one configuration it names.
IarOwnSettings ownSettings(const ForeignElement& configuration) {
  IarOwnSettings settings;
  settings.configuration = childText(configuration, nameTag).trimmed();
  SettingsReader(settings.compiler, settings.options, nullptr).read(configuration);
  return settings;
}

QStringList excludedFrom(const ForeignElement& excluded) {
  QStringList names;
  for (const ForeignElement configuration : excluded.children()) {
    if (!configuration.hasTagName(configurationTag)) continue;
    const QString name = configuration.firstChildText().trimmed();
    if (!name.isEmpty()) names.append(name);
  }
  return names;
}

/// The tag names of the children of groups and files, for one document.
struct ItemTags {
  TagMatcher file{QLatin1StringView("file")};
  TagMatcher name{nameTag};
  TagMatcher configuration{configurationTag};
  TagMatcher excluded{QLatin1StringView("excluded")};
};

// The text without the white space around it; most names have none.
QString trimmedText(const ForeignElement& element) {
  QString text = element.firstChildText();
  if (!text.isEmpty() && !text.front().isSpace() && !text.back().isSpace()) return text;
  return std::move(text).trimmed();
}

// The same as UTF-8, for a name held until the end: its bytes are taken as they
// are where they begin and end with a printable ASCII character, which no white
// space is.
void setTrimmedText(QString& name, const ForeignElement& element) { name = trimmedText(element); }
void setTrimmedText(QByteArray& name, const ForeignElement& element) {
  const std::string_view bytes = element.firstChildUtf8();
  const auto printableAscii = [](char c) { return c > ' ' && c < 0x7F; };
  if (bytes.empty() || (printableAscii(bytes.front()) && printableAscii(bytes.back())))
    name = QByteArray(bytes.data(), qsizetype(bytes.size()));
  else
    name = trimmedText(element).toUtf8();
}

// What a group or file element holds of its own: the first "name", the first
// "excluded" and every "configuration" child, found in one pass over the
// children. It runs for every file of the project.
template <typename Name>
void readItemParts(const ForeignElement& element, ItemTags& tags, Name& name, IarItemParts& parts) {
  bool named = false;
  bool excluded = false;
  for (const ForeignElement child : element.children()) {
    if (!named && tags.name.matches(child)) {
      named = true;
      setTrimmedText(name, child);
    } else if (tags.configuration.matches(child)) {
      parts.ownSettings.push_back(ownSettings(child));
    } else if (!excluded && tags.excluded.matches(child)) {
      excluded = true;
      parts.excludedFrom = excludedFrom(child);
    }
  }
}

// Groups and files below the project element, in document order.
void readGroupsAndFiles(const ForeignElement& projectElement, IarProjectContent& content) {
  ItemTags tags;
  content.mergedGroups = walkIarGroups(
      projectElement,
      [&content, &tags](const ForeignElement& group, qsizetype parent) {
        IarGroup& added = content.groups.emplace_back();
        added.parent = parent;
        readItemParts(group, tags, added.name, added.parts);
        return qsizetype(content.groups.size()) - 1;
      },
      [&content, &tags](const ForeignElement& item, qsizetype group) {
        if (!tags.file.matches(item)) return;
        IarFile& added = content.files.emplace_back();
        added.group = group;
        IarItemParts parts;
        readItemParts(item, tags, added.name, parts);
        if (!parts.isEmpty()) added.ownParts = std::make_shared<const IarItemParts>(std::move(parts));
      });
}

}  // namespace

int walkIarGroups(const ForeignElement& root,
                  const std::function<qsizetype(const ForeignElement&, qsizetype)>& addGroup,
                  const std::function<void(const ForeignElement&, qsizetype)>& addItem) {
  struct Level {
    ForeignChildren::iterator next;
    ForeignChildren::iterator end;
    qsizetype group;  // the group items at this level go into
    int depth;
  };
  const auto levelOf = [](const ForeignElement& element, qsizetype group, int depth) {
    const ForeignChildren children = element.children();
    return Level{children.begin(), children.end(), group, depth};
  };
  int merged = 0;
  TagMatcher isGroup(QLatin1StringView("group"));
  std::vector<Level> stack{levelOf(root, -1, 0)};
  while (!stack.empty()) {
    Level& level = stack.back();
    if (level.next == level.end) {
      stack.pop_back();
      continue;
    }
    const ForeignElement child = *level.next++;
    if (!isGroup.matches(child)) {
      addItem(child, level.group);
    } else if (level.depth >= maximumGroupDepth) {
      ++merged;
      stack.push_back(levelOf(child, level.group, level.depth));
    } else {
      const qsizetype group = addGroup(child, level.group);
      stack.push_back(levelOf(child, group, level.depth + 1));
    }
  }
  return merged;
}

QString IarConfiguration::device() const {
  return options.text(IarOptionId::Device).section(QLatin1Char('\t'), 0, 0).trimmed();
}

// "###Unitialized###" until the user sets an output.
QString IarConfiguration::archiveOutput() const {
  const QString output = options.text(IarOptionId::ArchiveOutput);
  if (options.text(IarOptionId::ArchiveOverride) != QLatin1String("1") || output.startsWith(QLatin1Char('#')))
    return QString();
  return output;
}

IarProjectContent readIarProject(const ForeignDocument& document) {
  IarProjectContent content;
  const ForeignElement projectElement = childNamed(document, QStringLiteral("project"));
  QStringList names;
  for (const ForeignElement& element : childrenNamed(projectElement, QStringLiteral("configuration"))) {
    content.configurations.push_back(readConfiguration(element));
    names.append(content.configurations.back().name);
  }
  content.choice = chooseDebugAndRelease(names);
  readGroupsAndFiles(projectElement, content);
  return content;
}
