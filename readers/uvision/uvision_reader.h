#pragma once
// The reader of Keil uVision multi-project workspaces.

#include <QString>

#include "readers/common/reader.h"

/// How uVision projects differ in the solution: a target is one configuration,
/// its include directories stay in "Debug" and "Release", the template follows
/// the kind alone, and "-D", "-I", "-P" and "-filter-definition" do not apply.
extern const MappingRules uvisionMappingRules;

/// Reads the workspace file into one record per target that creates an executable
/// or library, with its settings, groups and files, and the projects that build
/// the libraries it links. Throws ConversionError for files that cannot be read or
/// parsed and for a project without targets.
void readUVisionWorkspace(ConversionContext& context, const QString& workspaceFile, RecordSink& sink);
