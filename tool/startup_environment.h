#pragma once
// The environment the project system expects of its host IDE, built once before
// the command line is read and handed down to the run: the installation and user
// directories, the settings, the global macros and the packages directory.

#include <QString>
#include <QStringList>

#include "preprocessor/macro_expander.h"

class Diagnostics;

/// The product's major version, which names the user data directory.
inline constexpr int studioMajorVersion = 4;

/// The two IDE settings the converter reads. No settings file is read: both keep
/// their defaults.
struct EnvironmentSettings {
  /// "Environment/Package/Destination Directory": the packages directory, macros allowed.
  QString packagesDirectory = QStringLiteral("$(StudioUserDir)/packages");
  /// "Environment/Macros/Global Macros": the user's global macros as "name=value" entries.
  QStringList globalMacros;
};

/// What start-up builds, once per run.
struct StartupEnvironment {
  /// The canonical directory holding the program file.
  QString binDirectory;
  /// The canonical installation directory (see findInstallDirectories).
  QString installDirectory;
  /// The directory above every product's user data (see defaultRootUserDirectory);
  /// "-rootuserdir" replaces it once the command line is read, after the macros
  /// below were defined from it.
  QString rootUserDirectory;
  EnvironmentSettings settings;
  GlobalMacros macros;
};

/// Runs the start-up steps in order: host macros, installation directories, root
/// user directory and settings, studio macros, packages directory. A user data
/// directory that cannot be made is told to diagnostics: no conversion needs it.
StartupEnvironment buildStartupEnvironment(const char* firstArgument, Diagnostics& diagnostics);

/// The program file: the target of selfLink (normally "/proc/self/exe"). When the
/// link cannot be read, firstArgument made absolute against the working directory.
QString executablePath(const char* firstArgument, const char* selfLink = "/proc/self/exe");
/// Where an installation that follows the file-system hierarchy (a Debian
/// package, `cmake --install`) keeps its data, relative to the binary's parent.
inline constexpr char sharedDataDirectory[] = "share/quenport";

/// Sets the canonical directory of the program file and the one levelsUp above it
/// as environment's bin and installation directories; when that one holds no
/// "targets" directory but a sharedDataDirectory, the latter is the installation directory.
void findInstallDirectories(StartupEnvironment& environment, const QString& executablePath, int levelsUp);

/// HOME when set and not empty, else the user's home directory in the password
/// database; empty when neither names one.
QString homeDirectory();
/// MARROWFEN_ROOT_USER_DIR when set and not empty, else a directory under home;
/// empty when home is empty too.
QString defaultRootUserDirectory(const QString& home);
/// rootUserDirectory + "/Marrowfen for ARM/v4".
QString userDataDirectory(const QString& rootUserDirectory);

/// Defines the macros of the host: the date and time macros, the host and target names.
void defineHostMacros(GlobalMacros& macros);
/// Defines the studio's version, name and directory macros from environment's
/// directories and replaces the user macros by those of its settings.
void defineStudioMacros(StartupEnvironment& environment);

/// Defines PackagesDir, TargetsDir and SamplesDir from packagesDirectory (expanded
/// with the built-in global macros only).
void definePackagesMacros(GlobalMacros& macros, const QString& packagesDirectory);
/// Creates environment's targets directory (TargetsDir) and its frequencies file when
/// missing. Without a root user directory nothing is created, and diagnostics hears why;
/// it hears "cannot create <file>" when the file cannot be created.
void createUserDataDirectory(const StartupEnvironment& environment, Diagnostics& diagnostics);
