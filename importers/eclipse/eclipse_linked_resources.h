#pragma once
// The linked resources of an Eclipse project: linked files are added to
// "Source Files" as they are, linked folders become folders mirroring the
// directory they name.

#include <QString>

class ConversionContext;
class DirectoryVisits;
class LinkLocationResolver;
class ProjectElement;
class ProjectSystem;
struct EclipseProjectDescription;

/// Where one project's links go.
struct LinkDestination {
  /// The project's "Source Files" folder.
  ProjectElement* folder = nullptr;
  /// The project directory as a path to look at on disk.
  QString projectDirectory;
  /// The ".project" as messages name it.
  QString shownFile;
};

/// Adds every link of the description except virtual folders: a file (whatever
/// its extension) unless a "-filter-file" pattern matches its name; a folder
/// (type 2) as folders along its name, filled like the project's own tree. A
/// link whose location cannot be resolved is left out with a warning.
void addLinkedResources(ProjectSystem& projectSystem, ConversionContext& context, DirectoryVisits& visits,
                        const LinkDestination& destination, const EclipseProjectDescription& description,
                        const LinkLocationResolver& locations);
