#include "tool/startup_environment.h"

#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <span>

#include "importers/common/diagnostics.h"
#include "projectsystem/path.h"

namespace {

/// What the studio macros are computed from.
struct StudioMacroSources {
  const MacroTable& values;  // the macros defined before
  QString installDirectory;
  QString userDataDirectory;
  QString home;
};

/// A built-in global macro: a literal value, or a rule computing it.
struct BuiltInMacro {
  const char* name;
  const char* value;
  QString (*rule)(const StudioMacroSources& sources);
};

// The date and time macros are stored empty: the expander formats the current
// date or time when they are referenced.
const BuiltInMacro hostMacros[] = {
    {"Date", "", nullptr},
    {"DateYear", "", nullptr},
    {"DateMonth", "", nullptr},
    {"DateDay", "", nullptr},
    {"Time", "", nullptr},
    {"TimeHour", "", nullptr},
    {"TimeMinute", "", nullptr},
    {"TimeSecond", "", nullptr},
    {"HostArch", "x64", nullptr},
    {"HostOS", "linux", nullptr},
    {"Micro", "ARM", nullptr},
    {"TargetID", "8", nullptr},
    {"HostEXE", "", nullptr},
    {"HostDLLExt", ".so", nullptr},
    {"HostDLL", ".so_x64", nullptr},
};

// Directory values are cleaned by Path.
const BuiltInMacro studioMacros[] = {
    {"StudioMajorVersion", "", [](const StudioMacroSources&) { return QString::number(studioMajorVersion); }},
    {"StudioMinorVersion", "1", nullptr},
    {"StudioRevision", "0", nullptr},
    {"StudioName", "Orbelin for ARM", nullptr},
    {"StudioNameShort", "Orbelin", nullptr},
    {"Platform", "", [](const StudioMacroSources& s) { return s.values.value("Micro").toLower(); }},
    {"ProductName", "",
     [](const StudioMacroSources& s) { return s.values.value("StudioName").replace("Orbelin", "Marrowfen"); }},
    {"ProductNameShort", "Marrowfen", nullptr},
    {"StudioDir", "", [](const StudioMacroSources& s) { return Path(s.installDirectory).path(); }},
    {"StudioUserDir", "", [](const StudioMacroSources& s) { return Path(s.userDataDirectory).path(); }},
    {"HomeDir", "", [](const StudioMacroSources& s) { return Path(s.home).path(); }},
    {"DesktopDir", "", [](const StudioMacroSources& s) { return Path(s.home + "/Desktop").path(); }},
    {"DocumentsDir", "", [](const StudioMacroSources& s) { return Path(s.home + "/Documents").path(); }},
    {"StudioExeName", "orbelin", nullptr},
    {"StudioBuildToolExeName", "tolvane", nullptr},
    {"StudioBuildToolName", "Tolvane", nullptr},
    {"StudioScriptToolExeName", "quillet", nullptr},
    {"StudioScriptToolName", "Quillet", nullptr},
    {"StudioArchiveFileExt", "hzr", nullptr},
    {"StudioPackageFileExt", "hzq", nullptr},
    {"StudioProjectFileExt", "hzp", nullptr},
    {"StudioSessionFileExt", "hzs", nullptr},
};

/// A packages macro: the packages directory followed by a suffix.
struct PackagesMacro {
  const char* name;
  const char* suffix;
};

const PackagesMacro packagesMacros[] = {{"PackagesDir", ""}, {"TargetsDir", "/targets"}, {"SamplesDir", "/samples"}};

constexpr char frequenciesFileContent[] =
    "<envelope>\n"
    "  <include filename=\"$(StudioDir)/targets/frequencies.xml\" />\n"
    "</envelope>\n";

QString homeDirectory() { return QString::fromLocal8Bit(qgetenv("HOME")); }

// Each rule sees the values defined before it, so a later macro can derive from an earlier one.
void defineMacros(std::span<const BuiltInMacro> table, const StudioMacroSources& sources, MacroTable& values) {
  for (const BuiltInMacro& macro : table) {
    const QString value = macro.rule != nullptr ? macro.rule(sources) : QString::fromLatin1(macro.value);
    values.insert(QString::fromLatin1(macro.name), value);
  }
}

// Creates the file only when it is missing, so a user's edits stay.
void createFrequenciesFile(const QString& targetsDirectory) {
  const QString path = targetsDirectory + "/frequencies.xml";
  if (QFileInfo::exists(path)) return;
  QFile file(path);
  const qint64 size = qint64(sizeof frequenciesFileContent - 1);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(frequenciesFileContent, size) != size)
    throw ConversionError(QStringLiteral("cannot create ") + path);
}

}  // namespace

// Without a readable "/proc/self/exe" the first argument is the best guess left:
// it is taken relative to the working directory and not searched for in PATH,
// so a program started by name from PATH finds no installation directory then.
QString executablePath(const char* firstArgument, const char* selfLink) {
  char buffer[1024];
  const ssize_t length = readlink(selfLink, buffer, sizeof buffer);
  if (length > 0 && length < ssize_t(sizeof buffer)) return QString::fromLocal8Bit(buffer, length);
  if (firstArgument == nullptr || *firstArgument == '\0') return QString();
  return QFileInfo(QString::fromLocal8Bit(firstArgument)).absoluteFilePath();
}

// Canonical paths follow symbolic links, so a linked program finds its real
// installation. A program file that does not exist leaves both directories empty.
// A packaged program lives in /usr/bin while its data cannot go to /usr/targets:
// a directory without targets/ that has share/quenport/ below it installs its
// data there, and that is the installation directory.
void findInstallDirectories(StartupEnvironment& environment, const QString& executablePath, int levelsUp) {
  const QString programFile = QFileInfo(executablePath).canonicalFilePath();
  QString& bin = environment.binDirectory;
  QString& install = environment.installDirectory;
  bin = programFile.isEmpty() ? QString() : QFileInfo(programFile).canonicalPath();
  install = bin;
  for (int level = 0; level < levelsUp && !install.isEmpty(); ++level) install = QFileInfo(install).canonicalPath();
  const QString dataDirectory = install + "/" + sharedDataDirectory;
  if (!install.isEmpty() && !QFileInfo(install + "/targets").isDir() && QFileInfo(dataDirectory).isDir())
    install = QFileInfo(dataDirectory).canonicalFilePath();
}

// A set variable wins even when empty: the user data directory then lies
// directly below the file-system root.
QString defaultRootUserDirectory() {
  if (qEnvironmentVariableIsSet("MARROWFEN_ROOT_USER_DIR"))
    return QString::fromLocal8Bit(qgetenv("MARROWFEN_ROOT_USER_DIR"));
  const QString company = QStringLiteral("Halbrook Tessaly Limited");
  QString directory = homeDirectory() + "/." + company.toLower();
  return directory.replace(QLatin1Char(' '), QLatin1Char('_'));  // the home part's spaces too
}

QString userDataDirectory(const QString& rootUserDirectory) {
  return rootUserDirectory + "/Marrowfen for ARM/v" + QString::number(studioMajorVersion);
}

void defineHostMacros(GlobalMacros& macros) {
  defineMacros(hostMacros, StudioMacroSources{macros.values, {}, {}, {}}, macros.values);
}

void defineStudioMacros(StartupEnvironment& environment) {
  const StudioMacroSources sources{environment.macros.values, environment.installDirectory,
                                   userDataDirectory(environment.rootUserDirectory), homeDirectory()};
  defineMacros(studioMacros, sources, environment.macros.values);
  environment.macros.userMacros = macroDefinitions(environment.settings.globalMacros);
}

// The user's macros play no part here: the packages directory is the product's own.
void setUpPackagesDirectory(GlobalMacros& macros, const QString& packagesDirectory) {
  const QString packages = expand(packagesDirectory, MacroTable(), GlobalMacros{{}, macros.values});
  for (const PackagesMacro& macro : packagesMacros)
    macros.values.insert(QString::fromLatin1(macro.name), packages + QString::fromLatin1(macro.suffix));
  const QString targets = macros.values.value("TargetsDir");
  QDir().mkpath(targets);  // a failure shows when the file cannot be created
  createFrequenciesFile(targets);
}

StartupEnvironment buildStartupEnvironment(const char* firstArgument) {
  StartupEnvironment environment;
  defineHostMacros(environment.macros);
  findInstallDirectories(environment, executablePath(firstArgument), 1);
  environment.rootUserDirectory = defaultRootUserDirectory();
  defineStudioMacros(environment);
  setUpPackagesDirectory(environment.macros, environment.settings.packagesDirectory);
  return environment;
}
