#pragma once
// The order in which variables defined through one another are resolved, each
// after the variables its definition refers to, so that each is resolved once
// and its value kept. A file may chain as many variables as it holds, so the
// walk keeps its own stack rather than recursing; a variable that refers to
// itself, directly or through others, is found as such rather than cut off at
// some depth.

#include <QSet>
#include <QString>
#include <QStringList>
#include <functional>

/// What resolving one variable takes.
struct ResolutionOrder {
  /// Every variable to resolve, each after those it refers to, the one asked for last.
  QStringList names;
  /// Those among names that are defined through themselves (the variables of a cycle).
  QSet<QString> cyclic;
};

/// The variables still to resolve for name, name included: references(n) gives
/// the variables n's definition refers to that are still to be resolved
/// (defined, and not resolved before), each once.
ResolutionOrder resolutionOrder(const QString& name, const std::function<QStringList(const QString&)>& references);
