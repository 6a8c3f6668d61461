#pragma once
// Conversion of an IAR Embedded Workbench workspace.

#include <QString>

class ProjectElement;
class ProjectSystem;

/// Makes the solution named after workspaceFile in its directory, then reads the
/// workspace and every project file it names (which must load; nothing of them is
/// added). Throws HException for a file that cannot be read or parsed.
ProjectElement* importIarWorkspace(ProjectSystem& projectSystem, const QString& workspaceFile);
