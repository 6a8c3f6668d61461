#pragma once
// The solution properties a configuration's settings become: the one table of
// which setting goes to which property and which source values have a choice
// there. A value without an equivalent is reported, never guessed.

#include <QList>
#include <QPair>
#include <QString>

#include "readers/common/project_record.h"

struct MappingOptions;

/// Property values in the order they are written.
using PropertyValues = QList<QPair<QString, QString>>;

/// What one configuration's settings give the solution.
struct ConfigurationProperties {
  PropertyValues values;
  /// Settings with no property, or no choice for their value.
  QList<NotCarried> notCarried;
};

/// The properties of a configuration of a project of kind. commandLine, when
/// given, adds its definitions and include directories to the compiler's and
/// filters the definitions. A library is not linked: its linker settings and
/// memory are not written.
ConfigurationProperties configurationProperties(const SourceConfiguration& configuration, ProjectKind kind,
                                                const MappingOptions* commandLine);

/// The properties of settings a file or folder has of its own.
ConfigurationProperties compileProperties(const CompileSettings& settings);

/// What an item's settings add to those of its project's configuration: the
/// entries of its lists the project's lack, and the values that differ. An
/// entry of the project's lists that the item leaves out cannot be taken away
/// from it in the solution (lists accumulate), so it is reported as itemName's.
CompileSettings itemDifference(const CompileSettings& item, const CompileSettings& project, const QString& itemName,
                               QList<NotCarried>& notCarried);

/// The GNU ld scripts the configuration links with (none for a library).
QString gnuLinkerScript(const SourceConfiguration& configuration, ProjectKind kind);
