#include "importers/common/configuration_choice.h"

namespace {

QString quoted(const QString& name) { return QLatin1Char('\'') + name + QLatin1Char('\''); }

void chooseByNameEnding(const QStringList& names, ConfigurationChoice& choice) {
  for (qsizetype i = 0; i < names.size(); ++i) {
    if (choice.debug < 0 && names[i].endsWith(QLatin1String("debug"), Qt::CaseInsensitive)) choice.debug = i;
    if (choice.release < 0 && names[i].endsWith(QLatin1String("release"), Qt::CaseInsensitive)) choice.release = i;
  }
  if (choice.debug < 0 && choice.release < 0) {
    choice.debug = choice.release = 0;
    choice.notes.append(QStringLiteral("no configuration is named Debug or Release; ") + quoted(names.first()) +
                        QStringLiteral(" is read as both"));
    return;
  }
  if (choice.debug < 0 || choice.release < 0) {
    const qsizetype found = choice.debug < 0 ? choice.release : choice.debug;
    choice.debug = choice.release = found;
    choice.notes.append(QStringLiteral("configuration ") + quoted(names[found]) +
                        QStringLiteral(" is read as Debug and Release"));
    return;
  }
  choice.notes.append(QStringLiteral("configuration ") + quoted(names[choice.debug]) + QStringLiteral(" is read as Debug"));
  choice.notes.append(QStringLiteral("configuration ") + quoted(names[choice.release]) +
                      QStringLiteral(" is read as Release"));
}

}  // namespace

ConfigurationChoice chooseDebugAndRelease(const QStringList& names) {
  ConfigurationChoice choice;
  if (names.isEmpty()) return choice;
  for (qsizetype i = 0; i < names.size(); ++i) {
    if (names[i] == QLatin1String("Debug")) choice.debug = i;
    if (names[i] == QLatin1String("Release")) choice.release = i;
  }
  if (choice.debug < 0 && choice.release < 0) chooseByNameEnding(names, choice);
  if (choice.debug < 0) choice.debug = choice.release;
  if (choice.release < 0) choice.release = choice.debug;
  return choice;
}
