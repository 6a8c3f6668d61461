#include "readers/eclipse/cdt_settings.h"

#include <QList>

#include "foreign/foreign_files.h"
#include "readers/common/configuration_choice.h"

namespace {

struct KindWord {
  const char* word;
  ProjectKind kind;
};

// The last "."-separated part of an artefact type or a project type id, compared
// without case: CDT writes "...buildArtefactType.exe" and "...projectType.exe",
// vendors "xilinx.gnu.armv7.exe", "com.crt.advproject.projecttype.lib" and the like.
const KindWord typeIdWords[] = {
    {"exe", ProjectKind::Executable},
    {"executable", ProjectKind::Executable},
    {"application", ProjectKind::Executable},
    {"app", ProjectKind::Executable},
    {"staticLib", ProjectKind::StaticLibrary},
    {"lib", ProjectKind::StaticLibrary},
    {"staticLibrary", ProjectKind::StaticLibrary},
    {"archive", ProjectKind::StaticLibrary},
    {"sharedLib", ProjectKind::SharedLibrary},
    {"so", ProjectKind::SharedLibrary},
    {"sharedLibrary", ProjectKind::SharedLibrary},
    {"dll", ProjectKind::SharedLibrary},
};

// TI Code Composer Studio names its outputs ".out" and ".lib", Freescale
// CodeWarrior's ColdFire tool chain ".elf" (its project type has no kind word).
const KindWord artifactExtensions[] = {
    {"out", ProjectKind::Executable}, {"elf", ProjectKind::Executable}, {"lib", ProjectKind::StaticLibrary}};

// Tool chains whose processor is not ARM, by a part of their ids (compared
// without case): the GNU MCU RISC-V and AArch64 plug-ins, TI's other families,
// Freescale CodeWarrior's HCS08, ColdFire and DSC (56800E) tool chains.
const struct {
  const char* idPart;
  const char* architecture;
} otherArchitectures[] = {
    {".riscv.", "RISC-V"},
    {"aarch64", "AArch64"},
    {"hcs08", "HCS08"},
    {"hc08", "HCS08"},
    {"coldfire", "ColdFire"},
    {"56800", "56800E"},
    {".dsc.", "56800E"},
    {"buildDefinitions.MSP430", "MSP430"},
    {"buildDefinitions.C2000", "C2000"},
    {"buildDefinitions.C6000", "C6000"},
    {"buildDefinitions.PRU", "PRU"},
};

// The names of the "project" element, compared exactly, used when no id says more.
const KindWord typeNames[] = {
    {"Executable", ProjectKind::Executable},
    {"Static Library", ProjectKind::StaticLibrary},
    {"Shared Library", ProjectKind::SharedLibrary},
};

// Vendors write the kind with a word of their own after it: DAVE 4's
// "com.ifx.xmc4000.appBuildArtefactType" and "com.ifx.xmc4000.appProject".
const char* const vendorTypeSuffixes[] = {"BuildArtefactType", "ArtefactType", "ProjectType", "Project"};

ProjectKind kindOfTypeId(const QString& id) {
  if (id.isEmpty()) return ProjectKind::Unknown;
  QString word = id.mid(id.lastIndexOf(QLatin1Char('.')) + 1);
  for (const char* suffix : vendorTypeSuffixes) {
    const QLatin1String vendorWord(suffix);
    if (word.size() > vendorWord.size() && word.endsWith(vendorWord, Qt::CaseInsensitive)) {
      word.chop(vendorWord.size());
      break;
    }
  }
  for (const KindWord& known : typeIdWords)
    if (word.compare(QLatin1String(known.word), Qt::CaseInsensitive) == 0) return known.kind;
  return ProjectKind::Unknown;
}

// A tool chain id such as "com.ti.ccstudio.buildDefinitions.TMS470_20.2.exe.DebugToolchain"
// or "...library.DebugToolchain" (also "...libraryDebugToolchain").
ProjectKind kindOfToolChain(const QString& id) {
  for (const QString& part : id.split(QLatin1Char('.'))) {
    if (part.compare(QLatin1String("exe"), Qt::CaseInsensitive) == 0) return ProjectKind::Executable;
    if (part.compare(QLatin1String("lib"), Qt::CaseInsensitive) == 0 ||
        part.startsWith(QLatin1String("library"), Qt::CaseInsensitive))
      return ProjectKind::StaticLibrary;
    if (part.compare(QLatin1String("so"), Qt::CaseInsensitive) == 0) return ProjectKind::SharedLibrary;
  }
  return ProjectKind::Unknown;
}

QString otherArchitectureOf(const QStringList& ids) {
  for (const auto& known : otherArchitectures) {
    for (const QString& id : ids)
      if (id.contains(QLatin1String(known.idPart), Qt::CaseInsensitive)) return QLatin1String(known.architecture);
  }
  return QString();
}

// "buildProperties" holds "key=value" pairs separated by ",".
QString artefactTypeOf(const ForeignElement& configuration) {
  const QString attribute = configuration.attribute(QStringLiteral("buildArtefactType"));
  if (!attribute.isEmpty()) return attribute;
  const QString key = QStringLiteral("org.eclipse.cdt.build.core.buildArtefactType=");
  for (const QString& property : configuration.attribute(QStringLiteral("buildProperties")).split(QLatin1Char(',')))
    if (property.startsWith(key)) return property.mid(key.size());
  return QString();
}

// The named configurations of each "cconfiguration", or of the whole file
// where it has none.
QList<CdtConfiguration> namedConfigurations(const ForeignDocument& cproject) {
  QList<CdtConfiguration> configurations;
  const QList<ForeignElement> storages = descendantsNamed(cproject, QStringLiteral("cconfiguration"));
  for (const ForeignElement& storage : storages.isEmpty() ? QList<ForeignElement>{cproject} : storages) {
    for (const ForeignElement& configuration : descendantsNamed(storage, QStringLiteral("configuration"))) {
      // Unnamed ones are such as the refresh scope's "configurationName" entries.
      if (!configuration.attribute(QStringLiteral("name")).isEmpty())
        configurations.append({configuration, storages.isEmpty() ? ForeignElement() : storage});
    }
  }
  return configurations;
}

// The configuration whose kind counts: the one that becomes "Debug".
ForeignElement readConfigurations(const ForeignDocument& cproject, CdtSettings& settings) {
  settings.configurations = namedConfigurations(cproject);
  QStringList names;
  for (const CdtConfiguration& configuration : settings.configurations)
    names.append(configuration.element.attribute(QStringLiteral("name")));
  const ConfigurationChoice choice = chooseDebugAndRelease(names);
  if (choice.isEmpty()) {
    settings.problem = QStringLiteral("Debug and Release configuration not specified");
    return {};
  }
  return settings.configurations[choice.debug].element;
}

// A makefile project records no kind: CDT generates its project id
// ("43xxx_Wi-Fi.null.120785263"), derives its configuration from the
// preferences' ("org.eclipse.cdt.build.core.prefbase.cfg") and turns its
// builder's managed build off.
bool isBuiltByMakefile(const ForeignElement& configuration, const ForeignElement& typeElement) {
  if (typeElement.attribute(QStringLiteral("id")).contains(QLatin1String(".null."))) return true;
  if (configuration.attribute(QStringLiteral("parent")) == QLatin1String("org.eclipse.cdt.build.core.prefbase.cfg"))
    return true;
  for (const ForeignElement& builder : descendantsNamed(configuration, QStringLiteral("builder")))
    if (builder.attribute(QStringLiteral("managedBuildOn")) == QLatin1String("false")) return true;
  return false;
}

}  // namespace

QString toolChainOf(const ForeignElement& configuration) {
  const QList<ForeignElement> toolChains = descendantsNamed(configuration, QStringLiteral("toolChain"));
  return toolChains.isEmpty() ? QString() : toolChains.first().attribute(QStringLiteral("superClass"));
}

ProjectKind projectKind(const ForeignElement& configuration, const ForeignElement& typeElement) {
  const ProjectKind fromArtefact = kindOfTypeId(artefactTypeOf(configuration));
  if (fromArtefact != ProjectKind::Unknown) return fromArtefact;
  const QString extension = configuration.attribute(QStringLiteral("artifactExtension"));
  for (const KindWord& known : artifactExtensions)
    if (extension == QLatin1String(known.word)) return known.kind;
  const ProjectKind fromToolChain = kindOfToolChain(toolChainOf(configuration));
  if (fromToolChain != ProjectKind::Unknown) return fromToolChain;
  const ProjectKind fromId = kindOfTypeId(typeElement.attribute(QStringLiteral("projectType")));
  if (fromId != ProjectKind::Unknown) return fromId;
  const QString name = typeElement.attribute(QStringLiteral("name"));
  for (const KindWord& known : typeNames)
    if (name == QLatin1String(known.word)) return known.kind;
  return ProjectKind::Unknown;
}

CdtSettings readCdtSettings(const ForeignDocument& cproject) {
  CdtSettings settings;
  const QList<ForeignElement> types = descendantsNamed(cproject, QStringLiteral("project"));
  if (types.isEmpty()) {
    settings.problem = QStringLiteral("no project element found");
    return settings;
  }
  if (types.size() > 1) {
    settings.problem = QStringLiteral("multiple project elements found");
    return settings;
  }
  settings.typeName = types.first().attribute(QStringLiteral("name"));
  const ForeignElement debug = readConfigurations(cproject, settings);
  if (!settings.problem.isEmpty()) return settings;
  settings.kind = projectKind(debug, types.first());
  if (settings.kind == ProjectKind::Unknown && isBuiltByMakefile(debug, types.first())) {
    settings.kind = ProjectKind::Executable;
    settings.builtByMakefile = true;
  }
  settings.otherArchitecture = otherArchitectureOf({toolChainOf(debug), debug.attribute(QStringLiteral("parent")),
                                                    types.first().attribute(QStringLiteral("projectType"))});
  return settings;
}
