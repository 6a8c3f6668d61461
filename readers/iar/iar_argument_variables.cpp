#include "readers/iar/iar_argument_variables.h"

#include <QDir>
#include <QFileInfo>

#include "foreign/foreign_files.h"
#include "foreign/foreign_path.h"
#include "foreign/solution_naming.h"
#include "readers/common/conversion_context.h"
#include "readers/common/windows_path_anchor.h"

namespace {

const DocumentKind argumentVariablesFile{"iarUserArgVars", "an IAR argument variables file"};

// Deeper definitions through one another are a cycle.
constexpr int mostNestedVariables = 16;

bool isIdentifierCharacter(QChar c, bool first) {
  const char16_t u = c.unicode();
  return (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z') || u == '_' || (!first && u >= '0' && u <= '9');
}

ForeignDocument loadFile(ConversionContext& context, const QString& path) {
  return loadForeignFile(context.inputFiles(), path, argumentVariablesFile);
}

}  // namespace

IarVariableAt findIarVariable(QStringView text, qsizetype from) {
  for (qsizetype dollar = text.indexOf(QLatin1Char('$'), from); dollar >= 0;
       dollar = text.indexOf(QLatin1Char('$'), dollar + 1)) {
    if (text.sliced(dollar).startsWith(QLatin1String("${"))) {
      const qsizetype close = text.indexOf(QLatin1String("}$"), dollar + 2);
      if (close > dollar + 2) return {dollar, close + 2 - dollar, text.sliced(dollar + 2, close - dollar - 2)};
      continue;
    }
    qsizetype end = dollar + 1;
    while (end < text.size() && isIdentifierCharacter(text[end], end == dollar + 1)) ++end;
    if (end > dollar + 1 && end < text.size() && text[end] == QLatin1Char('$'))
      return {dollar, end + 1 - dollar, text.sliced(dollar + 1, end - dollar - 1)};
  }
  return {};
}

IarArgumentVariables::IarArgumentVariables(ConversionContext& context, const QString& workspaceFile) {
  const ReaderOptions& options = context.options();
  for (const QString& file : options.argumentVariableFiles) addFile(loadFile(context, file), QFileInfo(file).path());
  // The IDE keeps a workspace's own variables in "<workspace>.custom_argvars" beside it.
  const QString own = QFileInfo(workspaceFile).path() + QLatin1Char('/') + nameWithoutLastSuffix(workspaceFile) +
                      QStringLiteral(".custom_argvars");
  if (QFileInfo::exists(own)) {
    try {
      addFile(loadFile(context, own), QFileInfo(own).path());
    } catch (const UnreadableFile& failure) {
      context.warn(failure.file(), failure.message() + QStringLiteral("; its argument variables are not read"));
    }
  }
  for (const QString& definition : options.argumentVariables) {
    const qsizetype equals = definition.indexOf(QLatin1Char('='));
    if (equals <= 0)
      throw ConversionError(QStringLiteral("-argvar ") + definition + QStringLiteral(": expected name=value"));
    define(definition.left(equals), definition.mid(equals + 1), QString());
  }
}

void IarArgumentVariables::addFile(const ForeignDocument& document, const QString& directory) {
  const ForeignElement root = documentElement(document);
  for (const ForeignElement& group : childrenNamed(root, QStringLiteral("group"))) {
    if (group.attribute(QStringLiteral("active")).trimmed() == QLatin1String("false")) continue;
    for (const ForeignElement& variable : childrenNamed(group, QStringLiteral("variable"))) {
      const QString name = childText(variable, QStringLiteral("name")).trimmed();
      if (!name.isEmpty()) define(name, childText(variable, QStringLiteral("value")).trimmed(), directory);
    }
  }
}

// A Windows path stays as written: it is found again where the paths that use
// it are converted (windows_path_anchor.h).
void IarArgumentVariables::define(const QString& name, const QString& value, const QString& directory) {
  const bool relative = !value.isEmpty() && findIarVariable(value).start != 0 && !isWindowsAbsolutePath(value) &&
                        !isAbsoluteForeignPath(toForwardSlashes(value));
  if (!relative) {
    values_.insert(name, {value, false});
    return;
  }
  const QDir base(directory.isEmpty() ? QStringLiteral(".") : directory);
  values_.insert(name, {QDir::cleanPath(base.absoluteFilePath(toForwardSlashes(value))), true});
}

std::optional<IarVariableValue> IarArgumentVariables::value(const QString& name) const {
  const auto defined = values_.constFind(name);
  if (defined == values_.constEnd() || defined->text.isEmpty()) return std::nullopt;  // empty: names no directory
  IarVariableValue value = *defined;
  for (int depth = 0; depth < mostNestedVariables; ++depth) {
    const IarVariableAt leading = findIarVariable(value.text);
    if (leading.start != 0) return value;
    const auto inner = values_.constFind(leading.name.toString());
    if (inner == values_.constEnd()) return value;  // one of the IDE's own, such as "$PROJ_DIR$"
    value = {inner->text + value.text.mid(leading.length), inner->relative};
  }
  return std::nullopt;
}
