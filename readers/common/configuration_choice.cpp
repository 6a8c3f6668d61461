#include "readers/common/configuration_choice.h"

namespace {

QString quoted(const QString& name) { return QLatin1Char('\'') + name + QLatin1Char('\''); }

// The last configuration named exactly word (a later one of the same name
// wins), else the first whose name contains it in any case; -1 for none.
qsizetype findByName(const QStringList& names, QLatin1String word, qsizetype skip = -1) {
  const qsizetype exact = names.lastIndexOf(word);
  if (exact >= 0) return exact;
  for (qsizetype i = 0; i < names.size(); ++i)
    if (i != skip && names[i].contains(word, Qt::CaseInsensitive)) return i;
  return -1;
}

QStringList notesOn(const QStringList& names, const ConfigurationChoice& choice) {
  const QString& debug = names[choice.debug];
  const QString& release = names[choice.release];
  if (choice.debug == choice.release) {
    if (debug == QLatin1String("Debug") || debug == QLatin1String("Release")) return {};
    if (!debug.contains(QLatin1String("debug"), Qt::CaseInsensitive) &&
        !debug.contains(QLatin1String("release"), Qt::CaseInsensitive))
      return {QStringLiteral("no configuration is named Debug or Release; ") + quoted(debug) +
              QStringLiteral(" is read as both")};
    return {QStringLiteral("configuration ") + quoted(debug) + QStringLiteral(" is read as Debug and Release")};
  }
  QStringList notes;
  if (debug != QLatin1String("Debug"))
    notes.append(QStringLiteral("configuration ") + quoted(debug) + QStringLiteral(" is read as Debug"));
  if (release != QLatin1String("Release"))
    notes.append(QStringLiteral("configuration ") + quoted(release) + QStringLiteral(" is read as Release"));
  return notes;
}

// "named Debug" or "name contains debug", for a configuration found by its name.
QString nameReason(const QString& name, const char* word) {
  return name == QLatin1String(word) ? QStringLiteral("named ") + QLatin1String(word)
                                     : QStringLiteral("name contains ") + QString::fromLatin1(word).toLower();
}

}  // namespace

ConfigurationChoice chooseDebugAndRelease(const QStringList& names) {
  ConfigurationChoice choice;
  if (names.isEmpty()) return choice;
  const qsizetype release = findByName(names, QLatin1String("Release"));
  qsizetype debug = findByName(names, QLatin1String("Debug"), release);
  const bool debugByName = debug >= 0;
  if (debug < 0) debug = release == 0 && names.size() > 1 ? 1 : 0;
  choice.debug = debug;
  choice.release = release < 0 ? debug : release;
  const QString both = QStringLiteral("read as both");
  choice.debugReason = debugByName        ? nameReason(names[debug], "Debug")
                       : debug == release ? both
                                          : QStringLiteral("first configuration");
  choice.releaseReason = release >= 0 ? nameReason(names[release], "Release") : both;
  // A name met twice is one configuration of the solution: the first counts.
  QStringList taken{names[choice.debug], names[choice.release]};
  for (qsizetype i = 0; i < names.size(); ++i) {
    if (taken.contains(names[i])) continue;
    taken.append(names[i]);
    choice.others.append(i);
  }
  choice.notes = notesOn(names, choice);
  return choice;
}
