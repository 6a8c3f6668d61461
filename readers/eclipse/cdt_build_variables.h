#pragma once
// The build variables a CDT configuration defines for itself
// ("<macros><stringMacro name="MCULIB" value="../../McuLib"/>", also
// "stringListMacro" with "<value name="..."/>" items), and their expansion in
// the configuration's option values, as CDT expands them before it builds.

#include <QHash>
#include <QString>
#include <QStringList>

#include "foreign/foreign_document.h"

/// The build variables of one configuration.
class CdtBuildVariables {
 public:
  CdtBuildVariables() = default;
  /// Reads the "macros" of the configuration's "cconfiguration" element.
  explicit CdtBuildVariables(const DomElement& cconfiguration);

  /// text with each "${NAME}" of a variable defined here replaced by its value,
  /// the values of a list variable joined with " "; variables may be defined
  /// through others. Variables defined elsewhere (the IDE's) stay as written.
  QString expand(const QString& text) const;
  /// The entries a list option's entry stands for: an entry that is just a
  /// list variable ("${LIBS}") is one entry per item, any other one entry.
  QStringList expandEntry(const QString& entry) const;

 private:
  QString expand(const QString& text, int depth) const;

  QHash<QString, QStringList> values_;
};
