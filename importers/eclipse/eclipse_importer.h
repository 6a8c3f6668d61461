#pragma once
// Conversion of an Eclipse workspace of CDT projects.

#include <QString>

class ConversionContext;
class ProjectElement;
class ProjectSystem;

/// Builds the solution of every CDT project below workspaceDirectory (the working
/// directory when it is empty or null). Prints "cproject found" and "project name"
/// lines. A project that cannot be converted is left out with a warning; every
/// other failure throws HException.
ProjectElement* importEclipseWorkspace(ProjectSystem& projectSystem, ConversionContext& context,
                                       const QString& workspaceDirectory);
