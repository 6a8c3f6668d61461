#pragma once
// The reader of IAR Embedded Workbench workspaces.

#include <QString>

#include "readers/common/reader.h"

/// How IAR projects differ in the solution: the device always becomes "Target".
extern const MappingRules iarMappingRules;

/// Reads the workspace file into one record per project file it refers to, with
/// its configurations' settings, its groups as folders and its files. A project
/// file that cannot be read or parsed is left out with a warning. Throws
/// ConversionError for a workspace file that cannot be read or parsed.
void readIarWorkspace(ConversionContext& context, const QString& workspaceFile, RecordSink& sink);
