#pragma once
// The linked resources of an Eclipse project description, added as files.

#include "importers/dom_document.h"
#include <QString>

class ProjectElement;
class ProjectSystem;

/// The path that a link's locationURI stands for, relative to the project
/// directory: "PARENT-<n>-PROJECT_LOC/" at the start becomes n times "../";
/// any other location is kept as written.
QString linkedFilePath(const QString& location);

/// Adds a file to folder for every link of the first "linkedResources" element
/// of the description, except virtual folders and names a "-filter-file"
/// pattern matches. Folders and files are not told apart.
void addLinkedFiles(ProjectSystem& projectSystem, ProjectElement* folder, const DomDocument& projectDescription);
