#include "readers/iar/iar_libraries.h"

#include <QSet>

#include "foreign/foreign_path.h"
#include "foreign/solution_naming.h"
#include "readers/iar/iar_workspace.h"

namespace {

QString libraryKey(const QString& path) { return nameWithoutLastSuffix(toForwardSlashes(path)).toCaseFolded(); }

// The library a configuration builds: the project's own name unless the
// archiver's output is overridden.
QString libraryName(const IarProject& project, const IarConfiguration& configuration) {
  QString output = configuration.archiveOutput();
  if (output.isEmpty()) return project.name;
  output.replace(QLatin1String("$PROJ_FNAME$"), project.name);
  return nameWithoutLastSuffix(toForwardSlashes(output));
}

}  // namespace

IarLibraryBuilders::IarLibraryBuilders(const IarWorkspace& workspace) {
  for (const IarProject& project : workspace.projects) {
    const IarProjectContent& content = project.content;
    if (content.choice.isEmpty() || !content.debug().buildsLibrary()) continue;
    const QSet<QString> names{libraryName(project, content.debug()).toCaseFolded(),
                              libraryName(project, content.release()).toCaseFolded()};
    for (const QString& name : names) builders_[name].append(&project);
  }
}

const IarProject* IarLibraryBuilders::builderOf(const QString& path, const IarProject& linking) const {
  for (const IarProject* builder : builders_.value(libraryKey(path)))
    if (builder != &linking) return builder;
  return nullptr;
}

bool isLibraryFile(const QString& path) {
  return path.endsWith(QLatin1String(".a"), Qt::CaseInsensitive) ||
         path.endsWith(QLatin1String(".lib"), Qt::CaseInsensitive);
}
