#pragma once
// The CDT settings file (".cproject") of an Eclipse project as read: the kind
// of project it builds and its configurations.

#include <QList>
#include <QString>
#include <QStringList>

#include "foreign/foreign_document.h"
#include "readers/common/project_record.h"

/// One configuration of a ".cproject".
struct CdtConfiguration {
  /// The "configuration" element.
  ForeignElement element;
  /// The "cconfiguration" element holding it (with its build variables); null
  /// in files that have none.
  ForeignElement storage;
};

/// The parts of a ".cproject" that the conversion uses.
struct CdtSettings {
  /// The "name" attribute of the one "project" element, as messages name the type.
  QString typeName;
  ProjectKind kind = ProjectKind::Unknown;
  /// A makefile project: read as an executable, though its makefile builds it.
  bool builtByMakefile = false;
  /// The named configurations, in document order.
  QList<CdtConfiguration> configurations;
  /// The processor family when the tool chain is not one for ARM ("RISC-V",
  /// "MSP430"); empty for ARM.
  QString otherArchitecture;
  /// Why the project cannot be converted; empty when it can.
  QString problem;
};

/// Reads the settings. A project without a "project" element, with several, or
/// without any named configuration gets a problem with the message of the
/// reader that stopped on it ("no project element found", ...). The kind is
/// read from the configuration that becomes "Debug"; a makefile project whose
/// kind nothing records is an executable.
CdtSettings readCdtSettings(const ForeignDocument& cproject);

/// The kind from what CDT records: the configuration's "buildArtefactType"
/// (also inside "buildProperties"), else its "artifactExtension" ("out", "elf" or
/// "lib", as TI Code Composer Studio records it), else the id of its tool
/// chain ("...exe.DebugToolchain"), else the project type id of the "project"
/// element, else its name ("Executable", "Static Library", "Shared Library").
/// A type id's last part may carry a vendor's word ("appBuildArtefactType",
/// "appProject"); an "app" is an executable.
ProjectKind projectKind(const ForeignElement& configuration, const ForeignElement& typeElement);

/// The "superClass" of the configuration's (first) tool chain; empty where it has none.
QString toolChainOf(const ForeignElement& configuration);
