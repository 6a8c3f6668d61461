#pragma once
// The environment the project system expects of its host IDE, built before the
// command line is read: global macros, installation directories, settings and
// the packages directory.

#include <QString>

/// Runs the start-up steps in order: host macros, installation directories,
/// settings object, executable file types, settings defaults, studio macros,
/// packages directory. Throws ConversionError when the frequencies file cannot be created.
void setUpStartupEnvironment(const char* firstArgument);

/// The program file: the target of selfLink (normally "/proc/self/exe"). When the
/// link cannot be read, firstArgument made absolute against the working directory.
QString executablePath(const char* firstArgument, const char* selfLink = "/proc/self/exe");
/// Where an installation that follows the file-system hierarchy (a Debian
/// package, `cmake --install`) keeps its data, relative to the binary's parent.
inline constexpr char sharedDataDirectory[] = "share/quenport";

/// Stores the canonical directory of the program file and the one levelsUp above
/// it; when that one holds no "targets" directory but a sharedDataDirectory, the
/// latter is the installation directory.
void setInstallDirectories(const QString& executablePath, int levelsUp);
/// The canonical directory holding the program file.
QString binDirectory();
/// The canonical installation directory, above binDirectory().
QString installDirectory();

/// Defines the macros of the host: the date and time macros, the host and target names.
void defineHostMacros();
/// Defines the studio's version, name and directory macros and replaces the user
/// macros by those of the settings object's "Environment/Macros/Global Macros".
void defineStudioMacros(const QString& installDirectory);

/// Defines PackagesDir, TargetsDir and SamplesDir from packagesDirectory (expanded
/// with the built-in global macros) and creates the targets directory and its
/// frequencies file when missing. Throws ConversionError when the file cannot be created.
void setUpPackagesDirectory(const QString& packagesDirectory);
