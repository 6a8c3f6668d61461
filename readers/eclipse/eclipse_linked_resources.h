#pragma once
// The linked resources of an Eclipse project: linked files are added to
// "Source Files" as they are, linked folders become folders mirroring the
// directory they name.

#include <QString>
#include <vector>

#include "readers/common/project_record.h"

class ConversionContext;
class DirectoryVisits;
class LinkLocationResolver;
class ResourceRules;
struct EclipseProjectDescription;

/// Where one project's links go.
struct LinkDestination {
  /// The items of the project's "Source Files" folder.
  std::vector<SourceItem>* items = nullptr;
  /// The project directory as a path to look at on disk.
  QString projectDirectory;
  /// The ".project" as messages name it.
  QString shownFile;
  /// What the project says about its resources; may be null.
  const ResourceRules* rules = nullptr;
};

/// Adds every link of the description except virtual folders: a file whatever
/// its extension, a folder (type 2) as folders along its name, filled like the
/// project's own tree. Each gets the configurations that exclude it and the
/// settings it has of its own. A link whose location cannot be resolved is
/// left out with a warning.
void addLinkedResources(ConversionContext& context, DirectoryVisits& visits, const LinkDestination& destination,
                        const EclipseProjectDescription& description, const LinkLocationResolver& locations);
