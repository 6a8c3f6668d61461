#include "readers/iar/iar_paths.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <cstring>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "foreign/foreign_path.h"
#include "readers/common/windows_path_anchor.h"
#include "readers/iar/iar_argument_variables.h"

namespace {

// Variables that stand for the Embedded Workbench installation.
const char* const installationVariables[] = {"TOOLKIT_DIR", "EW_DIR"};

// The IDE's own argument variables, which no user defines; "$_NAME_$" is the
// environment variable NAME.
const char* const ideVariables[] = {
    "CONFIG_NAME", "CUR_DIR",      "CUR_LINE",     "DATE",       "USER_NAME",    "EXE_DIR",     "OBJ_DIR",   "LIST_DIR",
    "FILE_BNAME",  "FILE_BPATH",   "FILE_DIR",     "FILE_FNAME", "FILE_PATH",    "PROJ_FNAME",  "PROJ_PATH", "WS_FNAME",
    "WS_PATH",     "TARGET_BNAME", "TARGET_BPATH", "TARGET_DIR", "TARGET_FNAME", "TARGET_PATH",
};

bool isOneOf(QStringView name, const auto& names) {
  for (const char* known : names)
    if (name == QLatin1String(known)) return true;
  return false;
}

bool isIdeVariable(const QString& name) {
  return isOneOf(name, ideVariables) ||
         (name.size() > 2 && name.startsWith(QLatin1Char('_')) && name.endsWith(QLatin1Char('_')));
}

const QString onlyTheIdeKnows = QStringLiteral("only Embedded Workbench knows its value");

// Variables defined through one another end after as many levels as their values may nest.
constexpr int mostNestedPaths = 16;

// Whether QDir::cleanPath may change path: it begins with "." or "/", ends
// with "/", or holds a "/" followed by "/" or "." (an empty, "." or ".."
// component needs one of these). Most paths have none, and are left as they are.
bool needsCleaning(QStringView path) {
  if (path.isEmpty() || path.front() == QLatin1Char('.') || path.front() == QLatin1Char('/') ||
      path.back() == QLatin1Char('/'))
    return true;
  const char16_t* const units = path.utf16();
  const qsizetype pairs = path.size() - 1;  // of a character and the one after it
#if defined(__SSE2__)
  // Eight pairs at a time; the last eight may overlap those before them.
  if (pairs >= 8) {
    const __m128i slash = _mm_set1_epi16('/');
    for (qsizetype at = 0;; at = std::min(at + 8, pairs - 8)) {
      const __m128i here = _mm_loadu_si128(reinterpret_cast<const __m128i*>(units + at));
      const __m128i next = _mm_loadu_si128(reinterpret_cast<const __m128i*>(units + at + 1));
      const __m128i slashOrDotNext =
          _mm_or_si128(_mm_cmpeq_epi16(next, slash), _mm_cmpeq_epi16(next, _mm_set1_epi16('.')));
      if (_mm_movemask_epi8(_mm_and_si128(_mm_cmpeq_epi16(here, slash), slashOrDotNext)) != 0) return true;
      if (at == pairs - 8) return false;
    }
  }
#endif
  for (qsizetype i = 0; i < pairs; ++i)
    if (units[i] == u'/' && (units[i + 1] == u'/' || units[i + 1] == u'.')) return true;
  return false;
}

// "" for the directory itself, so that "$(ProjectDir)" gets no "/" after it.
QString cleanRest(QString rest) {
  if (!needsCleaning(rest)) return rest;
  const QString cleaned = QDir::cleanPath(rest);
  return cleaned == QLatin1String(".") ? QString() : cleaned;
}

QString withMacro(const char* macro, const QString& rest) {
  return rest.isEmpty() ? QLatin1String(macro) : QLatin1String(macro) + QLatin1Char('/') + rest;
}

bool isSeparator(QChar c) { return c == QLatin1Char('/') || c == QLatin1Char('\\'); }

// text with every "\" turned into "/", in one allocation; nothing when it holds a "$".
std::optional<QString> forwardSlashedWithoutVariables(QStringView text) {
  QString converted(text.size(), Qt::Uninitialized);
  char16_t* to = reinterpret_cast<char16_t*>(converted.data());
  const char16_t* from = text.utf16();
  const qsizetype size = text.size();
#if defined(__SSE2__)
  // Eight characters at a time; the last eight may overlap those before them.
  if (size >= 8) {
    const __m128i backslash = _mm_set1_epi16('\\');
    const __m128i backslashToSlash = _mm_set1_epi16('\\' ^ '/');
    __m128i dollars = _mm_setzero_si128();
    for (qsizetype at = 0;; at = std::min(at + 8, size - 8)) {
      const __m128i units = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + at));
      const __m128i change = _mm_and_si128(_mm_cmpeq_epi16(units, backslash), backslashToSlash);
      _mm_storeu_si128(reinterpret_cast<__m128i*>(to + at), _mm_xor_si128(units, change));
      dollars = _mm_or_si128(dollars, _mm_cmpeq_epi16(units, _mm_set1_epi16('$')));
      if (at == size - 8) break;
    }
    if (_mm_movemask_epi8(dollars) != 0) return std::nullopt;
    return converted;
  }
#endif
  bool dollar = false;
  for (qsizetype i = 0; i < size; ++i) {
    dollar |= from[i] == u'$';
    to[i] = from[i] == u'\\' ? u'/' : from[i];
  }
  if (dollar) return std::nullopt;
  return converted;
}

// Compared as bytes, without a call, as it runs on every path read.
bool startsWith(QStringView text, std::u16string_view prefix) {
  return size_t(text.size()) >= prefix.size() &&
         std::memcmp(text.utf16(), prefix.data(), prefix.size() * sizeof(char16_t)) == 0;
}

QString absoluteDirectory(const QString& directory) {
  return QFileInfo(directory.isEmpty() ? QStringLiteral(".") : directory).absoluteFilePath();
}

}  // namespace

IarPathConverter::IarPathConverter(ForeignPathResolver& resolver, const QString& projectDirectory,
                                   const QString& workspaceDirectory, const IarArgumentVariables* argumentVariables)
    : resolver_(resolver),
      argumentVariables_(argumentVariables),
      projectDirectory_(projectDirectory),
      workspaceDirectory_(workspaceDirectory) {}

// Made when a path first needs them: most paths do not, and finding the working
// directory costs more than converting a path.
const QString& IarPathConverter::absoluteProjectDirectory() {
  if (absoluteProjectDirectory_.isEmpty()) absoluteProjectDirectory_ = absoluteDirectory(projectDirectory_);
  return absoluteProjectDirectory_;
}

const QString& IarPathConverter::absoluteWorkspaceDirectory() {
  if (absoluteWorkspaceDirectory_.isEmpty()) absoluteWorkspaceDirectory_ = absoluteDirectory(workspaceDirectory_);
  return absoluteWorkspaceDirectory_;
}

// The form nearly every path of a project has, "$PROJ_DIR$\src\main.c" or
// "$WS_DIR$\...", with no other "$" in it: split in one pass over the text, with
// the result the general steps give (one trailing separator dropped, the
// separators after the variable skipped).
std::optional<IarPathConverter::Split> IarPathConverter::splitCommonForm(QStringView text) {
  static constexpr std::u16string_view project(u"$PROJ_DIR$");
  static constexpr std::u16string_view workspace(u"$WS_DIR$");
  const bool inProject = startsWith(text, project);
  if (!inProject && !startsWith(text, workspace)) return std::nullopt;
  qsizetype start = inProject ? project.size() : workspace.size();
  qsizetype end = text.size();
  if (isSeparator(text[end - 1])) --end;
  while (start < end && isSeparator(text[start])) ++start;
  std::optional<QString> rest = forwardSlashedWithoutVariables(text.sliced(start, end - start));
  if (!rest) return std::nullopt;
  return Split{inProject ? Base::Project : Base::Workspace, std::move(*rest)};
}

IarPathConverter::Split IarPathConverter::split(const QString& text, const QString& shown, int depth) {
  if (std::optional<Split> common = splitCommonForm(text)) return std::move(*common);
  const QString forward = toForwardSlashes(text);
  const Base base = isAbsoluteForeignPath(forward) ? Base::Absolute : Base::Project;
  const IarVariableAt leading = findIarVariable(forward);
  if (leading.start < 0) return {base, forward};
  // A variable anywhere else ("$PROJ_DIR$\$CONFIG_NAME$\x") means something only the IDE knows.
  if (leading.start > 0) return leaveOut(forward.mid(leading.start, leading.length), onlyTheIdeKnows, shown);
  if (isOneOf(leading.name, installationVariables)) {
    if (recordsLeftOut_ && !installationPaths_.contains(shown)) installationPaths_.append(shown);
    return {Base::LeftOut, QString()};
  }
  qsizetype restStart = leading.length;
  while (restStart < forward.size() && forward[restStart] == QLatin1Char('/')) ++restStart;
  Base variableBase = Base::Project;
  if (leading.name == QLatin1String("WS_DIR")) {
    variableBase = Base::Workspace;
  } else if (leading.name != QLatin1String("PROJ_DIR")) {
    return argumentVariablePath(forward.left(leading.length), leading.name.toString(), forward.mid(restStart), shown,
                                depth);
  }
  if (const IarVariableAt inner = findIarVariable(forward, restStart); inner.start >= 0)
    return leaveOut(forward.mid(inner.start, inner.length), onlyTheIdeKnows, shown);
  return {variableBase, forward.mid(restStart)};  // a copy of its own size: the solution keeps it
}

// An argument variable's value takes its place; a value that is a Windows path
// is found again on disk, and written relative to the project.
IarPathConverter::Split IarPathConverter::argumentVariablePath(const QString& variable, const QString& name,
                                                               const QString& rest, const QString& shown, int depth) {
  const std::optional<IarVariableValue> value =
      argumentVariables_ && !isIdeVariable(name) ? argumentVariables_->value(name) : std::nullopt;
  if (!value || depth >= mostNestedPaths) {
    QString why = QStringLiteral("no .custom_argvars file or -argvar defines it");
    if (isIdeVariable(name))
      why = onlyTheIdeKnows;
    else if (argumentVariables_ && argumentVariables_->defines(name))
      why = QStringLiteral("its value is empty or defined through itself");
    return leaveOut(variable, why, shown);
  }
  // A value that begins with another variable ("$PROJ_DIR$\..\sdk") is converted
  // as any path; one defined relative to its file stays relative.
  if (!isWindowsAbsolutePath(value->text)) {
    Split path =
        split(toForwardSlashes(value->text) + (rest.isEmpty() ? QString() : QLatin1Char('/') + rest), shown, depth + 1);
    if (path.base == Base::Absolute && value->relative) path.base = Base::Anchored;
    return path;
  }
  if (const IarVariableAt later = findIarVariable(rest); later.start >= 0)
    return leaveOut(rest.mid(later.start, later.length), onlyTheIdeKnows, shown);
  if (const std::optional<QString> found = anchored(name, value->text, rest)) return {Base::Anchored, *found};
  return leaveOut(variable,
                  QStringLiteral("its value ") + value->text +
                      QStringLiteral(" is a Windows path no part of which lies above the project"),
                  shown);
}

// The directory the variable stands for is where the paths that use it lie: the
// first path found there, with all of its rest, places it, and later paths
// follow (so that a file not made yet lies where its directory is).
std::optional<QString> IarPathConverter::anchored(const QString& name, const QString& value, const QString& rest) {
  const auto known = anchors_.constFind(name);
  if (known != anchors_.constEnd()) return QDir::cleanPath(*known + QLatin1Char('/') + rest);
  const QStringList restComponents = rest.split(QLatin1Char('/'), Qt::SkipEmptyParts);
  if (restComponents.contains(QStringLiteral(".."))) return std::nullopt;
  const std::optional<AnchoredPath> found =
      anchorWindowsPath(resolver_, value + QLatin1Char('/') + rest, absoluteProjectDirectory(), restComponents.size());
  if (!found) return std::nullopt;
  QString directory = found->path;
  for (qsizetype step = 0; step < restComponents.size(); ++step) directory = QFileInfo(directory).path();
  anchors_.insert(name, directory);
  return found->path;
}

IarPathConverter::Split IarPathConverter::leaveOut(const QString& variable, const QString& why, const QString& text) {
  if (!recordsLeftOut_) return {Base::LeftOut, QString()};
  auto known = std::find_if(leftOutVariables_.begin(), leftOutVariables_.end(),
                            [&](const LeftOutVariable& left) { return left.variable == variable; });
  if (known == leftOutVariables_.end()) known = leftOutVariables_.insert(known, {variable, why, {}});
  if (!known->paths.contains(text)) known->paths.append(text);
  return {Base::LeftOut, QString()};
}

// Where neither is there (a file generated later, a variable not defined), the
// copy is named, as the IDE names it.
const QString& IarPathConverter::copyOrOriginal(const QString& text) {
  if (!copies_ || copies_->isEmpty()) return text;
  const auto original = copies_->constFind(toForwardSlashes(text));
  if (original == copies_->constEnd() || existsOnDisk(text) || !existsOnDisk(*original)) return text;
  if (!copiesNotMade_.contains(text)) copiesNotMade_.append(text);
  return *original;
}

// Looked at without recording what it would leave out: the path may not be used.
bool IarPathConverter::existsOnDisk(const QString& text) {
  recordsLeftOut_ = false;
  const Split path = split(text, text, 0);
  recordsLeftOut_ = true;
  bool exists = false;
  switch (path.base) {
    case Base::Project:
      resolver_.respell(path.rest, projectDirectory_, &exists);
      break;
    case Base::Workspace:
      resolver_.respell(path.rest, workspaceDirectory_, &exists);
      break;
    case Base::Absolute:
    case Base::Anchored:
      exists = QFileInfo::exists(path.rest);
      break;
    case Base::LeftOut:
      break;
  }
  return exists;
}

std::optional<QString> IarPathConverter::projectRelative(const QString& given) {
  const QString& text = copyOrOriginal(given);
  const Split path = split(text, text, 0);
  switch (path.base) {
    case Base::LeftOut:
      return std::nullopt;
    case Base::Absolute:
      return path.rest;
    case Base::Anchored: {
      const QString relative = QDir(absoluteProjectDirectory()).relativeFilePath(path.rest);
      return relative.isEmpty() ? QStringLiteral(".") : relative;
    }
    case Base::Project: {
      QString rest = cleanRest(resolver_.respell(path.rest, projectDirectory_));
      if (rest.isEmpty()) return QStringLiteral(".");
      return rest;
    }
    case Base::Workspace: {
      // Relative to the project directory, whichever side of it the file lies.
      const QString onDisk = resolver_.respell(path.rest, workspaceDirectory_);
      const QString relative =
          QDir(absoluteProjectDirectory())
              .relativeFilePath(QDir::cleanPath(absoluteWorkspaceDirectory() + QLatin1Char('/') + onDisk));
      return relative.isEmpty() ? QStringLiteral(".") : relative;
    }
  }
  return std::nullopt;
}

std::optional<QString> IarPathConverter::macroBased(const QString& given) {
  const QString& text = copyOrOriginal(given);
  const Split path = split(text, text, 0);
  switch (path.base) {
    case Base::LeftOut:
      return std::nullopt;
    case Base::Absolute:
      return path.rest;
    case Base::Anchored:
      return withMacro("$(ProjectDir)", cleanRest(QDir(absoluteProjectDirectory()).relativeFilePath(path.rest)));
    case Base::Project:
      return withMacro("$(ProjectDir)", cleanRest(resolver_.respell(path.rest, projectDirectory_)));
    case Base::Workspace:
      // The solution is written beside the workspace file, so its directory is "$WS_DIR$".
      return withMacro("$(SolutionDir)", cleanRest(resolver_.respell(path.rest, workspaceDirectory_)));
  }
  return std::nullopt;
}
