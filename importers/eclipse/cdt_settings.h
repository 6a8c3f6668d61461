#pragma once
// The CDT settings file (".cproject") of an Eclipse project as read: the kind
// of project it builds and the two configurations that are converted.

#include <QString>
#include <QStringList>

#include "importers/common/dom_document.h"
#include "importers/common/project_template.h"

/// The parts of a ".cproject" that the conversion uses.
struct CdtSettings {
  /// The "name" attribute of the one "project" element, as messages name the type.
  QString typeName;
  ProjectKind kind = ProjectKind::Unknown;
  /// The configurations read as "Debug" and as "Release" (possibly the same one).
  DomElement debug;
  DomElement release;
  /// Why the project cannot be converted; empty when it can.
  QString problem;
  /// How configurations not named exactly "Debug" or "Release" were taken.
  QStringList notes;
};

/// Reads the settings. A project without a "project" element, with several, or
/// without any named configuration gets a problem with the message of the
/// importer that stopped on it ("no project element found", ...).
CdtSettings readCdtSettings(const DomDocument& cproject);

/// The kind from what CDT records: the configuration's "buildArtefactType"
/// (also inside "buildProperties"), else the project type id of the "project"
/// element, else its name ("Executable", "Static Library", "Shared Library").
ProjectKind projectKind(const DomElement& configuration, const DomElement& typeElement);
