#pragma once
// What reading an IAR project connection file (and argument variables) must
// keep for any input, shared by the fuzz target and the test that replays its
// corpus: joined to a project, its groups come after their parents and its
// files lie in groups that exist; every path it adds converts or is left out,
// with no variable left in what is written; argument variables defined through
// one another end.

#include <string>
#include <string_view>

#include "fuzz/iar_project_check.h"
#include "readers/iar/iar_argument_variables.h"
#include "readers/iar/iar_connection.h"

namespace iar_connection_check {

/// An empty string when the properties hold, else what went wrong.
inline std::string check(std::string_view input) {
  const std::optional<ForeignDocument> document = iar_project_check::parsed(input);
  if (!document) return {};
  IarProjectContent content;
  for (const char* name : {"Debug", "Release"}) {
    content.configurations.emplace_back();
    content.configurations.back().name = QLatin1String(name);
  }
  content.groups.push_back({QStringLiteral("g"), -1, {}});
  addIarConnection(content, readIarConnection(*document, QStringLiteral("fallback")), 0, QStringLiteral("gen"));
  for (size_t i = 0; i < content.groups.size(); ++i)
    if (content.groups[i].parent >= qsizetype(i)) return "group " + std::to_string(i) + " before its parent";
  IarArgumentVariables variables;
  variables.addFile(*document, QStringLiteral("/nonexistent/quenport/fuzz"));
  ForeignPathResolver resolver;
  IarPathConverter paths(resolver, QStringLiteral("/nonexistent/quenport/fuzz/p"), QStringLiteral("/nonexistent/w"),
                         &variables);
  paths.setCopies(&content.copies);
  for (const IarFile& file : content.files) {
    if (file.group < 0 || file.group >= qsizetype(content.groups.size())) return "file in a group that does not exist";
    if (std::string problem = iar_project_check::checkPath(paths, file.decodedName()); !problem.empty()) return problem;
  }
  for (const IarConfiguration& configuration : content.configurations) {
    const IarOptions& options = configuration.options;
    const QStringList added = options.list(IarOptionId::IncludePaths) + options.list(IarOptionId::AdditionalLibraries) +
                              options.list(IarOptionId::IcfFile);
    for (const QString& path : added)
      if (std::string problem = iar_project_check::checkPath(paths, path); !problem.empty()) return problem;
  }
  return {};
}

}  // namespace iar_connection_check
