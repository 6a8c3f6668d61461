#include "readers/eclipse/cdt_build_variables.h"

#include <QSet>
#include <algorithm>
#include <functional>

#include "foreign/foreign_files.h"
#include "readers/common/resolution_order.h"

namespace {

const QString variableStart = QStringLiteral("${");

/// Calls found(start, end, name) for each "${NAME}" of text in order; end is
/// the index of its "}".
void forEachReference(const QString& text, const std::function<void(qsizetype, qsizetype, const QString&)>& found) {
  for (qsizetype start = text.indexOf(variableStart); start >= 0; start = text.indexOf(variableStart, start)) {
    const qsizetype end = text.indexOf(QLatin1Char('}'), start);
    if (end < 0) return;
    found(start, end, text.mid(start + 2, end - start - 2));
    start = end + 1;
  }
}

}  // namespace

CdtBuildVariables::CdtBuildVariables(const ForeignElement& cconfiguration, WorkBudget& added) : added_(&added) {
  for (const ForeignElement& macros : descendantsNamed(cconfiguration, QStringLiteral("macros"))) {
    for (const ForeignElement& macro : childrenNamed(macros, QStringLiteral("stringMacro")))
      definitions_.insert(macro.attribute(QStringLiteral("name")), {macro.attribute(QStringLiteral("value"))});
    for (const ForeignElement& macro : childrenNamed(macros, QStringLiteral("stringListMacro"))) {
      QStringList items;
      for (const ForeignElement& item : childrenNamed(macro, QStringLiteral("value")))
        items.append(item.attribute(QStringLiteral("name")));
      definitions_.insert(macro.attribute(QStringLiteral("name")), items);
    }
  }
  definitions_.remove(QString());
}

QString CdtBuildVariables::expand(const QString& text) const {
  if (definitions_.isEmpty() || !text.contains(variableStart)) return text;
  for (const QString& name : pendingReferences(text)) resolve(name);
  const std::optional<QString> expanded = substitute(text, text.size() + maximumExpansionGrowth);
  if (!expanded) {
    problems_.append(QStringLiteral("a value would grow by more than %1 characters with its build variables "
                                    "expanded; it is left as written")
                         .arg(maximumExpansionGrowth));
    return text;
  }
  if (!added_->take(std::max<qsizetype>(expanded->size() - text.size(), 0))) {
    problems_.append(QStringLiteral("build variables add more than %1 characters to the workspace's files; the rest "
                                    "are left as written")
                         .arg(added_->most()));
    return text;
  }
  return *expanded;
}

QStringList CdtBuildVariables::expandEntry(const QString& entry) const {
  if (entry.startsWith(variableStart) && entry.indexOf(QLatin1Char('}')) == entry.size() - 1) {
    const QString name = entry.mid(2, entry.size() - 3);
    const auto definition = definitions_.constFind(name);
    if (definition != definitions_.constEnd() && definition->size() != 1) {
      const QStringList* items = value(name);
      return items ? *items : QStringList{entry};
    }
  }
  return {expand(entry)};
}

const QStringList* CdtBuildVariables::value(const QString& name) const {
  if (!definitions_.contains(name)) return nullptr;
  resolve(name);
  const std::optional<QStringList>& resolved = *values_.constFind(name);
  return resolved ? &*resolved : nullptr;
}

// name and what it needs, each after those it refers to, so that substitute()
// finds every value it needs already resolved or left.
void CdtBuildVariables::resolve(const QString& name) const {
  if (values_.contains(name)) return;  // resolved or left since it was found pending
  // Each item is expanded on its own, so references are found item by item.
  const ResolutionOrder order = resolutionOrder(name, [this](const QString& variable) {
    QStringList names;
    for (const QString& item : definitions_.value(variable)) names += pendingReferences(item);
    names.removeDuplicates();
    return names;
  });
  for (const QString& variable : order.names) {
    if (order.cyclic.contains(variable)) {
      leave(variable, QStringLiteral(" is defined through itself"));
      continue;
    }
    const QStringList& definition = definitions_[variable];
    QStringList items;
    qsizetype growth = 0;
    for (const QString& item : definition) {
      const std::optional<QString> expanded = substitute(item, item.size() + maximumExpansionGrowth - growth);
      if (!expanded) break;
      items.append(*expanded);
      growth += expanded->size() - item.size();
    }
    if (items.size() < definition.size()) {
      leave(variable, QStringLiteral(" would grow by more than %1 characters").arg(maximumExpansionGrowth));
    } else if (!added_->take(std::max<qsizetype>(growth, 0))) {
      leave(variable, QStringLiteral(" would add more than the %1 characters build variables may add to the "
                                     "workspace's files")
                          .arg(added_->most()));
    } else {
      values_.insert(variable, items);
    }
  }
}

// The variables text refers to that are defined here and not yet resolved, each once.
QStringList CdtBuildVariables::pendingReferences(const QString& text) const {
  QStringList names;
  QSet<QString> met;
  forEachReference(text, [&](qsizetype, qsizetype, const QString& name) {
    if (definitions_.contains(name) && !values_.contains(name) && !met.contains(name)) {
      met.insert(name);
      names.append(name);
    }
  });
  return names;
}

// text with the values of the variables it refers to, which are all resolved or
// left; nothing when the result would be longer than longest.
std::optional<QString> CdtBuildVariables::substitute(const QString& text, qsizetype longest) const {
  QString result;
  qsizetype done = 0;
  bool tooLong = false;
  forEachReference(text, [&](qsizetype start, qsizetype end, const QString& name) {
    const auto value = values_.constFind(name);
    if (tooLong || value == values_.constEnd() || !*value) return;
    const QString joined = (*value)->join(QLatin1Char(' '));
    tooLong = result.size() + (start - done) + joined.size() > longest;
    if (tooLong) return;
    result += QStringView(text).sliced(done, start - done);
    result += joined;
    done = end + 1;
  });
  if (tooLong || result.size() + (text.size() - done) > longest) return std::nullopt;
  return result + text.mid(done);
}

void CdtBuildVariables::leave(const QString& name, const QString& why) const {
  values_.insert(name, std::nullopt);
  problems_.append(QStringLiteral("build variable ") + name + why + QStringLiteral("; ${") + name +
                   QStringLiteral("} is left as written"));
}
