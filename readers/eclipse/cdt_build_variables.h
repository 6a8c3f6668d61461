#pragma once
// The build variables a CDT configuration defines for itself
// ("<macros><stringMacro name="MCULIB" value="../../McuLib"/>", also
// "stringListMacro" with "<value name="..."/>" items), and their expansion in
// the configuration's option values, as CDT expands them before it builds.
//
// Variables may be defined through one another. Each is resolved once, after
// those it refers to, and its value kept; one defined through itself (directly
// or through others) cannot be resolved, nor can one whose value would grow by
// more than maximumExpansionGrowth, nor any once the conversion's budget of
// added characters is spent. Such a variable is left as written ("${A}"), and the
// reason is kept for a warning.

#include <QHash>
#include <QString>
#include <QStringList>
#include <optional>

#include "foreign/foreign_document.h"
#include "readers/common/work_budget.h"

/// The most characters expansion may add to one value (of a variable or an
/// option): twice the longest command line Windows runs, so no real build
/// could use a value grown longer.
inline constexpr qsizetype maximumExpansionGrowth = 65536;

/// The build variables of one configuration.
class CdtBuildVariables {
 public:
  CdtBuildVariables() = default;
  /// Reads the "macros" of the configuration's "cconfiguration" element; what
  /// expansions add is taken from added.
  CdtBuildVariables(const ForeignElement& cconfiguration, WorkBudget& added);

  /// text with each "${NAME}" of a variable defined here replaced by its value,
  /// the values of a list variable joined with " ". Variables defined elsewhere
  /// (the IDE's) and those that cannot be resolved stay as written; so does the
  /// whole text when it would grow by more than maximumExpansionGrowth.
  QString expand(const QString& text) const;
  /// The entries a list option's entry stands for: an entry that is just a
  /// list variable ("${LIBS}") is one entry per item, any other one entry.
  QStringList expandEntry(const QString& entry) const;
  /// Why variables or texts were left as written, one line each.
  const QStringList& problems() const { return problems_; }

 private:
  /// The value of the variable named, resolved on first use; nothing when it
  /// is not defined here or is left as written.
  const QStringList* value(const QString& name) const;
  void resolve(const QString& name) const;
  QStringList pendingReferences(const QString& text) const;
  std::optional<QString> substitute(const QString& text, qsizetype longest) const;
  void leave(const QString& name, const QString& why) const;

  QHash<QString, QStringList> definitions_;
  mutable QHash<QString, std::optional<QStringList>> values_;  // resolved; nothing: left as written
  mutable QStringList problems_;
  WorkBudget* added_ = nullptr;
};
