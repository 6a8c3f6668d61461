#include "readers/common/reader.h"

#include <QFileInfo>

#include "foreign/solution_naming.h"
#include "readers/common/conversion_context.h"
#include "readers/common/project_record.h"
#include "support/path.h"

void beginWorkspaceFileSolution(ConversionContext& context, const QString& workspaceFile, RecordSink& sink) {
  const QString shownWorkspace = displayPath(workspaceFile);
  sink.beginSolution(solutionNameOf(nameWithoutLastSuffix(workspaceFile), shownWorkspace),
                     absoluteDirectoryOf(workspaceFile), shownWorkspace);
  context.setWorkspaceDirectory(QFileInfo(workspaceFile).path());
}

void RecordSink::addProject(const ProjectRecord& record) {
  completeProject(startProject(record), {record.dependencies, record.linkedLibraryFiles, record.librariesNotLinked});
}
