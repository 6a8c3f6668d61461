#include "readers/common/resolution_order.h"

#include <QHash>
#include <algorithm>
#include <vector>

// Tarjan's strongly connected components, walked with explicit stacks: the
// variables of one component refer to one another in a ring; a variable alone
// in its component is cyclic only when it refers to itself. Every variable and
// reference is looked at once.
ResolutionOrder resolutionOrder(const QString& name, const std::function<QStringList(const QString&)>& references) {
  struct Mark {
    qsizetype index;
    qsizetype lowest;  // the lowest index reachable through the variables still open
    bool open = true;
  };
  struct Visit {
    QString name;
    QStringList references;
    qsizetype next = 0;
  };
  ResolutionOrder order;
  QHash<QString, Mark> marks;
  QStringList open;  // the variables of components not yet closed, in visiting order
  std::vector<Visit> walk;
  const auto enter = [&](const QString& variable) {
    marks.insert(variable, {marks.size(), marks.size()});
    open.append(variable);
    walk.push_back({variable, references(variable)});
  };
  enter(name);
  while (!walk.empty()) {
    Visit& visit = walk.back();
    Mark& mark = marks[visit.name];
    if (visit.next < visit.references.size()) {
      const QString reference = visit.references[visit.next++];
      const auto known = marks.constFind(reference);
      if (known == marks.constEnd()) {
        enter(reference);
      } else if (known->open) {
        mark.lowest = std::min(mark.lowest, known->index);
        if (reference == visit.name) order.cyclic.insert(reference);
      }
      continue;
    }
    order.names.append(visit.name);
    if (mark.lowest == mark.index) {
      const qsizetype first = open.lastIndexOf(visit.name);
      for (qsizetype i = first; i < open.size(); ++i) {
        marks[open[i]].open = false;
        if (open.size() - first > 1) order.cyclic.insert(open[i]);
      }
      open.resize(first);
    }
    const qsizetype lowest = mark.lowest;
    walk.pop_back();
    if (!walk.empty()) {
      Mark& parent = marks[walk.back().name];
      parent.lowest = std::min(parent.lowest, lowest);
    }
  }
  return order;
}
