#include "foreign/foreign_path.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

#include "support/directory_listing.h"

namespace {

const QChar separator = QLatin1Char('/');

// "$NAME$" at the start of text names a directory of variables: text loses it
// (and the separators after it) and base becomes that directory.
void replaceLeadingVariable(QString& text, QString& base, const ForeignPathResolver::Variables& variables) {
  if (!text.startsWith(QLatin1Char('$'))) return;
  const qsizetype end = text.indexOf(QLatin1Char('$'), 1);
  if (end < 0) return;
  const auto directory = variables.constFind(text.mid(1, end - 1));
  if (directory == variables.constEnd()) return;
  base = *directory;
  qsizetype rest = end + 1;
  while (rest < text.size() && text[rest] == separator) ++rest;
  text = text.mid(rest);
}

}  // namespace

ResolvedPath ForeignPathResolver::resolve(const QString& text, const QString& baseDirectory,
                                          const Variables& variables) {
  QString relative = text;
  relative.replace(QLatin1Char('\\'), separator);
  QString base = baseDirectory;
  replaceLeadingVariable(relative, base, variables);
  ResolvedPath resolved;
  resolved.relative = respell(relative, base, &resolved.exists);
  resolved.path = resolved.relative.startsWith(separator) ? resolved.relative : joinPath(base, resolved.relative);
  return resolved;
}

QString ForeignPathResolver::respell(const QString& text, const QString& baseDirectory, bool* exists) {
  QString relative = text;
  relative.replace(QLatin1Char('\\'), separator);
  const bool absolute = relative.startsWith(separator);
  // The files of a project share a few directories: each directory part is
  // walked once, and only the last component is looked up per path.
  const qsizetype slash = relative.lastIndexOf(separator);
  const QStringView directoryPart = slash < 0 ? QStringView() : QStringView(relative).left(slash);
  const Walk& directory = walk(absolute ? QStringLiteral("/") : baseDirectory, directoryPart);
  const QStringView name = QStringView(relative).mid(slash + 1);
  QString nameOnDisk;
  bool found = directory.found;
  if (found && !name.isEmpty() && name != QLatin1String(".") && name != QLatin1String("..")) {
    nameOnDisk = findComponent(directory.directory, name.toString());
    found = !nameOnDisk.isEmpty();
  }
  if (exists) *exists = found;
  if (directory.text == directoryPart && (nameOnDisk.isEmpty() || nameOnDisk == name))
    return relative;  // spelled as on disk already (or not found)
  const QString spelledName = nameOnDisk.isEmpty() ? name.toString() : nameOnDisk;
  return slash < 0 ? spelledName : directory.text + separator + spelledName;
}

const ForeignPathResolver::Walk& ForeignPathResolver::walk(const QString& start, QStringView text) {
  // Consecutive paths mostly lie in the same directory.
  if (lastWalk_ && lastWalk_->start == start && lastWalk_->source == text) return *lastWalk_;
  WalksByText& walks = walks_[start];
  const auto known = walks.find(text);
  if (known != walks.end()) return *(lastWalk_ = &known->second);
  QStringList components = text.toString().split(separator);
  Walk result{QString(), start, true, start, text.toString()};
  for (QString& component : components) {
    if (component.isEmpty() || component == QLatin1String(".")) continue;
    if (component != QLatin1String("..")) {
      const QString onDisk = findComponent(result.directory, component);
      if (onDisk.isEmpty()) {
        result.found = false;
        break;  // the rest cannot be looked up; it stays as written
      }
      component = onDisk;
    }
    result.directory = joinPath(result.directory, component);
  }
  result.text = components.join(separator);
  return *(lastWalk_ = &walks.emplace(result.source, std::move(result)).first->second);
}

QString ForeignPathResolver::findComponent(const QString& directory, const QString& component) {
  Listing& entries = listing(directory);
  if (entries.names.contains(component)) return component;
  if (!entries.readable) {
    // A directory that can be entered but not listed: only the exact name can be tried.
    return QFileInfo::exists(joinPath(directory, component)) ? component : QString();
  }
  if (!entries.byFoldedName) {
    QHash<QString, QString>& byFoldedName = entries.byFoldedName.emplace();
    for (const QString& name : entries.names) {
      const QString folded = name.toCaseFolded();
      const auto existing = byFoldedName.constFind(folded);
      byFoldedName.insert(folded, existing == byFoldedName.constEnd() ? name : QString());
    }
  }
  return entries.byFoldedName->value(component.toCaseFolded());
}

ForeignPathResolver::Listing& ForeignPathResolver::listing(const QString& directory) {
  const auto known = listings_.constFind(directory);
  if (known != listings_.constEnd()) return **known;
  const std::optional<FileIdentity> identity = directoryIdentity(directory);
  if (identity) {
    if (Listing* same = listingsByIdentity_.value(*identity)) return **listings_.insert(directory, same);
  }
  Listing entries;
  const std::optional<QStringList> names = directoryNames(directory);
  entries.readable = names.has_value();
  if (names) entries.names = QSet<QString>(names->cbegin(), names->cend());
  Listing* stored = &listingStore_.emplace_back(std::move(entries));
  if (identity) listingsByIdentity_.insert(*identity, stored);
  return **listings_.insert(directory, stored);
}

QString toForwardSlashes(const QString& path) {
  QString converted = path;
  converted.replace(QLatin1Char('\\'), separator);
  if (converted.endsWith(separator)) converted.chop(1);
  return converted;
}

QString joinPath(const QString& directory, const QString& path) {
  if (path.isEmpty()) return directory;
  if (path.startsWith(separator) || directory.isEmpty() || directory == QLatin1String(".")) return path;
  return directory.endsWith(separator) ? directory + path : directory + separator + path;
}

bool isAbsoluteForeignPath(const QString& path) {
  if (path.startsWith(separator) || path.startsWith(QLatin1Char('\\'))) return true;
  return path.size() >= 3 && path[0].isLetter() && path[1] == QLatin1Char(':') &&
         (path[2] == separator || path[2] == QLatin1Char('\\'));
}
