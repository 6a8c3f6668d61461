#pragma once
// A project as a reader reads it: one record per project the solution will
// hold, in terms of what the settings mean rather than how a foreign IDE writes
// them. Readers fill records and nothing else; ProjectMapper writes them into
// the solution model.
//
// Values use the words of the GNU tools' options whatever the source IDE calls
// them (a core is "cortex-m4" as in -mcpu, an optimisation "-Os"); where the
// source says something the GNU tools have no word for, the record keeps the
// source's own words ("-Omax", "Cortex-M55") and the mapper reports them rather
// than guessing. Paths are in the form the solution writes them: relative to
// the project directory, based on a macro ("$(ProjectDir)/inc",
// "$(SolutionDir)/common") or absolute.

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <optional>
#include <vector>

#include "support/diagnostics.h"

/// What a project builds.
enum class ProjectKind { Executable, StaticLibrary, SharedLibrary, Unknown };

/// The kind as messages and reports name it ("static library").
const char* projectKindName(ProjectKind kind);

/// A memory range of the device the program is linked into.
struct MemoryRegion {
  enum class Kind { Rom, Ram };

  Kind kind = Kind::Rom;
  /// The source's name for it ("IROM1", "FLASH"), for messages.
  QString name;
  quint64 start = 0;
  quint64 size = 0;

  friend bool operator==(const MemoryRegion&, const MemoryRegion&) = default;
};

/// The device a configuration builds for; empty texts where the source says nothing.
struct TargetDevice {
  /// The part's name ("STM32F407IGHx").
  QString name;
  /// The processor family when it is not ARM ("RISC-V", "HCS08", "ColdFire",
  /// "AArch64"): no ARM target settings are written for it. Empty for ARM.
  QString otherArchitecture;
  /// As -mcpu names it: "cortex-m4", "cortex-m0plus", "cortex-m33".
  QString core;
  /// As -mfpu names it: "fpv4-sp-d16", "fpv5-sp-d16", "fpv5-d16"; "none" for no FPU.
  QString fpu;
  /// As -mfloat-abi names it: "soft", "softfp", "hard".
  QString floatAbi;
  /// "little" or "big".
  QString byteOrder;
  /// The ARMv8-M DSP extension is used.
  std::optional<bool> dsp;
  /// Code for the secure state of ARMv8-M (-mcmse).
  std::optional<bool> secureCode;
  /// The memory the program is linked into, first ROM and first RAM first.
  QList<MemoryRegion> memory;
  /// The source's IDE builds for the named part's core and FPU (derives them
  /// from the part): core, fpu and dsp say what the source also writes, which
  /// may be stale or missing (device_table.h).
  bool coreFromDevice = false;

  friend bool operator==(const TargetDevice&, const TargetDevice&) = default;
};

/// What one tool (the C/C++ compiler or the assembler) is told.
struct ToolOptions {
  /// "NAME" or "NAME=value", in source order.
  QStringList definitions;
  QStringList undefinitions;
  QStringList includeDirectories;
  /// Options passed as they are ("-fno-common"), one entry each.
  QStringList additionalOptions;

  friend bool operator==(const ToolOptions&, const ToolOptions&) = default;
};

/// How code is generated, as the GNU compiler's options say it.
struct CodeGeneration {
  /// "-O0", "-O1", "-O2", "-O3", "-Os", "-Og"; or the source's words.
  QString optimization;
  /// "-g0" to "-g3".
  QString debugLevel;
  /// "c99", "gnu11", ... as -std names them; or the source's words.
  QString cStandard;
  QString cppStandard;
  /// -Wall -Wextra or their equivalent of the source.
  std::optional<bool> allWarnings;

  friend bool operator==(const CodeGeneration&, const CodeGeneration&) = default;
};

/// The file that lays out the program in memory.
struct LinkerScript {
  enum class Kind { GnuLd, Scatter, Icf };

  Kind kind = Kind::GnuLd;
  /// As the solution writes a file path; empty for none.
  QString path;

  friend bool operator==(const LinkerScript&, const LinkerScript&) = default;
};

/// What the linker is told.
struct LinkerOptions {
  LinkerScript script;
  /// Libraries and object files linked besides the project's own.
  QStringList additionalFiles;
  /// Options passed as they are ("-Wl,--gc-sections", "-lm", "-Lpath").
  QStringList additionalOptions;
  /// The program's entry symbol.
  QString entryPoint;
  std::optional<quint64> stackSize;
  std::optional<quint64> heapSize;

  friend bool operator==(const LinkerOptions&, const LinkerOptions&) = default;
};

/// A command the build runs, with solution macros in place of the source's variables.
struct BuildCommand {
  QString command;
  /// Empty for the project directory.
  QString workingDirectory;

  friend bool operator==(const BuildCommand&, const BuildCommand&) = default;
};

/// The commands a configuration runs around its build, in order.
struct BuildSteps {
  QList<BuildCommand> beforeBuild;
  /// Before each source file is compiled.
  QList<BuildCommand> beforeCompile;
  /// After the program is linked (executables only).
  QList<BuildCommand> afterLink;
  /// After the project's output is made.
  QList<BuildCommand> afterBuild;

  friend bool operator==(const BuildSteps&, const BuildSteps&) = default;
};

/// The settings that may differ between the files of one configuration.
struct CompileSettings {
  ToolOptions compiler;
  ToolOptions assembler;
  CodeGeneration codeGeneration;

  friend bool operator==(const CompileSettings&, const CompileSettings&) = default;
};

/// One configuration of the source project, under the name the source gives it.
struct SourceConfiguration {
  QString name;
  TargetDevice device;
  CompileSettings compile;
  LinkerOptions linker;
  QString outputDirectory;
  QString intermediateDirectory;
  /// The output's name without directory and extension; empty for the project's name.
  QString outputName;
  BuildSteps steps;

  friend bool operator==(const SourceConfiguration&, const SourceConfiguration&) = default;
};

/// The settings a file or folder has of its own in one configuration. Lists are
/// the item's whole lists (empty: as its project's); other settings are set
/// where the item's differ.
struct ItemSettings {
  QString configuration;
  CompileSettings compile;

  friend bool operator==(const ItemSettings&, const ItemSettings&) = default;
};

/// A folder or file of the project's source tree.
struct SourceItem {
  enum class Kind { Folder, File };

  Kind kind = Kind::File;
  /// A folder's name (empty: its items belong to the enclosing folder); a
  /// file's name as the file filters see it, which a reader may leave empty
  /// where it is the last component of path (see fileName).
  QString name;
  /// A file's path as the solution writes it.
  QString path;
  /// The source configurations that leave the item out of their build.
  QStringList excludedFrom;
  /// What the item sets for itself, per source configuration.
  std::vector<ItemSettings> settings;
  /// A folder's folders and files, in order.
  std::vector<SourceItem> items;

  static SourceItem folder(QString name) { return {Kind::Folder, std::move(name), {}, {}, {}, {}}; }
  static SourceItem file(QString name, QString path) {
    return {Kind::File, std::move(name), std::move(path), {}, {}, {}};
  }

  /// A file's name as the file filters see it: name, or the last component of
  /// path where name is empty. Valid as long as the item.
  QStringView fileName() const {
    return name.isEmpty() ? QStringView(path).mid(path.lastIndexOf(QLatin1Char('/')) + 1) : QStringView(name);
  }

  friend bool operator==(const SourceItem&, const SourceItem&) = default;
};

/// Everything the solution gets of one project.
struct ProjectRecord {
  QString name;
  ProjectKind kind = ProjectKind::Unknown;
  /// The project directory, as a path to look at on disk.
  QString directory;
  /// The file the project comes from, as messages name it.
  QString sourceFile;
  /// Every configuration, in source order; at least one.
  std::vector<SourceConfiguration> configurations;
  /// The content of the project's "Source Files" folder.
  std::vector<SourceItem> sources;
  /// The names of the projects it depends on, in order.
  /// Nothing where the source says nothing of them.
  std::optional<QStringList> dependencies;
  /// Libraries it links as files whatever the configuration (the workspace builds none of them).
  QStringList linkedLibraryFiles;
  /// Libraries it links that no project of the workspace builds and the solution
  /// cannot link: reported together, once every project of the input is written.
  QList<NotCarried> librariesNotLinked;
  /// What was read but cannot be carried into the solution.
  QList<NotCarried> notCarried;

  friend bool operator==(const ProjectRecord&, const ProjectRecord&) = default;
};

/// The record as indented text, one fact a line (for tests and debugging).
QString describeRecord(const ProjectRecord& record);

/// Adds report to reports, where a report of the same kind and value from another
/// configuration becomes one with both configurations.
void mergeNotCarried(QList<NotCarried>& reports, const NotCarried& report);
