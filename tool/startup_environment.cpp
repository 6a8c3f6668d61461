#include "tool/startup_environment.h"

#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <memory>
#include <span>

#include "importers/common/diagnostics.h"
#include "projectsystem/macro_expander.h"
#include "projectsystem/path.h"
#include "properties/property_class_list.h"
#include "tool/elf_dwarf_files.h"
#include "tool/environment_settings.h"

namespace {

/// A built-in global macro: a literal value or a rule computing it, and the
/// description of its declaration (none when empty).
struct GlobalMacro {
  const char* name;
  const char* value;
  QString (*rule)(const QString& installDirectory);
  const char* description;
};

QString homeDirectory() { return QString::fromLocal8Bit(qgetenv("HOME")); }

// Defined at step 1. The date and time macros are stored empty: the expander
// formats the current date or time when they are referenced.
const GlobalMacro hostMacros[] = {
    {"Date", "", nullptr, "The current date, e.g. 7 March 2024."},
    {"DateYear", "", nullptr, "The current year with four digits."},
    {"DateMonth", "", nullptr, "The current month as a two-digit number."},
    {"DateDay", "", nullptr, "The current day of the month as a two-digit number."},
    {"Time", "", nullptr, "The current time as hours, minutes and seconds, e.g. 09:05:30."},
    {"TimeHour", "", nullptr, "The current hour as a two-digit number."},
    {"TimeMinute", "", nullptr, "The current minute as a two-digit number."},
    {"TimeSecond", "", nullptr, "The current second as a two-digit number."},
    {"HostArch", "x64", nullptr, "The processor architecture of the host."},
    {"HostOS", "linux", nullptr, "The operating system of the host."},
    {"Micro", "ARM", nullptr, "The target processor family."},
    {"TargetID", "8", nullptr, "The number identifying the target processor family."},
    {"HostEXE", "", nullptr, "The file extension of executables on the host including the dot."},
    {"HostDLLExt", ".so", nullptr, "The file extension of shared libraries on the host including the dot."},
    {"HostDLL", ".so_x64", nullptr, "The suffix of shared libraries built for the host architecture."},
};

// Defined at step 6; directory values are cleaned by Path.
const GlobalMacro studioMacros[] = {
    {"StudioMajorVersion", "", [](const QString&) { return QString::number(studioMajorVersion); },
     "The major version number of the studio."},
    {"StudioMinorVersion", "1", nullptr, "The minor version number of the studio."},
    {"StudioRevision", "0", nullptr, "The revision number of the studio."},
    {"StudioName", "Orbelin for ARM", nullptr, "The full name of the studio."},
    {"StudioNameShort", "Orbelin", nullptr, "The short name of the studio."},
    {"Platform", "", [](const QString&) { return globalMacros().values.value("Micro").toLower(); },
     "The target processor family in lower case."},
    {"ProductName", "",
     [](const QString&) { return globalMacros().values.value("StudioName").replace("Orbelin", "Marrowfen"); }, ""},
    {"ProductNameShort", "Marrowfen", nullptr, "The short name of the product."},
    {"StudioDir", "", [](const QString& installDirectory) { return Path(installDirectory).path(); },
     "The installation directory of the studio."},
    {"StudioUserDir", "", [](const QString&) { return Path(userDataDirectory()).path(); },
     "The directory holding the user's data for this version of the studio."},
    {"HomeDir", "", [](const QString&) { return Path(homeDirectory()).path(); }, "The user's home directory."},
    {"DesktopDir", "", [](const QString&) { return Path(homeDirectory() + "/Desktop").path(); },
     "The user's desktop directory."},
    {"DocumentsDir", "", [](const QString&) { return Path(homeDirectory() + "/Documents").path(); },
     "The user's documents directory."},
    {"StudioExeName", "orbelin", nullptr, "The file name of the studio's executable."},
    {"StudioBuildToolExeName", "tolvane", nullptr, "The file name of the command-line build tool."},
    {"StudioBuildToolName", "Tolvane", nullptr, "The name of the command-line build tool."},
    {"StudioScriptToolExeName", "quillet", nullptr, "The file name of the command-line script tool."},
    {"StudioScriptToolName", "Quillet", nullptr, "The name of the command-line script tool."},
    {"StudioArchiveFileExt", "hzr", nullptr, "The file extension of an archive without the dot."},
    {"StudioPackageFileExt", "hzq", nullptr, "The file extension of a package without the dot."},
    {"StudioProjectFileExt", "hzp", nullptr, "The file extension of a solution file without the dot."},
    {"StudioSessionFileExt", "hzs", nullptr, "The file extension of a session file without the dot."},
};

/// A packages macro: the packages directory followed by a suffix.
struct PackagesMacro {
  const char* name;
  const char* suffix;
  const char* description;
};

const PackagesMacro packagesMacros[] = {
    {"PackagesDir", "", "The directory where packages are installed."},
    {"TargetsDir", "/targets", "The directory holding the installed packages' target support."},
    {"SamplesDir", "/samples", "The directory holding the installed packages' samples."},
};

constexpr char frequenciesFileContent[] =
    "<envelope>\n"
    "  <include filename=\"$(StudioDir)/targets/frequencies.xml\" />\n"
    "</envelope>\n";

void defineMacros(std::span<const GlobalMacro> macros, const QString& installDirectory) {
  for (const GlobalMacro& macro : macros) {
    const QString value = macro.rule != nullptr ? macro.rule(installDirectory) : QString::fromLatin1(macro.value);
    globalMacros().defineMacro(QString::fromLatin1(macro.name), value, QString::fromLatin1(macro.description));
  }
}

/// The directories found from the program file.
struct InstallDirectories {
  QString bin;
  QString install;
};

InstallDirectories& installDirectories() {
  static InstallDirectories directories;
  return directories;
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
void setInstallDirectories(const QString& executablePath, int levelsUp) {
  const QString programFile = QFileInfo(executablePath).canonicalFilePath();
  InstallDirectories& directories = installDirectories();
  directories.bin = programFile.isEmpty() ? QString() : QFileInfo(programFile).canonicalPath();
  directories.install = directories.bin;
  for (int level = 0; level < levelsUp && !directories.install.isEmpty(); ++level)
    directories.install = QFileInfo(directories.install).canonicalPath();
  const QString dataDirectory = directories.install + "/" + sharedDataDirectory;
  if (!directories.install.isEmpty() && !QFileInfo(directories.install + "/targets").isDir() &&
      QFileInfo(dataDirectory).isDir())
    directories.install = QFileInfo(dataDirectory).canonicalFilePath();
}

QString binDirectory() { return installDirectories().bin; }

QString installDirectory() { return installDirectories().install; }

void defineHostMacros() { defineMacros(hostMacros, QString()); }

void defineStudioMacros(const QString& installDirectory) {
  defineMacros(studioMacros, installDirectory);
  const EnvironmentSettings* settings = environmentSettings();
  const QStringList entries = settings != nullptr ? settings->value(globalMacrosSetting).toStringList() : QStringList();
  globalMacros().userMacros = macroDefinitions(entries);
}

void setUpPackagesDirectory(const QString& packagesDirectory) {
  const QString packages = expand(packagesDirectory, MacroTable(), false, true);
  for (const PackagesMacro& macro : packagesMacros) {
    globalMacros().defineMacro(QString::fromLatin1(macro.name), packages + QString::fromLatin1(macro.suffix),
                               QString::fromLatin1(macro.description));
  }
  const QString targets = globalMacros().values.value("TargetsDir");
  QDir().mkpath(targets);  // a failure shows when the file cannot be created
  createFrequenciesFile(targets);
}

void setUpStartupEnvironment(const char* firstArgument) {
  defineHostMacros();
  setInstallDirectories(executablePath(firstArgument), 1);
  setEnvironmentSettings(std::make_unique<ARMOrbelinEnvironmentSettings>());
  setElfDwarfFiles(std::make_unique<ARMElfDwarfFiles>());
  environmentSettings()->registerSettings();
  defineStudioMacros(installDirectory());
  setUpPackagesDirectory(environmentSettings()->value(packagesDirectorySetting).toString());
}
