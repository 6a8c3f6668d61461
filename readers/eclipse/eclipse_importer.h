#pragma once
// Conversion of an Eclipse workspace of CDT projects.

#include <QString>

class ConversionContext;
class ModelNode;
class SolutionModel;
struct MappingRules;

/// How Eclipse projects differ in the solution: the device becomes "Target"
/// only where it stands in for the executable template.
extern const MappingRules eclipseMappingRules;

/// Builds the solution of every CDT project below workspaceDirectory (the working
/// directory when it is empty or null). Shows "cproject found" and "project name"
/// progress lines. A project that cannot be converted is left out with a warning;
/// every other failure throws ConversionError.
ModelNode* importEclipseWorkspace(SolutionModel& model, ConversionContext& context,
                                       const QString& workspaceDirectory);
