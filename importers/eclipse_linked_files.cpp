#include "importers/eclipse_linked_files.h"

#include <QList>
#include <QRegularExpression>
#include <algorithm>

#include "importers/import_settings.h"
#include "importers/xml_loading.h"
#include "projectsystem/project_system.h"

namespace {

// A path cannot have more components than this (PATH_MAX is 4096 bytes), so
// more "../" steps than this all end at the root anyway; the cap keeps an
// absurd count in a file from exhausting memory.
constexpr qulonglong maximumParentSteps = 2048;

// "PARENT-" and "-PROJECT_LOC/" around the digits.
constexpr qsizetype parentPrefixLengthWithoutDigits = 20;

qsizetype parentSteps(const QString& digits) {
  bool valid = false;
  const qulonglong steps = digits.toULongLong(&valid);
  return static_cast<qsizetype>(valid ? std::min(steps, maximumParentSteps) : maximumParentSteps);
}

QString lastPathComponent(const QString& path) { return path.mid(path.lastIndexOf(QLatin1Char('/')) + 1); }

}  // namespace

QString linkedFilePath(const QString& location) {
  // Kept as written on purpose: "C*" also accepts "PROJECT_LO", and the length
  // removed depends only on the digits, not on what matched.
  static const QRegularExpression parentLocation(QStringLiteral("PARENT-(\\d+)-PROJECT_LOC*"));
  const QRegularExpressionMatch match = parentLocation.match(location);
  if (!match.hasMatch() || match.capturedStart() != 0) return location;
  const QString digits = match.captured(1);
  return QStringLiteral("../").repeated(parentSteps(digits)) +
         location.mid(digits.size() + parentPrefixLengthWithoutDigits);
}

void addLinkedFiles(ProjectSystem& projectSystem, ProjectElement* folder, const DomDocument& projectDescription) {
  const QList<DomElement> resources = descendantElements(projectDescription, QStringLiteral("linkedResources"));
  if (resources.isEmpty()) return;
  for (const DomElement& link : descendantElements(resources.first(), QStringLiteral("link"))) {
    const QString location = childElementText(link, QStringLiteral("locationURI"));
    if (location == QLatin1String("virtual:/virtual")) continue;
    const QString path = linkedFilePath(location);
    if (!matchesFileFilter(lastPathComponent(path))) projectSystem.addFile(folder, path);
  }
}
