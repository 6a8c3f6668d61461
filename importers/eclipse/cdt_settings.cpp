#include "importers/eclipse/cdt_settings.h"

#include <QList>
#include <iterator>

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

bool endsWithWord(const QString& name, const char* word) {
  return name.endsWith(QLatin1String(word), Qt::CaseInsensitive);
}

QString quoted(const DomElement& configuration) {
  return QLatin1Char('\'') + configuration.attribute(QStringLiteral("name")) + QLatin1Char('\'');
}

// Configurations not named exactly "Debug" or "Release", as vendors name them
// ("USBD-FS_Debug", "HardwareDebug", "obj", "Default"): one whose name ends in
// "Debug" or "Release" (any case) stands for that one, else the first is read as both.
void pickByNameEnding(const QList<DomElement>& configurations, CdtSettings& settings) {
  for (const DomElement& configuration : configurations) {
    const QString name = configuration.attribute(QStringLiteral("name"));
    if (settings.debug.isNull() && endsWithWord(name, "debug")) settings.debug = configuration;
    if (settings.release.isNull() && endsWithWord(name, "release")) settings.release = configuration;
  }
  if (settings.debug.isNull() && settings.release.isNull()) {
    settings.debug = settings.release = configurations.first();
    settings.notes.append(QStringLiteral("no configuration is named Debug or Release; ") + quoted(settings.debug) +
                          QStringLiteral(" is read as both"));
    return;
  }
  if (settings.debug.isNull() || settings.release.isNull()) {
    const DomElement& found = settings.debug.isNull() ? settings.release : settings.debug;
    settings.debug = settings.release = found;
    settings.notes.append(QStringLiteral("configuration ") + quoted(found) + QStringLiteral(" is read as Debug and Release"));
    return;
  }
  settings.notes.append(QStringLiteral("configuration ") + quoted(settings.debug) + QStringLiteral(" is read as Debug"));
  settings.notes.append(QStringLiteral("configuration ") + quoted(settings.release) + QStringLiteral(" is read as Release"));
}

void pickConfigurations(const DomDocument& cproject, CdtSettings& settings) {
  QList<DomElement> named;
  for (const DomElement& configuration : descendantElements(cproject, QStringLiteral("configuration"))) {
    const QString name = configuration.attribute(QStringLiteral("name"));
    if (name.isEmpty()) continue;  // such as the refresh scope's "configurationName" entries
    named.append(configuration);
    // A later configuration of the same name replaces an earlier one.
    if (name == QLatin1String("Debug")) settings.debug = configuration;
    if (name == QLatin1String("Release")) settings.release = configuration;
  }
  if (named.isEmpty()) {
    settings.problem = QStringLiteral("Debug and Release configuration not specified");
    return;
  }
  if (settings.debug.isNull() && settings.release.isNull()) pickByNameEnding(named, settings);
  if (settings.debug.isNull()) settings.debug = settings.release;
  if (settings.release.isNull()) settings.release = settings.debug;
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
  pickConfigurations(cproject, settings);
  if (settings.problem.isEmpty()) settings.kind = projectKind(settings.debug, types.first());
  return settings;
}
