#pragma once
// Conversion of a Keil uVision multi-project workspace.

#include <QString>

class ConversionContext;
class ModelNode;
class SolutionModel;
struct MappingRules;

/// How uVision projects differ in the solution: a target is one configuration,
/// its include directories stay in "Debug" and "Release", the template follows
/// the kind alone, and "-D", "-I", "-P" and "-filter-definition" do not apply.
extern const MappingRules uvisionMappingRules;

/// Builds the solution of the workspace file: one project per target that creates
/// an executable or library, with its settings, groups and files. Throws
/// ConversionError for files that cannot be read or parsed and for a project
/// without targets.
ModelNode* importUVisionWorkspace(SolutionModel& model, ConversionContext& context,
                                       const QString& workspacePath);
