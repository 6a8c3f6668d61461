#pragma once
// What reading an IAR project file must keep for any input, shared by the fuzz
// target and the test that replays its corpus: the content's indexes stay in
// range (groups after their parents, files in existing groups, the chosen
// configurations among those read), and every path it names converts or is
// left out, without a variable left in what is written.

#include <QRegularExpression>
#include <QString>
#include <string>
#include <string_view>

#include "foreign/foreign_path.h"
#include "readers/iar/iar_paths.h"
#include "readers/iar/iar_project.h"

namespace iar_project_check {

inline std::string checkPath(IarPathConverter& paths, const QString& text) {
  static const QRegularExpression variable(QStringLiteral("\\$[A-Za-z_][A-Za-z0-9_]*\\$"));
  for (const std::optional<QString>& converted : {paths.projectRelative(text), paths.macroBased(text)}) {
    if (converted && variable.match(*converted).hasMatch()) return "variable kept in " + converted->toStdString();
  }
  return {};
}

/// input parsed; nothing when it is no XML.
inline std::optional<ForeignDocument> parsed(std::string_view input) {
  try {
    return ForeignDocument::parse(QByteArray(input.data(), qsizetype(input.size())));
  } catch (const ForeignParseError&) {
    return std::nullopt;
  }
}

/// An empty string when the properties hold, else what went wrong.
inline std::string check(std::string_view input) {
  const std::optional<ForeignDocument> document = parsed(input);
  if (!document) return {};
  const IarProjectContent content = readIarProject(*document);
  const qsizetype configurations = qsizetype(content.configurations.size());
  if (content.choice.isEmpty() != (configurations == 0)) return "configuration choice and configurations disagree";
  if (!content.choice.isEmpty() && (content.choice.debug >= configurations || content.choice.release >= configurations))
    return "chosen configuration out of range";
  for (size_t i = 0; i < content.groups.size(); ++i)
    if (content.groups[i].parent >= qsizetype(i)) return "group " + std::to_string(i) + " before its parent";
  // A directory that does not exist: nothing on disk decides the result.
  ForeignPathResolver resolver;
  IarPathConverter paths(resolver, QStringLiteral("/nonexistent/quenport/fuzz/p"), QStringLiteral("/nonexistent/w"));
  for (const IarFile& file : content.files) {
    if (file.group >= qsizetype(content.groups.size())) return "file in a group that does not exist";
    if (std::string problem = checkPath(paths, file.decodedName()); !problem.empty()) return problem;
  }
  for (const IarConfiguration& configuration : content.configurations) {
    for (const QString& path : configuration.options.list(IarOptionId::IncludePaths) +
                                   configuration.options.list(IarOptionId::AdditionalLibraries))
      if (std::string problem = checkPath(paths, path); !problem.empty()) return problem;
  }
  return {};
}

}  // namespace iar_project_check
