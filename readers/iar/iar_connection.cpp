#include "readers/iar/iar_connection.h"

#include <functional>

#include "foreign/foreign_files.h"
#include "foreign/foreign_path.h"
#include "readers/common/windows_path_anchor.h"
#include "readers/iar/iar_argument_variables.h"
#include "readers/iar/iar_project.h"

namespace {

using Id = IarOptionId;

/// An element of a settings block that lists texts, and the list it fills.
struct ListElement {
  const char* tag;
  /// The element holding the texts, between tag's element and the texts; null for none.
  const char* holder;
  const char* item;
  QStringList IarConnectionSettings::*list;
};

const ListElement listElements[] = {
    {"includePath", nullptr, "path", &IarConnectionSettings::includePaths},
    {"asmIncludePath", nullptr, "path", &IarConnectionSettings::assemblerIncludePaths},
    {"defines", nullptr, "define", &IarConnectionSettings::definitions},
    {"extraOptions", "args", "arg", &IarConnectionSettings::compilerOptions},
    {"linkerExtraOptions", "args", "arg", &IarConnectionSettings::linkerArguments},
    {"preBuild", nullptr, "command", &IarConnectionSettings::preBuild},
    {"postBuild", nullptr, "command", &IarConnectionSettings::postBuild},
};

// Read elsewhere: the files, the per-configuration blocks, a configuration's name.
const char* const elementsReadApart[] = {"files", "configurations", "name"};

const QString nameTag = QStringLiteral("name");

QStringList itemTexts(const ForeignElement& element, const ListElement& row) {
  const ForeignElement holder = row.holder ? childNamed(element, QLatin1String(row.holder)) : element;
  QStringList texts;
  for (const ForeignElement& item : childrenNamed(holder, QLatin1String(row.item))) {
    const QString text = item.firstChildText().trimmed();
    if (!text.isEmpty()) texts.append(text);
  }
  return texts;
}

std::optional<quint64> sizeOf(const QString& text) {
  bool valid = false;
  const quint64 size = text.trimmed().toULongLong(&valid, 0);
  return valid ? std::optional<quint64>(size) : std::nullopt;
}

// The heap or stack without an "id" (or with id 0) is the program's; the others
// (a second heap of the DLIB runtime) have no property.
void readSizes(const ForeignElement& element, const QString& item, std::optional<quint64>& size,
               QList<NotCarried>& notCarried) {
  for (const ForeignElement& entry : childrenNamed(element, item)) {
    const QString id = entry.attribute(QStringLiteral("id")).trimmed();
    const std::optional<quint64> value = sizeOf(childText(entry, QStringLiteral("size")));
    if (id.isEmpty() || id == QLatin1String("0"))
      size = value;
    else if (value.value_or(1) != 0)
      notCarried.append({item, id + QStringLiteral(": ") + childText(entry, QStringLiteral("size")).trimmed(), {}});
  }
}

void readCustomBuildTools(const ForeignElement& element, QList<NotCarried>& notCarried) {
  for (const ForeignElement& tool : childrenNamed(element, QStringLiteral("customBuildTool"))) {
    notCarried.append(
        {QStringLiteral("custom build tool"),
         tool.attribute(nameTag) + QStringLiteral(": ") + childText(tool, QStringLiteral("command")).simplified(),
         {}});
  }
}

bool readListElement(const ForeignElement& element, IarConnectionSettings& settings) {
  for (const ListElement& row : listElements) {
    if (element.tagName() != QLatin1String(row.tag)) continue;
    settings.*row.list += itemTexts(element, row);
    return true;
  }
  return false;
}

// One element of a settings block; false for one the conversion does not read.
bool readSetting(const ForeignElement& element, IarConnectionSettings& settings, QList<NotCarried>& notCarried) {
  const QString& tag = element.tagName();
  if (readListElement(element, settings)) return true;
  if (tag == QLatin1String("device")) {
    settings.device = childText(element, nameTag).trimmed();
  } else if (tag == QLatin1String("linkerFile")) {
    if (childText(element, QStringLiteral("override")).trimmed() != QLatin1String("false"))
      settings.linkerFile = childText(element, QStringLiteral("path")).trimmed();
  } else if (tag == QLatin1String("heaps")) {
    readSizes(element, QStringLiteral("heap"), settings.heapSize, notCarried);
  } else if (tag == QLatin1String("stacks")) {
    readSizes(element, QStringLiteral("stack"), settings.stackSize, notCarried);
  } else if (tag == QLatin1String("customBuildTools")) {
    readCustomBuildTools(element, notCarried);
  } else {
    for (const char* apart : elementsReadApart)
      if (tag == QLatin1String(apart)) return true;
    return false;
  }
  return true;
}

IarConnectionSettings readSettings(const ForeignElement& block, QList<NotCarried>& notCarried) {
  IarConnectionSettings settings;
  for (const ForeignElement element : block.children()) {
    if (!readSetting(element, settings, notCarried))
      notCarried.append({QStringLiteral("IAR project connection element"), element.tagName(), {}});
  }
  return settings;
}

void readFiles(const ForeignElement& files, IarConnection& connection) {
  connection.mergedGroups = walkIarGroups(
      files,
      [&connection](const ForeignElement& group, qsizetype parent) {
        connection.groups.push_back({group.attribute(nameTag).trimmed(), parent,
                                     group.attribute(QStringLiteral("build")).trimmed() == QLatin1String("false")});
        return qsizetype(connection.groups.size()) - 1;
      },
      [&connection](const ForeignElement& item, qsizetype group) {
        const QString path = item.firstChildText().trimmed();
        if (item.tagName() == QLatin1String("path") && !path.isEmpty())
          connection.files.push_back({path, item.attribute(QStringLiteral("copyTo")).trimmed(), group});
      });
}

// A path without a leading variable is relative to the connection file.
QString basedPath(const QString& path, const QString& directory) {
  const QString forward = toForwardSlashes(path);
  if (findIarVariable(forward).start == 0 || isAbsoluteForeignPath(forward) || isWindowsAbsolutePath(path)) return path;
  const QString joined = joinPath(directory, forward);
  return isAbsoluteForeignPath(joined) ? joined : QStringLiteral("$PROJ_DIR$/") + joined;
}

// Extra options the project writes but does not use stay unused.
void addExtraOptions(IarOptions& options, Id used, Id list, const QStringList& arguments) {
  if (arguments.isEmpty()) return;
  QStringList entries;
  for (const QString& argument : arguments)
    entries.append(argument.contains(QLatin1Char(' ')) ? QLatin1Char('"') + argument + QLatin1Char('"') : argument);
  if (options.text(used) != QLatin1String("1")) options.set(list, {});
  options.set(used, {QStringLiteral("1")});
  options.add(list, entries);
}

void addSettings(IarConfiguration& configuration, const IarConnectionSettings& settings,
                 const std::function<QString(const QString&)>& based) {
  IarOptions& options = configuration.options;
  const auto basedList = [&](const QStringList& paths) {
    QStringList result;
    for (const QString& path : paths) result.append(based(path));
    return result;
  };
  if (!settings.device.isEmpty()) options.set(Id::Device, {settings.device});
  options.add(Id::IncludePaths, basedList(settings.includePaths));
  options.add(Id::AssemblerIncludePaths, basedList(settings.assemblerIncludePaths));
  options.add(Id::Defines, settings.definitions);
  addExtraOptions(options, Id::ExtraOptionsUsed, Id::ExtraOptions, settings.compilerOptions);
  // The linker's arguments are its input files (libraries, objects) and options.
  QStringList linkerOptions;
  for (const QString& argument : settings.linkerArguments) {
    if (argument.startsWith(QLatin1Char('-')))
      linkerOptions.append(argument);
    else
      options.add(Id::AdditionalLibraries, {based(argument)});
  }
  addExtraOptions(options, Id::LinkerExtraOptionsUsed, Id::LinkerExtraOptions, linkerOptions);
  if (!settings.linkerFile.isEmpty()) {
    options.set(Id::IcfOverride, {QStringLiteral("1")});
    options.set(Id::IcfFile, {based(settings.linkerFile)});
  }
  if (settings.stackSize) configuration.stackSize = settings.stackSize;
  if (settings.heapSize) configuration.heapSize = settings.heapSize;
  for (const QString& command : settings.preBuild)
    configuration.buildActions.push_back({QStringLiteral("prebuild"), command, {}});
  for (const QString& command : settings.postBuild)
    configuration.buildActions.push_back({QStringLiteral("postbuild"), command, {}});
}

}  // namespace

IarConnection readIarConnection(const ForeignDocument& document, const QString& fallbackName) {
  IarConnection connection;
  const ForeignElement root = documentElement(document);
  connection.name = root.attribute(nameTag).trimmed();
  if (connection.name.isEmpty()) connection.name = fallbackName;
  connection.settings.push_back(readSettings(root, connection.notCarried));
  for (const ForeignElement& configurations : childrenNamed(root, QStringLiteral("configurations"))) {
    for (const ForeignElement& element : childrenNamed(configurations, QStringLiteral("configuration"))) {
      IarConnectionSettings settings = readSettings(element, connection.notCarried);
      settings.configuration = element.attribute(nameTag).trimmed();
      if (settings.configuration.isEmpty()) settings.configuration = childText(element, nameTag).trimmed();
      if (!settings.configuration.isEmpty()) connection.settings.push_back(std::move(settings));
    }
  }
  readFiles(childNamed(root, QStringLiteral("files")), connection);
  return connection;
}

void addIarConnection(IarProjectContent& content, const IarConnection& connection, qsizetype group,
                      const QString& directory) {
  const auto based = [&directory](const QString& path) { return basedPath(path, directory); };
  for (const IarConnectionSettings& settings : connection.settings) {
    for (IarConfiguration& configuration : content.configurations)
      if (settings.configuration.isEmpty() || settings.configuration == configuration.name)
        addSettings(configuration, settings, based);
  }
  QStringList everyConfiguration;
  for (const IarConfiguration& configuration : content.configurations) everyConfiguration.append(configuration.name);
  const qsizetype own = qsizetype(content.groups.size());
  const auto groupIndex = [own](qsizetype index) { return index < 0 ? own : own + 1 + index; };
  content.groups.push_back({connection.name, group, {}});
  for (const IarConnectionGroup& inner : connection.groups)
    content.groups.push_back(
        {inner.name, groupIndex(inner.parent), {inner.excluded ? everyConfiguration : QStringList(), {}}});
  for (const IarConnectionFile& file : connection.files) {
    const QString name = based(file.copyTo.isEmpty() ? file.path : file.copyTo);
    if (!file.copyTo.isEmpty()) content.copies.insert(toForwardSlashes(name), based(file.path));
    content.files.push_back({name.toUtf8(), groupIndex(file.group), nullptr});
  }
  content.mergedGroups += connection.mergedGroups;
  content.notCarried += connection.notCarried;
}
