#include "foreign/foreign_path.h"

#include <emmintrin.h>

#include <QDir>
#include <QFileInfo>
#include <QStringList>
#include <algorithm>
#include <bit>
#include <cstring>

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

// text with every "\\" turned into "/"; shared, not copied, when it has none.
QString withForwardSlashes(const QString& text) {
  if (std::find(text.cbegin(), text.cend(), QLatin1Char('\\')) == text.cend()) return text;
  QString converted = text;
  converted.replace(QLatin1Char('\\'), separator);
  return converted;
}

bool isSeparator(QChar c) { return c == separator || c == QLatin1Char('\\'); }

bool isDotOrDotDot(QStringView name) {
  return (name.size() == 1 || name.size() == 2) && name[0] == QLatin1Char('.') && name.back() == QLatin1Char('.');
}

// Equal texts, found at once where both share their characters (a base
// directory handed on from path to path).
bool sameText(QStringView a, QStringView b) {
  return a.size() == b.size() &&
         (a.data() == b.data() || std::memcmp(a.data(), b.data(), size_t(a.size()) * sizeof(QChar)) == 0);
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

// The common case (a directory walked just before, a name spelled as on disk)
// runs on every file entry of a project: it takes a few comparisons and one hash
// lookup, and copies nothing. The last walk's directory text holds no "\\", so a
// path that matches it needs no converting.
QString ForeignPathResolver::respell(const QString& text, const QString& baseDirectory, bool* exists) {
  const qsizetype slash = lastSeparator(text);  // the same after converting: one character for one
  static const QString root = QStringLiteral("/");
  const QString& start = !text.isEmpty() && isSeparator(text.front()) ? root : baseDirectory;
  const auto directoryPart = [slash](const QString& path) {
    return slash < 0 ? QStringView() : QStringView(path).left(slash);
  };
  if (lastWalk_ && sameText(lastWalk_->start, start) && sameText(lastWalk_->source, directoryPart(text)))
    return respellName(*lastWalk_, text, slash, exists);
  const QString relative = withForwardSlashes(text);
  return respellName(walk(start, directoryPart(relative)), relative, slash, exists);
}

QString ForeignPathResolver::respellName(Walk& directory, const QString& relative, qsizetype slash, bool* exists) {
  const QStringView name = QStringView(relative).mid(slash + 1);
  QString nameOnDisk;
  bool found = directory.found;
  if (found && !name.isEmpty() && !isDotOrDotDot(name)) {
    if (!directory.listing) directory.listing = &listing(directory.directory);
    const Listing& entries = *directory.listing;
    if (!entries.names || !entries.names->contains(name)) {  // else spelled as on disk
      nameOnDisk = findComponent(*directory.listing, directory.directory, name);
      found = !nameOnDisk.isEmpty();
    }
  }
  if (exists) *exists = found;
  if (directory.spelledAsWritten && (nameOnDisk.isEmpty() || nameOnDisk == name))
    return relative;  // spelled as on disk already (or not found)
  const QString spelledName = nameOnDisk.isEmpty() ? name.toString() : nameOnDisk;
  return slash < 0 ? spelledName : directory.text + separator + spelledName;
}

ForeignPathResolver::Walk& ForeignPathResolver::walk(const QString& start, QStringView text) {
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
  result.spelledAsWritten = result.text == result.source;
  return *(lastWalk_ = &walks.emplace(result.source, std::move(result)).first->second);
}

QString ForeignPathResolver::findComponent(const QString& directory, QStringView component) {
  return findComponent(listing(directory), directory, component);
}

QString ForeignPathResolver::findComponent(Listing& entries, const QString& directory, QStringView component) {
  if (!entries.names) {
    // A directory that can be entered but not listed: only the exact name can be tried.
    return QFileInfo::exists(joinPath(directory, component.toString())) ? component.toString() : QString();
  }
  if (entries.names->contains(component)) return component.toString();
  if (!entries.byFoldedName) {
    QHash<QString, QString>& byFoldedName = entries.byFoldedName.emplace();
    for (qsizetype i = 0; i < entries.names->size(); ++i) {
      const QString name = QString::fromUtf8(entries.names->at(i));
      const QString folded = name.toCaseFolded();
      const auto existing = byFoldedName.constFind(folded);
      byFoldedName.insert(folded, existing == byFoldedName.constEnd() ? name : QString());
    }
  }
  return entries.byFoldedName->value(component.toString().toCaseFolded());
}

ForeignPathResolver::Listing& ForeignPathResolver::listing(const QString& directory) {
  const auto known = listings_.constFind(directory);
  if (known != listings_.constEnd()) return **known;
  // Opening the directory gives its identity too: a directory reached by another
  // spelling (a link, "..") shares the listing already read. One that cannot be
  // opened has no names, however it is reached.
  const Directory opened(directory);
  if (!opened.isOpen()) return **listings_.insert(directory, &listingStore_.emplace_back(Listing{}));
  const FileIdentity identity(opened.device(), opened.inode());
  if (Listing* same = listingsByIdentity_.value(identity)) return **listings_.insert(directory, same);
  Listing* stored = &listingStore_.emplace_back(Listing{opened.names(), std::nullopt});
  listedNames_ += stored->names->size();
  listingsByIdentity_.insert(identity, stored);
  return **listings_.insert(directory, stored);
}

// Copies only when something changes, in one pass: it runs on every path read.
QString toForwardSlashes(const QString& path) {
  const bool trailing = path.endsWith(separator) || path.endsWith(QLatin1Char('\\'));
  const qsizetype size = trailing ? path.size() - 1 : path.size();
  if (!path.contains(QLatin1Char('\\'))) return trailing ? path.left(size) : path;
  QString converted(size, Qt::Uninitialized);
  const QChar* from = path.constData();
  QChar* to = converted.data();
  for (qsizetype i = 0; i < size; ++i) to[i] = from[i] == QLatin1Char('\\') ? separator : from[i];
  return converted;
}

// Written out rather than QString::replace: it runs on every file entry read.
QString toForwardSlashes(QString&& path) {
  const auto backslash = std::find(path.cbegin(), path.cend(), QLatin1Char('\\'));
  if (backslash != path.cend()) {  // only now made writable: a shared text is copied once
    const qsizetype from = backslash - path.cbegin();
    std::replace(path.begin() + from, path.end(), QChar(u'\\'), separator);
  }
  if (QStringView(path).endsWith(separator)) path.chop(1);
  return path;  // moved (C++20)
}

// Sixteen characters at a time where SSE2 is there (most paths take two steps,
// the last one overlapping the first): it runs on every file entry of a uVision project.
QString toForwardSlashes(QLatin1StringView path) {
  if (path.isNull()) return QString();
  const bool trailing = !path.isEmpty() && (path.back() == separator || path.back() == QLatin1Char('\\'));
  const qsizetype size = trailing ? path.size() - 1 : path.size();
  QString converted(size, Qt::Uninitialized);
  const char* from = path.data();
  char16_t* to = reinterpret_cast<char16_t*>(converted.data());
#if defined(__SSE2__)
  if (size >= 16) {
    const __m128i backslash = _mm_set1_epi8('\\');
    const __m128i toSlash = _mm_set1_epi8('\\' ^ '/');
    for (qsizetype block = 0;; block += 16) {
      const qsizetype start = std::min(block, size - 16);
      __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + start));
      bytes = _mm_xor_si128(bytes, _mm_and_si128(_mm_cmpeq_epi8(bytes, backslash), toSlash));
      _mm_storeu_si128(reinterpret_cast<__m128i*>(to + start), _mm_unpacklo_epi8(bytes, _mm_setzero_si128()));
      _mm_storeu_si128(reinterpret_cast<__m128i*>(to + start + 8), _mm_unpackhi_epi8(bytes, _mm_setzero_si128()));
      if (start == size - 16) return converted;
    }
  }
#endif
  for (qsizetype i = 0; i < size; ++i) to[i] = from[i] == '\\' ? u'/' : char16_t(uchar(from[i]));
  return converted;
}

// Eight characters at a time back from the end where SSE2 is there: a name is seldom shorter.
qsizetype lastSeparator(QStringView text) {
  qsizetype end = text.size();
#if defined(__SSE2__)
  const char16_t* const units = text.utf16();
  const __m128i slash = _mm_set1_epi16('/');
  const __m128i backslash = _mm_set1_epi16('\\');
  for (; end >= 8; end -= 8) {
    const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(units + end - 8));
    const auto separators =
        unsigned(_mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi16(block, slash), _mm_cmpeq_epi16(block, backslash))));
    // Two mask bits a character.
    if (separators != 0) return end - 8 + (std::bit_width(separators) - 1) / 2;
  }
#endif
  while (end > 0 && !isSeparator(text[end - 1])) --end;
  return end - 1;
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
