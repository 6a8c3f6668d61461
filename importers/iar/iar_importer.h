#pragma once
// Conversion of an IAR Embedded Workbench workspace.

#include <QString>

class ConversionContext;
class ProjectElement;
class ProjectSystem;

/// Makes the solution named after workspaceFile in its directory, then reads the
/// workspace and every project file it refers to (which must load; nothing of
/// them is added yet). Throws HException for a file that cannot be read or parsed.
ProjectElement* importIarWorkspace(ProjectSystem& projectSystem, ConversionContext& context,
                                   const QString& workspaceFile);
