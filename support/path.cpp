#include "support/path.h"

#include <QDir>
#include <QFileInfo>
#include <QVarLengthArray>

namespace {

const QChar separator = QLatin1Char('/');

bool isDot(QStringView part) { return part == QLatin1String("."); }
bool isDotDot(QStringView part) { return part == QLatin1String(".."); }

// True when some part would be dropped or merged, so the common case (an already
// clean path) is kept as it is, without a copy.
bool needsCleaning(const QString& text) {
  qsizetype start = text.startsWith(separator) ? 1 : 0;
  if (start == 1 && text.size() == 1) return false;
  while (start <= text.size()) {
    qsizetype end = text.indexOf(separator, start);
    if (end < 0) end = text.size();
    const QStringView part = QStringView(text).mid(start, end - start);
    if (part.isEmpty() || isDot(part) || isDotDot(part)) return true;
    start = end + 1;
  }
  return false;
}

}  // namespace

Path::Path(const QString& text) : path_(clean(text)) {}

QString Path::clean(const QString& text) {
  if (!needsCleaning(text)) return text;
  const bool absolute = text.startsWith(separator);
  QVarLengthArray<QStringView, 32> parts;
  for (const QStringView part : QStringView(text).tokenize(separator, Qt::SkipEmptyParts)) {
    if (isDot(part)) continue;
    if (isDotDot(part) && !parts.isEmpty() && !isDotDot(parts.back())) {
      parts.pop_back();
      continue;
    }
    parts.append(part);
  }
  QString result;
  if (absolute) result += separator;
  for (qsizetype i = 0; i < parts.size(); ++i) {
    if (i > 0) result += separator;
    result += parts[i];
  }
  return result;
}

QString Path::absoluteFilePath() const {
  if (path_.isEmpty() || isAbsolute()) return path_;
  return clean(QDir::currentPath() + separator + path_);
}

static QString directoryOf(const QString& path) {
  const qsizetype last = path.lastIndexOf(separator);
  if (last < 0) return QString();
  if (last == 0) return QString(separator);
  return path.left(last);
}

QString Path::directory() const { return directoryOf(path_); }

QString Path::absoluteDirectory() const { return directoryOf(absoluteFilePath()); }

QString Path::fileName() const { return path_.mid(path_.lastIndexOf(separator) + 1); }

QString Path::baseName() const {
  const QString name = fileName();
  const qsizetype dot = name.indexOf(QLatin1Char('.'));
  return dot < 0 ? name : name.left(dot);
}

QString Path::completeBaseName() const {
  const QString name = fileName();
  const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
  return dot < 0 ? name : name.left(dot);
}

QString Path::completeSuffix() const {
  const QString name = fileName();
  const qsizetype dot = name.indexOf(QLatin1Char('.'));
  return dot < 0 ? QString() : name.mid(dot + 1);
}

QString Path::suffix() const {
  const QString name = fileName();
  const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
  return dot < 0 ? QString() : name.mid(dot + 1);
}

QDateTime Path::lastModified() const { return QFileInfo(absoluteFilePath()).lastModified(); }

QString displayPath(const QString& path) { return path.isEmpty() ? path : QDir::cleanPath(path); }

namespace {

// An empty path (also one that cleans to empty, such as ".") stands for the working directory.
QStringList absoluteComponents(const QString& path) {
  const Path cleaned(path);
  const QString absolute = cleaned.isEmpty() ? QDir::currentPath() : cleaned.absoluteFilePath();
  return absolute.split(QLatin1Char('/'), Qt::SkipEmptyParts);
}

}  // namespace

std::optional<QString> relativePath(const QString& base, const QString& path) {
  if (path == QLatin1String(".")) return QStringLiteral("");
  const QStringList baseParts = absoluteComponents(base);
  const QStringList pathParts = absoluteComponents(path);
  const qsizetype shorter = std::min(baseParts.size(), pathParts.size());
  qsizetype common = 0;
  while (common < shorter && baseParts[common] == pathParts[common]) ++common;
  // Paths that share not even their first component (another root) stay absolute.
  // When one of them is the root itself there is nothing to compare, and the
  // relative path is built from the root.
  if (common == 0 && shorter > 0) return std::nullopt;
  QString relative;
  for (qsizetype i = common; i < baseParts.size(); ++i) relative += QLatin1String("../");
  for (qsizetype i = common; i < pathParts.size(); ++i) relative += pathParts[i] + QLatin1Char('/');
  relative.chop(1);
  return relative.isNull() ? QStringLiteral("") : relative;
}
