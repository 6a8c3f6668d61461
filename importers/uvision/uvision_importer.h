#pragma once
// Conversion of a Keil uVision multi-project workspace.

#include <QString>

class ConversionContext;
class ProjectElement;
class ProjectSystem;

/// Builds the solution of the workspace file: one project per target that creates
/// an executable or library, with its settings, groups and files. Throws HException
/// for files that cannot be read or parsed and for a project without targets.
ProjectElement* importUVisionWorkspace(ProjectSystem& projectSystem, ConversionContext& context,
                                       const QString& workspacePath);
