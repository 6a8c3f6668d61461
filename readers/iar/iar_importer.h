#pragma once
// Conversion of an IAR Embedded Workbench workspace.

#include <QString>

class ConversionContext;
class ModelNode;
class SolutionModel;
struct MappingRules;

/// How IAR projects differ in the solution: the device always becomes "Target".
extern const MappingRules iarMappingRules;

/// Builds the solution of the workspace file: one project per project file it
/// refers to, with its configurations' settings, its groups as folders and its
/// files. A project file that cannot be read or parsed is left out with a
/// warning. Throws ConversionError for a workspace file that cannot be read or
/// parsed, when no project converts, and for a project whose template is
/// needed but not given.
ModelNode* importIarWorkspace(SolutionModel& model, ConversionContext& context,
                                   const QString& workspaceFile);
