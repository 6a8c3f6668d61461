#include "importers/eclipse/cdt_settings.h"

#include <QList>

#include "importers/common/configuration_choice.h"
#include "importers/common/xml_loading.h"

namespace {

struct KindWord {
  const char* word;
  ProjectKind kind;
};

// The last "."-separated part of an artefact type or a project type id, compared
// without case: CDT writes "...buildArtefactType.exe" and "...projectType.exe",
// vendors "xilinx.gnu.armv7.exe", "com.crt.advproject.projecttype.lib" and the like.
const KindWord typeIdWords[] = {
    {"exe", ProjectKind::Executable},        {"executable", ProjectKind::Executable},
    {"staticLib", ProjectKind::StaticLibrary}, {"lib", ProjectKind::StaticLibrary},
    {"staticLibrary", ProjectKind::StaticLibrary}, {"archive", ProjectKind::StaticLibrary},
    {"sharedLib", ProjectKind::SharedLibrary}, {"so", ProjectKind::SharedLibrary},
    {"sharedLibrary", ProjectKind::SharedLibrary}, {"dll", ProjectKind::SharedLibrary},
};

// The names of the "project" element, compared exactly, used when no id says more.
const KindWord typeNames[] = {
    {"Executable", ProjectKind::Executable},
    {"Static Library", ProjectKind::StaticLibrary},
    {"Shared Library", ProjectKind::SharedLibrary},
};

ProjectKind kindOfTypeId(const QString& id) {
  if (id.isEmpty()) return ProjectKind::Unknown;
  const QString word = id.mid(id.lastIndexOf(QLatin1Char('.')) + 1);
  for (const KindWord& known : typeIdWords)
    if (word.compare(QLatin1String(known.word), Qt::CaseInsensitive) == 0) return known.kind;
  return ProjectKind::Unknown;
}

// "buildProperties" holds "key=value" pairs separated by ",".
QString artefactTypeOf(const DomElement& configuration) {
  const QString attribute = configuration.attribute(QStringLiteral("buildArtefactType"));
  if (!attribute.isEmpty()) return attribute;
  const QString key = QStringLiteral("org.eclipse.cdt.build.core.buildArtefactType=");
  for (const QString& property : configuration.attribute(QStringLiteral("buildProperties")).split(QLatin1Char(',')))
    if (property.startsWith(key)) return property.mid(key.size());
  return QString();
}

// The configuration whose kind counts: the one that becomes "Debug".
DomElement readConfigurations(const DomDocument& cproject, CdtSettings& settings) {
  QStringList names;
  for (const DomElement& configuration : descendantElements(cproject, QStringLiteral("configuration"))) {
    const QString name = configuration.attribute(QStringLiteral("name"));
    if (name.isEmpty()) continue;  // such as the refresh scope's "configurationName" entries
    settings.configurations.append(configuration);
    names.append(name);
  }
  const ConfigurationChoice choice = chooseDebugAndRelease(names);
  if (choice.isEmpty()) {
    settings.problem = QStringLiteral("Debug and Release configuration not specified");
    return {};
  }
  return settings.configurations[choice.debug];
}

}  // namespace

ProjectKind projectKind(const DomElement& configuration, const DomElement& typeElement) {
  const ProjectKind fromArtefact = kindOfTypeId(artefactTypeOf(configuration));
  if (fromArtefact != ProjectKind::Unknown) return fromArtefact;
  const ProjectKind fromId = kindOfTypeId(typeElement.attribute(QStringLiteral("projectType")));
  if (fromId != ProjectKind::Unknown) return fromId;
  const QString name = typeElement.attribute(QStringLiteral("name"));
  for (const KindWord& known : typeNames)
    if (name == QLatin1String(known.word)) return known.kind;
  return ProjectKind::Unknown;
}

CdtSettings readCdtSettings(const DomDocument& cproject) {
  CdtSettings settings;
  const QList<DomElement> types = descendantElements(cproject, QStringLiteral("project"));
  if (types.isEmpty()) {
    settings.problem = QStringLiteral("no project element found");
    return settings;
  }
  if (types.size() > 1) {
    settings.problem = QStringLiteral("multiple project elements found");
    return settings;
  }
  settings.typeName = types.first().attribute(QStringLiteral("name"));
  const DomElement debug = readConfigurations(cproject, settings);
  if (settings.problem.isEmpty()) settings.kind = projectKind(debug, types.first());
  return settings;
}
