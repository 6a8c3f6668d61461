#include "tool/startup_environment.h"

#include <pwd.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <span>

#include "support/diagnostics.h"
#include "support/path.h"

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
    {"Date", "", nullptr},        {"DateYear", "", nullptr},      {"DateMonth", "", nullptr},
    {"DateDay", "", nullptr},     {"Time", "", nullptr},          {"TimeHour", "", nullptr},
    {"TimeMinute", "", nullptr},  {"TimeSecond", "", nullptr},    {"HostArch", "x64", nullptr},
    {"HostOS", "linux", nullptr}, {"Micro", "ARM", nullptr},      {"TargetID", "8", nullptr},
    {"HostEXE", "", nullptr},     {"HostDLLExt", ".so", nullptr}, {"HostDLL", ".so_x64", nullptr},
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

// Each rule sees the values defined before it, so a later macro can derive from an earlier one.
void defineMacros(std::span<const BuiltInMacro> table, const StudioMacroSources& sources, MacroTable& values) {
  for (const BuiltInMacro& macro : table) {
    const QString value = macro.rule != nullptr ? macro.rule(sources) : QString::fromLatin1(macro.value);
    values.insert(QString::fromLatin1(macro.name), value);
  }
}

// Creates the file only when it is missing, so a user's edits stay.
bool createFrequenciesFile(const QString& path) {
  if (QFileInfo::exists(path)) return true;
  QFile file(path);
  const qint64 size = qint64(sizeof frequenciesFileContent - 1);
  return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(frequenciesFileContent, size) == size;
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

// An empty variable counts as unset, as a shell's "${HOME:-...}" does: taken as
// it is, it would put the user's files directly below "/". A service started
// without HOME still has a home in the password database.
QString homeDirectory() {
  const QByteArray home = qgetenv("HOME");
  if (!home.isEmpty()) return QString::fromLocal8Bit(home);
  const passwd* entry = getpwuid(getuid());
  return entry && entry->pw_dir ? QString::fromLocal8Bit(entry->pw_dir) : QString();
}

QString defaultRootUserDirectory(const QString& home) {
  const QByteArray variable = qgetenv("MARROWFEN_ROOT_USER_DIR");
  if (!variable.isEmpty()) return QString::fromLocal8Bit(variable);
  if (home.isEmpty()) return QString();
  const QString company = QStringLiteral("Halbrook Tessaly Limited");
  QString directory = home + "/." + company.toLower();
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
void definePackagesMacros(GlobalMacros& macros, const QString& packagesDirectory) {
  const QString packages = expand(packagesDirectory, MacroTable(), GlobalMacros{{}, macros.values});
  for (const PackagesMacro& macro : packagesMacros)
    macros.values.insert(QString::fromLatin1(macro.name), packages + QString::fromLatin1(macro.suffix));
}

// The generated file only points the IDE at the installation's frequencies; the
// converter reads nothing from it, so no conversion fails for want of it. Without
// a home the directories would be made below "/", so none are made.
void createUserDataDirectory(const StartupEnvironment& environment, Diagnostics& diagnostics) {
  if (environment.rootUserDirectory.isEmpty()) {
    diagnostics.warn(QString(),
                     QStringLiteral("no home directory (HOME unset or empty, none in the password database): "
                                    "the user data directory is not created"));
    return;
  }
  const QString targets = environment.macros.values.value("TargetsDir");
  const QString frequencies = targets + "/frequencies.xml";
  QDir().mkpath(targets);  // a failure shows when the file cannot be created
  if (!createFrequenciesFile(frequencies)) diagnostics.warn(QString(), QStringLiteral("cannot create ") + frequencies);
}

StartupEnvironment buildStartupEnvironment(const char* firstArgument, Diagnostics& diagnostics) {
  StartupEnvironment environment;
  defineHostMacros(environment.macros);
  findInstallDirectories(environment, executablePath(firstArgument), 1);
  environment.rootUserDirectory = defaultRootUserDirectory(homeDirectory());
  defineStudioMacros(environment);
  definePackagesMacros(environment.macros, environment.settings.packagesDirectory);
  createUserDataDirectory(environment, diagnostics);
  return environment;
}
