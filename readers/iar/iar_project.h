#pragma once
// An IAR Embedded Workbench project file (".ewp") as read: its configurations
// with the options the conversion carries over, and its groups and files, every
// text as the file writes it.

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "foreign/foreign_document.h"
#include "readers/common/configuration_choice.h"
#include "readers/iar/iar_options.h"
#include "support/diagnostics.h"

/// A command a configuration runs around its build.
struct IarBuildAction {
  /// When it runs: "prebuild" or "postbuild" (the older form's elements), else
  /// the "buildSequence" of the newer form ("postLink", ...).
  QString sequence;
  QString command;
  /// As written; empty for none.
  QString workingDirectory;
};

/// The compiler block of a configuration, or of a file's or group's own settings.
struct IarCompiler {
  /// "ICCARM", "ICC430", "ICCRISCV", ...
  QString name;
  /// The block's data "version", which tells what its option values mean; -1 when none.
  int version = -1;
};

/// One "configuration" of the project.
struct IarConfiguration {
  QString name;
  /// The "toolchain" name: "ARM", "RISCV", "MSP430", ...
  QString toolchain;
  IarCompiler compiler;
  IarOptions options;
  std::vector<IarBuildAction> buildActions;
  /// Stack and heap sizes a project connection file gives (iar_connection.h).
  std::optional<quint64> stackSize;
  std::optional<quint64> heapSize;

  /// "GOutputBinary" 1 builds a library, else an executable.
  bool buildsLibrary() const { return options.text(IarOptionId::OutputBinary) == QLatin1String("1"); }
  /// The device name: the chip text up to its tab; empty when none is chosen.
  QString device() const;
  /// The library file the archiver writes, as written, when the project
  /// overrides its default (the project's name in the output directory); else empty.
  QString archiveOutput() const;
};

/// The settings a file or group has of its own in one configuration: the
/// compiler and assembler options its "configuration" element holds.
struct IarOwnSettings {
  QString configuration;
  IarCompiler compiler;
  IarOptions options;
};

/// What a group or file holds of its own besides its name.
struct IarItemParts {
  /// The configurations its "excluded" element names.
  QStringList excludedFrom;
  std::vector<IarOwnSettings> ownSettings;

  bool isEmpty() const { return excludedFrom.isEmpty() && ownSettings.empty(); }
};

/// A "group" of the project; groups come in document order, each after its parent.
struct IarGroup {
  QString name;
  /// Index of the enclosing group; -1 at the project's top level.
  qsizetype parent = -1;
  IarItemParts parts;
};

/// A "file" entry of the project. Every file of every project is held until the
/// last project is read, so a file is kept small: the name in UTF-8 (half the
/// room; decodedName() decodes it), and its parts only where it has any.
struct IarFile {
  /// As written: "$PROJ_DIR$\..\Src\main.c".
  QByteArray name;
  /// Index of the group holding it; -1 at the project's top level.
  qsizetype group = -1;
  /// Null where the file has no parts of its own (most files).
  std::shared_ptr<const IarItemParts> ownParts;

  QString decodedName() const { return decodeUtf8(name.constData(), size_t(name.size())); }
  const IarItemParts& parts() const {
    static const IarItemParts none;
    return ownParts ? *ownParts : none;
  }
};

/// Groups nested deeper than this are merged into their ancestor at this depth:
/// the solution writes each level indented, so a hostile file of deeply nested
/// groups would otherwise give a solution quadratic in the file's size.
constexpr int maximumGroupDepth = 64;

/// Walks what root holds in document order with an explicit stack, so that deep
/// nesting cannot exhaust the call stack: addGroup(element, parent) for each
/// "group" element (returning its index; -1 is the top level), addItem(element,
/// group) for each other child element. Groups nested deeper than
/// maximumGroupDepth are merged into their ancestor at that depth; returns how
/// many were.
int walkIarGroups(const ForeignElement& root,
                  const std::function<qsizetype(const ForeignElement&, qsizetype)>& addGroup,
                  const std::function<void(const ForeignElement&, qsizetype)>& addItem);

/// What a project file holds, as the conversion uses it.
struct IarProjectContent {
  std::vector<IarConfiguration> configurations;
  /// The configurations read as "Debug" and "Release".
  ConfigurationChoice choice;
  std::vector<IarGroup> groups;
  std::vector<IarFile> files;
  /// Groups that were merged into an ancestor (see maximumGroupDepth).
  int mergedGroups = 0;
  /// Files Embedded Workbench copies into the project from project connection
  /// files ("copyTo"): the original of each copy, by the copy's path, both as written.
  QHash<QString, QString> copies;
  /// What the project connection files say that a solution cannot carry.
  QList<NotCarried> notCarried;

  /// Frees the groups and files, which a large workspace holds for every project.
  void releaseSources() {
    std::vector<IarGroup>().swap(groups);
    std::vector<IarFile>().swap(files);
  }

  const IarConfiguration& debug() const { return configurations[size_t(choice.debug)]; }
  const IarConfiguration& release() const { return configurations[size_t(choice.release)]; }
};

/// Reads the configurations (direct children of the document's "project"
/// element), and the groups and files below it with their own settings.
/// Options are found by their "name" in the "settings" block they belong to
/// (iar_options.h); of several compiler or assembler blocks the first counts.
IarProjectContent readIarProject(const ForeignDocument& document);
