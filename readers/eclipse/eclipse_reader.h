#pragma once
// The reader of Eclipse workspaces of CDT projects.

#include <QString>

#include "readers/common/reader.h"

/// How Eclipse projects differ in the solution: the device becomes "Target"
/// only where it stands in for the executable template.
extern const MappingRules eclipseMappingRules;

/// Reads every CDT project below workspaceDirectory (the working directory when it
/// is empty or null) into its record. Shows "cproject found" and "project name"
/// progress lines. A project that cannot be converted is left out with a warning;
/// every other failure throws ConversionError.
void readEclipseWorkspace(ConversionContext& context, const QString& workspaceDirectory, RecordSink& sink);
