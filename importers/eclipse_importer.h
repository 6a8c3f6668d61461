#pragma once
// Conversion of an Eclipse workspace of CDT projects.

#include <QString>

class ProjectElement;
class ProjectSystem;

/// Builds the solution of every CDT project below workspaceDirectory (the working
/// directory when it is empty or null). Prints "cproject found" and "project name" lines.
/// Throws HException for every failure.
ProjectElement* importEclipseWorkspace(ProjectSystem& projectSystem, const QString& workspaceDirectory);
