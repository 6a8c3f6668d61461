#include "readers/common/reader.h"

#include <QFileInfo>

#include "foreign/solution_naming.h"
#include "readers/common/conversion_context.h"
#include "support/path.h"

void beginWorkspaceFileSolution(ConversionContext& context, const QString& workspaceFile, RecordSink& sink) {
  const QString shownWorkspace = displayPath(workspaceFile);
  sink.beginSolution(solutionNameOf(nameWithoutLastSuffix(workspaceFile), shownWorkspace),
                     absoluteDirectoryOf(workspaceFile), shownWorkspace);
  context.setWorkspaceDirectory(QFileInfo(workspaceFile).path());
}
